#pragma once

#include "core/ports.h"
#include "launcher/cmd_line_form.h"
#include "views/side_window.h"

class QLabel;
class QPushButton;

namespace vexmoor {

class CommandLineEdit;

// The command-line review: the command line to edit, Go and Return to Main.
class CmdLineView : public SideWindow {
public:
    CmdLineView(CmdLineForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    CmdLineForm& form_;
    Dialogs& dialogs_;

    QLabel* warning_;
    QLabel* explanation_;
    CommandLineEdit* commandLine_;
    QPushButton* go_;
    QPushButton* back_;
};

}  // namespace vexmoor
