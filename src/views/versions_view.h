#pragma once

#include "history/versions_form.h"
#include "views/side_window.h"

class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace vexmoor {

// The Earlier Versions window: the files and their versions side by side
// above the differences, removed lines on red and added lines on green, and
// Restore This Version and Return to Main below.
class VersionsView : public SideWindow {
public:
    explicit VersionsView(VersionsForm& model, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();
    void showDifferences();

    VersionsForm& form_;
    QLabel* filesLabel_;
    QListView* files_;
    QLabel* versionsLabel_;
    QListView* versions_;
    QLabel* differencesLabel_;
    QPlainTextEdit* differences_;
    QPushButton* restore_;
    QPushButton* exit_;
};

}  // namespace vexmoor
