#pragma once

#include <array>

#include "chat/chat_edit_form.h"
#include "views/side_window.h"

class QLabel;
class QListView;
class QPushButton;

namespace vexmoor {

// The chat editor: the categories, the eight lists of lines stacked in one
// place, the warning line and the buttons.
class ChatEditView : public SideWindow {
public:
    explicit ChatEditView(ChatEditForm& model, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();
    // The label of the lines names whichever list is shown.
    void followVisibleList();

    ChatEditForm& form_;
    QLabel* categoriesLabel_;
    QListView* categories_;
    QLabel* linesLabel_;
    std::array<QListView*, kChatCategories> lines_;
    QLabel* warnings_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* commit_;
    QPushButton* return_;
};

}  // namespace vexmoor
