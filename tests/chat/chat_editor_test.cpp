#include <gtest/gtest.h>

#include "chat/chat_edit_form.h"
#include "launcher/editors.h"
#include "roster/game_rules.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kChat =
    "# Lines the bots say.\r\n"
    "-- Greetings\r\nEvening.\r\nMind the mud.\r\n\r\n"
    "-- Come-backs\r\nNot today.\r\n\r\n"
    "-- Taunts\r\nNever read.\r\n";

class ChatEditor : public ::testing::Test {
protected:
    ChatEditForm& open(const std::string& bytes = kChat) {
        f.game.withEraserFolder().withRoster("").withChat(bytes);
        f.writeSettings();
        f.startUp();
        registerEditors(f.main());
        f.main().bots.EditChatButton.click();
        auto* editor = dynamic_cast<ChatEditForm*>(f.main().editor());
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    fs::path file() const { return f.game.root() / "eraser" / "chat.txt"; }
    std::vector<bool> shown(ChatEditForm& e) {
        std::vector<bool> visible;
        for (std::size_t k = 0; k < kChatCategories; ++k) visible.push_back(e.ChatList(k).visible());
        return visible;
    }
    // Opens the line dialog with a button, types, and commits.
    void throughDialog(ChatEditForm& e, Button& button, const std::string& text) {
        button.click();
        ASSERT_NE(e.lineDialog(), nullptr);
        e.lineDialog()->ChatText.setText(text);
        e.lineDialog()->CommitButton.click();
    }

    MainFixture f;
};

TEST_F(ChatEditor, OpensOnTheFirstCategoryWithItsFirstLineSelected) {
    ChatEditForm& e = open();
    EXPECT_EQ(e.caption(), "Bot Chatter Editor");
    EXPECT_FALSE(f.main().enabled());
    EXPECT_EQ(f.windows.opened, std::vector<std::string>{"ChatEditForm"});
    EXPECT_EQ(e.ChatTypeList.items(), std::vector<std::string>(chatHeaders().begin(), chatHeaders().end()));
    EXPECT_EQ(e.ChatTypeList.selectedIndex(), 0);
    EXPECT_EQ(e.ChatList(0).items(), (std::vector<std::string>{"Evening.", "Mind the mud."}));
    EXPECT_EQ(e.ChatList(0).selectedIndex(), 0);
    EXPECT_EQ(e.ChatList(4).items(), std::vector<std::string>{"Not today."});
    EXPECT_EQ(shown(e), (std::vector<bool>{true, false, false, false, false, false, false, false}));

    // Choosing a category shows its list alone and selects its first line.
    e.ChatTypeList.setSelectedIndex(4);
    EXPECT_EQ(shown(e), (std::vector<bool>{false, false, false, false, true, false, false, false}));
    EXPECT_EQ(e.ChatList(4).selectedIndex(), 0);
    e.ChatTypeList.setSelectedIndex(1);
    EXPECT_EQ(e.ChatList(1).selectedIndex(), -1);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(ChatEditor, AddAndEditGoThroughTheLineDialogWhileTheEditorWaits) {
    ChatEditForm& e = open();
    e.ChatList(0).setSelectedIndex(1);

    e.AddButton.click();
    ASSERT_NE(e.lineDialog(), nullptr);
    EXPECT_EQ(e.lineDialog()->caption(), "Add Chat Text");
    EXPECT_EQ(e.lineDialog()->ChatText.text(), "");
    EXPECT_FALSE(e.enabled());
    e.lineDialog()->ChatText.setText("Fog again.");
    e.lineDialog()->CommitButton.click();
    EXPECT_TRUE(e.enabled());
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"ChatTextEditForm"});
    EXPECT_EQ(f.windows.focused.back(), "ChatEditForm");
    EXPECT_EQ(e.ChatList(0).items(), (std::vector<std::string>{"Evening.", "Mind the mud.", "Fog again."}));
    EXPECT_EQ(e.ChatList(0).selectedIndex(), 1);  // adding does not select

