#pragma once

#include <QPlainTextEdit>

namespace vexmoor {

// A command line is one line of text, but too long to read in a line edit:
// this field wraps it over a few lines yet never holds a line break. Enter is
// left to the window (its default button); pasted line breaks become blanks.
class CommandLineEdit : public QPlainTextEdit {
public:
    explicit CommandLineEdit(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace vexmoor
