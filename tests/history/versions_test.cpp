// Earlier versions as the main window keeps and restores them: the start-up
// tidy step without its version, the versions' summaries, a failed restore,
// and the settings file's writers. The window's lists and differences are
// the view tests'.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/ports.h"
#include "history/version_summary.h"
#include "launcher/editors.h"
#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

const std::string kTidyRoster =
    "[bots]\r\n"
    "\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n"
    "[teams]\r\n"
    "\"Gloam\"\"GL\"\"gaunt/bone\"[\"Cole\"]\r\n"
    "[view weapons]\r\n";
const std::string kCommentedRoster = "# Our bots, by hand.\r\n" + kTidyRoster + "  # an indented note\r\n";
const std::string kChat = "-- Greetings\r\nHello, %s.\r\n\r\n-- Come-backs\r\nAgain!\r\nAnd again.\r\n";
const std::string kUnreadableRoster = "[bots]\r\n\"Cut\"\"a/b\" 1\r\n";

struct Versions : ::testing::Test {
    MainFixture f;

    Versions() {
        f.game.withEraserFolder().withChat(kChat).withMapCycle("q2dm1\r\n");
        f.writeSettings();
    }
    VexmoorMain& start(const std::string& roster) {
        f.game.withRoster(roster);
        VexmoorMain& main = f.startUp();
        registerEditors(main);
        return main;
    }
    VersionsForm& openWindow() {
        f.main().VersionsMenu.click();
        return *f.main().versionsForm();
    }
    fs::path roster() const { return f.game.root() / "eraser" / "bots.cfg"; }
};

// Without its earlier version the tidy step leaves the file alone, says so
// once, reads the tidied lines, and the bot and team editors leave the file
// alone too.
TEST_F(Versions, AStartUpTidyWithoutItsVersionLeavesTheRosterAndItsEditorsAlone) {
    writeBytes(f.versionsFolder, "a file in the way");
    VexmoorMain& main = start(kCommentedRoster);

    EXPECT_EQ(readBytes(roster()), kCommentedRoster);
    EXPECT_EQ(main.bots.SpecificBotList.items(), (Texts{"Ash", "Cole"}));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Earlier version not kept");
    for (const std::string& part : {pathText(roster()) + " before tidying it, so the file stays as it is",
                                    pathText(f.versionsFolder) + ": it is in the way"})
        EXPECT_NE(f.dialogs.shown[0].text.find(part), std::string::npos) << part;

    for (Button* editor : {&main.bots.BotEditButton, &main.teamplay.EditTeamButton}) {
        editor->click();
        EXPECT_EQ(main.editor(), nullptr);
        EXPECT_TRUE(f.dialogs.shown.back().text.starts_with("Vexmoor could not keep an earlier version of " +
                                                            pathText(roster()) + " when it started"));
    }
    EXPECT_EQ(f.dialogs.shown.size(), 3u);
    main.bots.EditChatButton.click();
    EXPECT_NE(main.editor(), nullptr);
}

TEST(VersionSummary, SaysWhatAVersionHoldsAsVexmoorWouldReadIt) {
    const struct {
        KeptFile file;
        std::string bytes;
        std::string summary;
    } cases[] = {
        {KeptFile::Roster, kCommentedRoster, "2 bots, 1 team"},
        {KeptFile::Roster, "[bots]\r\n\"Solo\"\"a/b\" 1 1 1 1 1 1 1\r\n", "1 bot, 0 teams"},
        {KeptFile::Roster, kUnreadableRoster,
         "a roster Vexmoor cannot read (line 2: the file ends inside a bot record)"},
        {KeptFile::Chat, kChat, "2 sections, 3 lines"},
        {KeptFile::Chat, "-- Greetings\nHi.\n-- Greetings\nHo.\n", "1 section, 2 lines"},
        {KeptFile::MapCycle, "q2dm1\r\n# a comment, with commas\r\nq2dm2,base1\r\n", "3 maps"},
        {KeptFile::Settings, "\"/games/Quake II/\"\r\n1,0\r\n", "/games/Quake II/"},
        {KeptFile::Settings, "\"two\r\nlines\"", "two  lines"},
        {KeptFile::Settings, "", "no game directory"},
    };
    for (const auto& c : cases) EXPECT_EQ(versionSummary(c.file, c.bytes), c.summary) << c.bytes;
}

