#pragma once

#include "core/ports.h"
#include "roster/new_bot_name.h"
#include "views/side_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexmoor {

// The new-bot dialog: the name, what the game would make of it, Add Bot
// (Enter) and Cancel (Escape, the frame's close).
class NewBotView : public SideWindow {
public:
    NewBotView(NewBotName& model, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    NewBotName& form_;
    Dialogs& dialogs_;

    QLabel* prompt_;
    QLineEdit* name_;
    QLabel* warning_;
    QPushButton* add_;
    QPushButton* cancel_;
};

}  // namespace vexmoor