    e.EditButton.click();
    EXPECT_EQ(e.lineDialog()->caption(), "Edit Chat Text");
    EXPECT_EQ(e.lineDialog()->ChatText.text(), "Mind the mud.");
    e.lineDialog()->ChatText.setText("Mind the peat.");
    e.lineDialog()->CommitButton.click();
    EXPECT_EQ(e.ChatList(0).items(), (std::vector<std::string>{"Evening.", "Mind the peat.", "Fog again."}));
    EXPECT_EQ(e.ChatList(0).selectedIndex(), 1);

    // Cancel, and the dialog's frame, change nothing.
    e.EditButton.click();
    e.lineDialog()->ChatText.setText("Dropped.");
    e.lineDialog()->CancelButton.click();
    e.AddButton.click();
    e.lineDialog()->ChatText.setText("Dropped too.");
    e.closeRequested();  // the waiting editor's frame does nothing
    EXPECT_FALSE(e.enabled());
    e.lineDialog()->closeRequested();
    EXPECT_TRUE(e.enabled());
    EXPECT_EQ(e.ChatList(0).count(), 3u);
    EXPECT_EQ(f.windows.opened.size(), 5u);
    EXPECT_EQ(f.windows.closed.size(), 4u);
}

TEST_F(ChatEditor, WithoutASelectedLineEditAndDeleteDoNothingAndAnAddedLineIsSelected) {
    ChatEditForm& e = open();
    e.ChatTypeList.setSelectedIndex(1);  // empty
    const std::size_t opened = f.windows.opened.size();
    e.DeleteButton.click();
    // Edit opens no dialog whose typing it would have to drop.
    e.EditButton.click();
    EXPECT_EQ(f.windows.opened.size(), opened);
    EXPECT_TRUE(e.enabled());

    // The first line added to an empty list is selected, so Edit changes it and Delete asks.
    throughDialog(e, e.AddButton, "First.");
    EXPECT_EQ(e.ChatList(1).selectedIndex(), 0);
    throughDialog(e, e.AddButton, "Second.");
    EXPECT_EQ(e.ChatList(1).selectedIndex(), 0);
    throughDialog(e, e.EditButton, "Changed.");
    EXPECT_EQ(e.ChatList(1).items(), (std::vector<std::string>{"Changed.", "Second."}));
    e.ChatList(1).setSelectedIndex(-1);
    e.EditButton.click();
    e.DeleteButton.click();
    EXPECT_EQ(f.windows.opened.size(), opened + 3);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(ChatEditor, DeleteAsksWithTheLineAndSelectsTheFirstLineAfterwards) {
    ChatEditForm& e = open();
    e.ChatList(0).setSelectedIndex(1);
    f.dialogs.answers = {Answer::No, Answer::Yes};
    e.DeleteButton.click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const Message& asked = f.dialogs.shown[0];
    EXPECT_EQ(asked.text, "Are you sure you want to delete Mind the mud.?");
    EXPECT_EQ(asked.buttons, Buttons::YesNo);
    EXPECT_EQ(asked.icon, Icon::Exclamation);
    EXPECT_EQ(asked.title, "vexmoor");
    EXPECT_EQ(e.ChatList(0).count(), 2u);

    e.DeleteButton.click();
    EXPECT_EQ(e.ChatList(0).items(), std::vector<std::string>{"Evening."});
    EXPECT_EQ(e.ChatList(0).selectedIndex(), 0);
}

TEST_F(ChatEditor, CommitWritesTheWholeFileAndStaysOpenReturnWritesNothing) {
    ChatEditForm& e = open();
    throughDialog(e, e.AddButton, "# a comment now");
    e.CommitButton.click();
    EXPECT_EQ(readBytes(file()),
              "# Lines the bots say.\r\n\r\n"
              "-- Greetings\r\nEvening.\r\nMind the mud.\r\n# a comment now\r\n\r\n"
              "-- Insults (general)\r\n\r\n-- Insults (kicking ass)\r\n\r\n"
              "-- Insults (losing, coming back)\r\n\r\n-- Come-backs\r\nNot today.\r\n\r\n"
              "-- TEAMPLAY: Help!\r\n\r\n-- TEAMPLAY: Drop Item (not implemented yet)\r\n\r\n"
              "-- TEAMPLAY: Let's Group!\r\n\r\n");
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.main().editor(), &e);
    EXPECT_TRUE(f.windows.isOpen("ChatEditForm"));

    const std::string committed = readBytes(file());
    throughDialog(e, e.AddButton, "Never committed.");
    f.dialogs.answers = {Answer::WithoutWriting};  // Discard
    e.ReturnButton.click();
    EXPECT_EQ(readBytes(file()), committed);
    EXPECT_TRUE(f.main().enabled());
    EXPECT_EQ(f.windows.focused.back(), "VexmoorMain");

    // Reopened, the comment line is gone: the reader skips it.
    f.main().bots.EditChatButton.click();
    auto* again = dynamic_cast<ChatEditForm*>(f.main().editor());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ChatList(0).items(), (std::vector<std::string>{"Evening.", "Mind the mud."}));
}