// The roster the window restores is one Vexmoor cannot read: the first try
// fails and changes nothing, the second leaves the editors closed.
TEST_F(Versions, AFailedRestoreChangesNothingAndAnUnreadableRosterKeepsTheEditorsClosed) {
    VexmoorMain& main = start(kTidyRoster);
    main.rewrites().keep(KeptFile::Roster, roster(), kUnreadableRoster, "changed outside Vexmoor");
    VersionsForm& window = openWindow();
    const Texts rows = window.VersionList.items();
    const std::string shown = window.VersionDiffText.text();
    makeReadOnly(roster());

    window.RestoreButton.click();
    EXPECT_EQ(f.dialogs.shown.back().text, pathText(roster()) + " was not restored: " + pathText(roster()) +
                                               ": the file is read-only. The file on disk is unchanged.");
    EXPECT_EQ(readBytes(roster()), kTidyRoster);
    EXPECT_EQ(main.bots.SpecificBotList.items(), (Texts{"Ash", "Cole"}));
    EXPECT_EQ(window.VersionList.items(), rows);
    EXPECT_EQ(window.VersionDiffText.text(), shown);

    fs::permissions(roster(), fs::perms::owner_write, fs::perm_options::add);
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(roster()), kUnreadableRoster);
    EXPECT_TRUE(main.bots.SpecificBotList.items().empty());
    EXPECT_EQ(f.roster.BotCount, 0);
    window.VersionsExitButton.click();
    main.bots.BotEditButton.click();
    EXPECT_EQ(main.editor(), nullptr);
}

// Save Settings keeps the file as it was, and that version restored is read
// into the main window's controls. The first run's Set replaces another
// program's settings file only when the user says so; Save Settings asks as
// the fault matrix shows, and what No and Yes do is the guard's.
TEST_F(Versions, SettingsRestoredAreReadIntoTheWindowAndTheFirstRunsSetAsksFirst) {
    VexmoorMain& main = start(kTidyRoster);
    main.gameplay.WeaponsStayCheckBox.click();
    main.gameplay.TimeLimitText.setText("35");
    main.preferences.SaveChangesButton.click();
    const std::string before = "\"" + f.game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail;

    VersionsForm& window = openWindow();
    window.VersionFileList.setSelectedIndex(3);
    ASSERT_EQ(window.VersionList.count(), 1u);
    EXPECT_TRUE(window.VersionList.items()[0].ends_with(" - Save Settings - " + f.game.text()));
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(f.settingsFile), before);
    EXPECT_EQ(main.gameplay.WeaponsStayCheckBox.state(), 0);
    EXPECT_EQ(main.gameplay.TimeLimitText.text(), "20");
    EXPECT_EQ(main.flags.total, 0);
    EXPECT_EQ(f.dialogs.shown.back().title, "Version restored");

    MainFixture first;
    first.game.withGame();
    first.startUp();
    writeBytes(first.settingsFile, "made meanwhile");
    ASSERT_TRUE(first.main().browseForm()->QuakeDir.setPath(first.game.root()));
    first.main().browseForm()->SetButton.click();  // answered No
    EXPECT_EQ(readBytes(first.settingsFile), "made meanwhile");
    EXPECT_EQ(first.windows.quits, 0);
}

