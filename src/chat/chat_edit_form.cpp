#include "chat/chat_edit_form.h"

#include "core/ports.h"
#include "core/unwritten_changes.h"
#include "roster/game_rules.h"

namespace vexmoor {

namespace {

// A category as the warnings name it: its header without the dashes.
std::string categoryName(std::size_t category) {
    const std::string& header = chatHeaders()[category];
    return header.substr(header.find_first_not_of("- "));
}

}  // namespace

ChatEditForm::ChatEditForm(std::filesystem::path file, ChatSections sections, Dialogs& dialogs,
                           Windows& windows, std::function<void()> back, ChatComments comments)
    : WindowModel("ChatEditForm", "Bot Chatter Editor"),
      file_(std::move(file)),
      dialogs_(dialogs),
      windows_(windows),
      comments_(std::move(comments)),
      back_(std::move(back)) {
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        lists_[k] = std::make_unique<ListBox>("ChatList" + std::to_string(k), ListBox::Mode::Single);
        // A list of lines may stand with none chosen; Edit and Delete then do nothing.
        lists_[k]->setNoneAllowed(true);
    }
    ChatTypeList.setItems(std::vector<std::string>(chatHeaders().begin(), chatHeaders().end()));
    ChatTypeList.onChange([this] { showCategory(); });

    AddButton.onClick([this] { openLineDialog(ChatTextEditForm::Mode::Add); });
    EditButton.onClick([this] { openLineDialog(ChatTextEditForm::Mode::Edit); });
    DeleteButton.onClick([this] { deleteLine(); });
    CommitButton.onClick([this] { commitChanges(); });
    ReturnButton.onClick([this] { leave(); });

    ChatTypeList.setSelectedIndex(0);
    for (std::size_t k = 0; k < kChatCategories; ++k) ChatList(k).setItems(std::move(sections[k]));
    if (ChatList(0).count() > 0) ChatList(0).setSelectedIndex(0);
    showWarnings();
    written_ = chatFileBytes(this->sections(), comments_);
}

std::unique_ptr<ChatEditForm> ChatEditForm::open(const std::filesystem::path& file, Dialogs& dialogs,
                                                 Windows& windows, std::function<void()> back,
                                                 RewriteGuard* rewrites) {
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        dialogs.show(Message{"The chat file cannot be read, so the chat editor does not open: " +
                                 bytes.error().describe() + ".",
                             kApplicationTitle, Icon::Exclamation, Buttons::Ok});
        return nullptr;
    }
    ChatFile read = readChatFileBytes(bytes.value());
    auto form = std::make_unique<ChatEditForm>(file, std::move(read.sections), dialogs, windows, std::move(back),
                                               std::move(read.comments));
    if (rewrites) rewrites->remember(file, bytes.value());
    form->rewrites_ = rewrites;
    return form;
}

ChatSections ChatEditForm::sections() const {
    ChatSections result;
    for (std::size_t k = 0; k < kChatCategories; ++k) result[k] = lists_[k]->items();
    return result;
}

ListBox* ChatEditForm::visibleList() {
    const int category = ChatTypeList.selectedIndex();
    return category < 0 ? nullptr : &ChatList(static_cast<std::size_t>(category));
}

void ChatEditForm::showCategory() {
    for (auto& list : lists_) list->setVisible(false);
    ListBox* list = visibleList();
    if (!list) return;
    list->setVisible(true);
    if (list->count() > 0) list->setSelectedIndex(0);
}

void ChatEditForm::openLineDialog(ChatTextEditForm::Mode mode) {
    const int category = ChatTypeList.selectedIndex();
    if (category < 0) return;
    const auto k = static_cast<std::size_t>(category);
    // With no line selected there is nothing to edit, as there is nothing to
    // delete: a dialog would only take typing its Commit had to drop.
    if (mode == ChatTextEditForm::Mode::Edit && ChatList(k).selectedIndex() < 0) return;
    std::string text = mode == ChatTextEditForm::Mode::Edit ? ChatList(k).selectedText() : std::string();
    lineDialog_ = std::make_unique<ChatTextEditForm>(
        mode, k, std::move(text), [this, k, mode](const std::string& line) { commitLine(k, mode, line); },
        [this] { closeLineDialog(); });
    openSideWindow(windows_, *this, *lineDialog_);
}