// The lines the game takes from a chat file, section by section: it skips
// "#" lines, moves to its next section at every line beginning with "-",
// and drops a line with no letter or "%".
std::vector<std::vector<std::string>> gameSections(const std::string& bytes) {
    std::vector<std::vector<std::string>> sections;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('#')) continue;
        if (line.starts_with('-')) sections.emplace_back();
        else if (!sections.empty() && line.find_first_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ%") !=
                                          std::string::npos)
            sections.back().push_back(line);
    }
    return sections;
}

std::vector<std::string> commentLines(const std::string& bytes) {
    std::vector<std::string> comments;
    for (std::size_t pos = 0; (pos = bytes.find('#', pos)) != std::string::npos; ++pos)
        if (pos == 0 || bytes[pos - 1] == '\n') comments.push_back(bytes.substr(pos, bytes.find('\r', pos) - pos));
    return comments;
}

TEST_F(ChatEditor, CommitKeepsTheCommentsTheGameSkips) {
    std::string shipped;
    for (int i = 0; i < 69; ++i) shipped += i % 10 == 9 ? "\r\n" : "# About the chat file, " + std::to_string(i) + "\r\n";
    for (std::size_t k = 0; k < kChatCategories; ++k)
        shipped += chatHeaders()[k] + "\r\n# section " + std::to_string(k) + "\r\nFirst %s\r\n# before the second\r\n" +
                   "Second %s\r\n\r\n";
    ChatEditForm& e = open(shipped);
    e.CommitButton.click();
    const std::string unchanged = readBytes(file());
    EXPECT_EQ(gameSections(unchanged), gameSections(shipped));
    EXPECT_EQ(commentLines(unchanged), commentLines(shipped));
    EXPECT_EQ(unchanged.substr(0, 200), shipped.substr(0, 200));

    // A comment stays before its line; when that line goes, it goes after
    // the section's last line, and an added line comes before it.
    f.dialogs.answers = {Answer::Yes};
    e.DeleteButton.click();
    throughDialog(e, e.AddButton, "Third");
    e.CommitButton.click();
    const std::string greetings = chatHeaders()[0] + "\r\n# before the second\r\nSecond %s\r\nThird\r\n# section 0\r\n\r\n";
    EXPECT_NE(readBytes(file()).find(greetings), std::string::npos) << readBytes(file());
}

TEST_F(ChatEditor, AFailedWriteSaysSoKeepsTheFileAndEveryLine) {
    ChatEditForm& e = open();
    throughDialog(e, e.AddButton, "Kept.");
    makeReadOnly(file());
    e.CommitButton.click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "Chat.txt was not written: " + file().string() +
                                           ": the file is read-only. The file on disk is unchanged and the "
                                           "editor keeps every line, so Commit Changes can be tried again.");
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_EQ(readBytes(file()), kChat);
    EXPECT_EQ(e.ChatList(0).count(), 3u);

    fs::permissions(file(), fs::perms::owner_write, fs::perm_options::add);
    e.CommitButton.click();
    EXPECT_EQ(readChatBytes(readBytes(file()))[0],
              (std::vector<std::string>{"Evening.", "Mind the mud.", "Kept."}));
}