// Settings versions are filed by the settings file itself, so a file damaged
// since (that names no game directory Vexmoor could use) offers them all the
// same, after them those an older Vexmoor filed under the game directory,
// and either comes back.
TEST_F(Versions, SettingsVersionsAreOfferedWhateverTheSettingsFileHolds) {
    start(kTidyRoster).preferences.SaveChangesButton.click();
    std::string older = "\"" + f.game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail;
    older.replace(older.find("\"20\""), 4, "\"45\"");
    ASSERT_TRUE(
        f.main().rewrites().store().keep(f.game.text(), KeptFile::Settings, older, "Save Settings", ""));
    writeBytes(f.settingsFile, "\"" + f.game.text() + "\"\r\nx,0,0\r\n");

    Roster roster;
    VexmoorMain again(Services{f.dialogs, f.windows, f.alert, f.processes, f.settings, f.drives}, roster);
    again.startUp();
    again.VersionsMenu.click();
    VersionsForm& window = *again.versionsForm();
    EXPECT_EQ(window.VersionFileList.items()[3], "vexmoor.ini (2 versions)");
    window.VersionFileList.setSelectedIndex(3);
    window.VersionList.setSelectedIndex(1);
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(f.settingsFile), older);
    EXPECT_EQ(again.gameplay.TimeLimitText.text(), "45");
    EXPECT_EQ(window.VersionFileList.items()[3], "vexmoor.ini (3 versions)");
}

// Restored settings may name another game directory. A roster restored after
// them is still the first game's: its undo copy is kept with that game's
// versions, and the bot and team editors do not write it over the roster of
// the game directory now in force.
TEST_F(Versions, ARosterRestoredUnderSettingsNamingAnotherGameStaysWithItsOwnGame) {
    VexmoorMain& main = start(kTidyRoster);
    const std::string theirs = "[bots]\r\n\"Solo\"\"a/b\" 1 1 1 1 1 1 1\r\n";
    GameDirectoryBuilder other(f.temp.path() / "other");
    other.withEraserFolder().withRoster(theirs);
    main.rewrites().keep(KeptFile::Settings, f.settingsFile,
                         "\"" + other.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail, "Save Settings");
    main.rewrites().keep(KeptFile::Roster, roster(), kCommentedRoster, "Commit Changes");
    VersionsForm& window = openWindow();
    window.VersionFileList.setSelectedIndex(3);
    window.RestoreButton.click();
    ASSERT_EQ(main.gameDirectory(), other.text());
    window.VersionFileList.setSelectedIndex(0);
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(roster()), kCommentedRoster);
    EXPECT_EQ(window.VersionFileList.items()[0], nativeSeparators("eraser\\bots.cfg (2 versions)"));

    window.VersionsExitButton.click();
    for (Button* editor : {&main.bots.BotEditButton, &main.teamplay.EditTeamButton}) {
        editor->click();
        EXPECT_EQ(main.editor(), nullptr);
        for (const std::string& named : {pathText(roster()), other.text()})
            EXPECT_NE(f.dialogs.shown.back().text.find(named), std::string::npos) << named;
    }
    EXPECT_EQ(readBytes(other.root() / "eraser" / "bots.cfg"), theirs);
}

// What the window shows is compared with the file before a restore: changed
// since, the differences are shown anew and the change is replaced only when
// the user says so.
TEST_F(Versions, ARestoreOfAFileChangedSinceItsDifferencesWereShownAsksFirst) {
    VexmoorMain& main = start(kTidyRoster);
    main.rewrites().keep(KeptFile::Roster, roster(), kCommentedRoster, "Commit Changes");
    VersionsForm& window = openWindow();
    std::string theirs = kTidyRoster + "# by hand\r\n";
    writeBytes(roster(), theirs);

    window.RestoreButton.click();  // answered No
    EXPECT_EQ(f.dialogs.texts().back(), RewriteGuard::changedOutsideQuestion(roster()).text);
    EXPECT_EQ(readBytes(roster()), theirs);
    EXPECT_NE(window.VersionDiffText.text().find("+ # by hand"), std::string::npos);

    theirs += "# and more\r\n";
    writeBytes(roster(), theirs);
    f.dialogs.answers = {Answer::Yes};
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(roster()), kCommentedRoster);
    EXPECT_EQ(window.versions()[0].action, kChangedOutside);
    EXPECT_EQ(main.rewrites().store().bytesOf(f.game.text(), KeptFile::Roster, window.versions()[0]).value(),
              theirs);
}

}  // namespace
}  // namespace vexmoor::testing
