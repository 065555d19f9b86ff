#include "chat/chat_text_edit_form.h"

#include "roster/game_rules.h"

namespace vexmoor {

ChatTextEditForm::ChatTextEditForm(Mode mode, std::size_t category, std::string text,
                                   std::function<void(const std::string&)> commit,
                                   std::function<void()> cancel)
    : WindowModel("ChatTextEditForm", mode == Mode::Add ? "Add Chat Text" : "Edit Chat Text"),
      mode_(mode),
      category_(category) {
    ChatText.setText(std::move(text));
    ChatText.onChange([this] { showWarnings(); });
    showWarnings();
    CommitButton.onClick([this, commit = std::move(commit)] {
        // A copy: the commit closes this window.
        const std::string line = ChatText.text();
        commit(line);
    });
    CancelButton.onClick(std::move(cancel));
}

void ChatTextEditForm::showWarnings() {
    const std::string text =
        game_rules::warningText(game_rules::chatLineWarnings(category_, ChatText.text()));
    WarningLabel.setCaption(text);
    WarningLabel.setVisible(!text.empty());
}

}  // namespace vexmoor