TEST_F(ChatEditor, AFileThatCannotBeReadIsToldAndOpensNoEditor) {
    TempDir dir;
    const fs::path gone = dir.path() / "chat.txt";  // vanished after the main window's check
    bool back = false;
    EXPECT_EQ(ChatEditForm::open(gone, f.dialogs, f.windows, [&] { back = true; }), nullptr);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "The chat file cannot be read, so the chat editor does not open: " +
                                           gone.string() + ": the file does not exist.");
    EXPECT_TRUE(f.windows.opened.empty());
}

TEST_F(ChatEditor, WarningsTellWhatTheGameWouldMisread) {
    ChatEditForm& e = open();
    // On opening: the empty sections the game would crash on.
    EXPECT_TRUE(e.WarningLabel.visible());
    EXPECT_NE(e.WarningLabel.caption().find("\"Insults (general)\" is empty"), std::string::npos);

    // The line dialog follows the text as it is typed.
    e.AddButton.click();
    ChatTextEditForm& line = *e.lineDialog();
    line.ChatText.setText("Hello %s");
    EXPECT_EQ(line.WarningLabel.caption(), game_rules::chatLineWarnings(0, "Hello %s").front());
    EXPECT_TRUE(line.WarningLabel.visible());
    line.ChatText.setText("Hello");
    EXPECT_FALSE(line.WarningLabel.visible());
    line.CancelButton.click();

    // Commit: nothing refused, the warnings name what was written.
    for (std::size_t k = 1; k < kChatCategories; ++k) {
        e.ChatTypeList.setSelectedIndex(static_cast<int>(k));
        throughDialog(e, e.AddButton, "Fine words.");
    }
    e.ChatTypeList.setSelectedIndex(0);
    throughDialog(e, e.AddButton, "--Greetings");
    const std::string added = "Greetings, line 3: " + game_rules::chatLineWarnings(0, "--Greetings")[0] + "\n" +
                              "Greetings, line 3: " + game_rules::chatLineWarnings(0, "--Greetings")[1];
    EXPECT_EQ(e.WarningLabel.caption(), added);  // at once, before any Commit
    e.CommitButton.click();
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(e.WarningLabel.caption(), added);
}

TEST(WarningText, ShowsTheFirstWarningsAndCountsTheRest) {
    EXPECT_EQ(game_rules::warningText({}), "");
    EXPECT_EQ(game_rules::warningText({"A.", "B."}), "A.\nB.");
    EXPECT_EQ(game_rules::warningText({"A.", "B.", "C."}, 2), "A.\nB.\nOne more warning.");
    EXPECT_EQ(game_rules::warningText({"A.", "B.", "C.", "D."}, 1), "A.\n3 more warnings.");
}

}  // namespace
}  // namespace vexmoor::testing

namespace vexmoor::testing {
namespace {

// The changes are what Commit Changes would write against what writing the
// file as read would: not the raw bytes (the section the game never reads is
// no change), not the clicks (a line added and deleted again is none).
TEST_F(ChatEditor, ItsChangesAreWhatCommitWouldWriteNotTheClicks) {
    ChatEditForm& e = open("-- Greetings\n# said first\nEvening.\n-- Taunts\nNever read.\n");
    EXPECT_FALSE(e.hasUnwrittenChanges());
    throughDialog(e, e.AddButton, "Hello there.");
    EXPECT_TRUE(e.hasUnwrittenChanges());
    e.ChatList(0).setSelectedIndex(1);
    f.dialogs.answers = {Answer::Yes};
    e.DeleteButton.click();
    EXPECT_FALSE(e.hasUnwrittenChanges());
}

}  // namespace
}  // namespace vexmoor::testing