void ChatEditForm::commitLine(std::size_t category, ChatTextEditForm::Mode mode, const std::string& text) {
    ListBox& list = ChatList(category);
    if (mode == ChatTextEditForm::Mode::Add) {
        comments_.lineAppended(category, list.count());
        list.addItem(text);
        // A list with no line selected (the first line added to an empty
        // one) selects the new line, so Edit and Delete have one to work on.
        if (list.selectedIndex() < 0) list.setSelectedIndex(static_cast<int>(list.count() - 1));
    } else if (const int selected = list.selectedIndex(); selected >= 0) {
        list.setItem(static_cast<std::size_t>(selected), text);
    }
    closeLineDialog();
    // The warnings name lines by their place: they follow every change.
    showWarnings();
}

void ChatEditForm::closeLineDialog() {
    if (lineDialog_) closeSideWindow(windows_, *this, *lineDialog_);
}

void ChatEditForm::deleteLine() {
    ListBox* list = visibleList();
    // Lines there but none selected (after adding to an empty list): nothing to ask about.
    if (!list || list->count() == 0 || list->selectedIndex() < 0) return;
    const Answer answer =
        dialogs_.show(Message{"Are you sure you want to delete " + list->selectedText() + "?",
                              kApplicationTitle, Icon::Exclamation, Buttons::YesNo});
    if (answer != Answer::Yes) return;
    const auto index = static_cast<std::size_t>(list->selectedIndex());
    comments_.lineRemoved(static_cast<std::size_t>(ChatTypeList.selectedIndex()), index, list->count());
    list->removeItem(index);
    if (list->count() > 0) list->setSelectedIndex(0);
    showWarnings();
}

bool ChatEditForm::commitChanges() {
    if (rewrites_ && !rewrites_->mayRewrite(KeptFile::Chat, file_, "chat Commit Changes")) return false;
    const ChatSections lines = sections();
    const Status written = writeChatFile(file_, lines, comments_);
    if (!written) {
        dialogs_.show(
            Message{"Chat.txt was not written: " + written.error().describe() +
                        ". The file on disk is unchanged and the editor keeps every line, so Commit "
                        "Changes can be tried again.",
                    kApplicationTitle, Icon::Critical, Buttons::Ok});
        return false;
    }
    written_ = chatFileBytes(lines, comments_);
    if (rewrites_) rewrites_->remember(file_, written_);
    showWarnings();
    return true;
}

bool ChatEditForm::hasUnwrittenChanges() const { return chatFileBytes(sections(), comments_) != written_; }

void ChatEditForm::leave() {
    leaveAfterAsking(dialogs_, hasUnwrittenChanges(),
                     unwrittenChangesQuestion("The chat lines have", "eraser\\chat.txt"),
                     [this] { return commitChanges(); }, back_);
}

void ChatEditForm::showWarnings() {
    std::vector<std::vector<std::string>> all;
    std::vector<std::string> warnings;
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        const auto& lines = lists_[k]->items();
        all.push_back(lines);
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (const std::string& warning : game_rules::chatLineWarnings(k, lines[i]))
                warnings.push_back(categoryName(k) + ", line " + std::to_string(i + 1) + ": " + warning);
    }
    std::vector<std::string> fileWarnings = game_rules::chatFileWarnings(all);
    // What breaks the game outright comes before what it merely misreads.
    fileWarnings.insert(fileWarnings.end(), warnings.begin(), warnings.end());
    const std::string text = game_rules::warningText(fileWarnings);
    WarningLabel.setCaption(text);
    WarningLabel.setVisible(!text.empty());
}

}  // namespace vexmoor
