#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "chat/chat_file.h"
#include "chat/chat_text_edit_form.h"
#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "history/rewrite_guard.h"

namespace vexmoor {

// The chat editor: the categories, one list of lines for each (only the
// chosen category's list is shown), the line dialog for adding and changing
// a line, and the rewrite of the whole file on Commit Changes.
class ChatEditForm : public WindowModel {
public:
    ChatEditForm(std::filesystem::path file, ChatSections sections, Dialogs& dialogs, Windows& windows,
                 std::function<void()> back, ChatComments comments = {});

    // Reads the file and makes the editor on what it holds. A file that
    // cannot be read is told, with the file and the reason, and no editor is
    // made: it never opens on part of a file. With a guard, what was read is
    // remembered and Commit Changes goes through the guard.
    static std::unique_ptr<ChatEditForm> open(const std::filesystem::path& file, Dialogs& dialogs,
                                              Windows& windows, std::function<void()> back,
                                              RewriteGuard* rewrites = nullptr);

    ListBox ChatTypeList{"ChatTypeList", ListBox::Mode::Single};
    // The lists of lines, numbered like the categories.
    ListBox& ChatList(std::size_t category) { return *lists_[category]; }
    Button AddButton{"AddButton", "Add"};
    Button EditButton{"EditButton", "Edit"};
    Button DeleteButton{"DeleteButton", "Delete"};
    Button CommitButton{"CommitButton", "Commit Changes"};
    Button ReturnButton{"ReturnButton", "Return to Main"};
    // What the game would make of the file as last read or written.
    Label WarningLabel{"WarningLabel"};

    // The line dialog last opened; a closed one is kept until the next
    // opens, since it closes from inside its own button handler.
    ChatTextEditForm* lineDialog() { return lineDialog_.get(); }

    // The lines of every category as they stand in the lists.
    ChatSections sections() const;

    // The frame of a window that is waiting for its line dialog does nothing.
    void closeRequested() override {
        if (enabled()) ReturnButton.click();
    }

    // Whether the file Commit Changes would write differs from the one last
    // read or written: a line changed and changed back is no change.
    bool hasUnwrittenChanges() const;

private:
    ListBox* visibleList();
    void showCategory();
    void openLineDialog(ChatTextEditForm::Mode mode);
    void commitLine(std::size_t category, ChatTextEditForm::Mode mode, const std::string& text);
    void closeLineDialog();
    void deleteLine();
    bool commitChanges();
    void leave();
    void showWarnings();

    std::filesystem::path file_;
    Dialogs& dialogs_;
    Windows& windows_;
    RewriteGuard* rewrites_ = nullptr;
    std::array<std::unique_ptr<ListBox>, kChatCategories> lists_;
    // The file's comments, kept in step with the lines they stand before.
    ChatComments comments_;
    std::unique_ptr<ChatTextEditForm> lineDialog_;
    std::function<void()> back_;
    // The file as the lines and comments last read or written would make it.
    std::string written_;
};

}  // namespace vexmoor
