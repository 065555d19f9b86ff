#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "core/controls.h"
#include "core/window_model.h"

namespace vexmoor {

// The line dialog: one chat line to add or to change. It keeps the mode it
// was opened in until it closes; what Commit does with the text is the chat
// editor's business.
class ChatTextEditForm : public WindowModel {
public:
    enum class Mode { Add, Edit };

    // category: the category the line belongs to, for the warnings.
    ChatTextEditForm(Mode mode, std::size_t category, std::string text,
                     std::function<void(const std::string&)> commit, std::function<void()> cancel);

    Mode mode() const { return mode_; }

    TextBox ChatText{"ChatText", ""};
    // What the game or our own reader would make of the line, as it is typed.
    Label WarningLabel{"WarningLabel"};
    Button CommitButton{"CommitButton", "Commit"};
    Button CancelButton{"CancelButton", "Cancel"};

    void closeRequested() override { CancelButton.click(); }

private:
    void showWarnings();

    Mode mode_;
    std::size_t category_;
};

}  // namespace vexmoor
