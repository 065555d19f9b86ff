#pragma once

#include "chat/chat_text_edit_form.h"
#include "core/ports.h"
#include "views/side_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexmoor {

// The line dialog: the line, what the game would make of it, Commit and Cancel.
class ChatTextEditView : public SideWindow {
public:
    ChatTextEditView(ChatTextEditForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    ChatTextEditForm& form_;
    Dialogs& dialogs_;
    QLineEdit* text_;
    QLabel* warnings_;
    QPushButton* commit_;
    QPushButton* cancel_;
};

}  // namespace vexmoor
