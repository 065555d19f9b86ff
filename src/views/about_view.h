#pragma once

#include "launcher/about_form.h"
#include "views/side_window.h"

class QLabel;
class QPushButton;

namespace vexmoor {

// The about box: name, version, a word about feedback, OK.
class AboutView : public SideWindow {
public:
    explicit AboutView(AboutForm& model, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    AboutForm& form_;

    QLabel* title_;
    QLabel* version_;
    QLabel* feedback_;
    QPushButton* ok_;
};

}  // namespace vexmoor
