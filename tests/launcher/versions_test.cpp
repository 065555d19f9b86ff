// Earlier versions as the main window keeps and restores them: the start-up
// tidy step, the Earlier Versions window's lists, differences and restore,
// and the settings file's writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/paths.h"
#include "launcher/editors.h"
#include "launcher/settings_file.h"
#include "launcher/version_summary.h"
#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kTidyRoster =
    "[bots]\r\n"
    "\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n"
    "[teams]\r\n"
    "\"Gloam\"\"GL\"\"gaunt/bone\"[\"Cole\"]\r\n"
    "[view weapons]\r\n";
const std::string kCommentedRoster = "# Our bots, by hand.\r\n" + kTidyRoster + "  # an indented note\r\n";
const std::string kChat = "-- Greetings\r\nHello, %s.\r\n\r\n-- Come-backs\r\nAgain!\r\nAnd again.\r\n";

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
        EXPECT_NE(f.main().versionsForm(), nullptr);
        return *f.main().versionsForm();
    }
    fs::path roster() const { return f.game.root() / "eraser" / "bots.cfg"; }
    std::vector<KeptVersion> kept(KeptFile file) {
        return f.main().rewrites().store().versions(f.game.text(), file).value();
    }
};

TEST_F(Versions, TheStartUpTidyStepKeepsTheRosterFirstAndATidyOneCostsNothing) {
    VexmoorMain& main = start(kCommentedRoster);
    EXPECT_EQ(readBytes(roster()), kTidyRoster);
    const auto versions = kept(KeptFile::Roster);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].action, "start-up tidy");
    EXPECT_EQ(versions[0].summary, "2 bots, 1 team");
    EXPECT_EQ(main.rewrites().store().bytesOf(f.game.text(), KeptFile::Roster, versions[0]).value(),
              kCommentedRoster);
    EXPECT_TRUE(f.dialogs.shown.empty());

    // The next start finds it tidy: nothing is kept, not even a folder made.
    MainFixture again;
    again.game.withEraserFolder().withRoster(kTidyRoster);
    again.writeSettings();
    again.startUp();
    EXPECT_FALSE(fs::exists(again.versionsFolder));
}

// Without its earlier version the tidy step leaves the file alone, says so
// once, reads the tidied lines, and the bot and team editors leave the file
// alone too.
TEST_F(Versions, AStartUpTidyWithoutItsVersionLeavesTheRosterAndItsEditorsAlone) {
    writeBytes(f.versionsFolder, "a file in the way");
    VexmoorMain& main = start(kCommentedRoster);

    EXPECT_EQ(readBytes(roster()), kCommentedRoster);
    EXPECT_EQ(main.bots.SpecificBotList.items(), (std::vector<std::string>{"Ash", "Cole"}));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Earlier version not kept");
    EXPECT_NE(
        f.dialogs.shown[0].text.find(pathText(roster()) + " before tidying it, so the file stays as it is"),
        std::string::npos);
    EXPECT_NE(f.dialogs.shown[0].text.find(pathText(f.versionsFolder) + ": it is in the way"),
              std::string::npos);

    for (Button* editor : {&main.bots.BotEditButton, &main.teamplay.EditTeamButton}) {
        const std::size_t before = f.dialogs.shown.size();
        editor->click();
        EXPECT_EQ(main.editor(), nullptr);
        ASSERT_EQ(f.dialogs.shown.size(), before + 1);
        EXPECT_TRUE(f.dialogs.shown.back().text.starts_with("Vexmoor could not keep an earlier version of " +
                                                            pathText(roster()) + " when it started"));
    }
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
        {KeptFile::Roster, "[bots]\r\n\"Cut\"\"a/b\" 1\r\n",
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

TEST_F(Versions, TheWindowListsTheFilesTheirVersionsAndTheDifferences) {
    VexmoorMain& main = start(kCommentedRoster);
    VersionsForm& window = openWindow();
    EXPECT_EQ(window.caption(), "Earlier Versions");
    EXPECT_FALSE(main.enabled());
    EXPECT_EQ(window.VersionFileList.items(),
              (std::vector<std::string>{nativeSeparators("eraser\\bots.cfg (1 version)"),
                                        nativeSeparators("eraser\\chat.txt (no versions)"),
                                        nativeSeparators("eraser\\maps.txt (no versions)"),
                                        "vexmoor.ini (no versions)"}));
    ASSERT_EQ(window.VersionList.count(), 1u);
    EXPECT_TRUE(
        std::regex_match(window.VersionList.items()[0],
                         std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d - start-up tidy - 2 bots, 1 team)")));
    EXPECT_EQ(window.VersionList.selectedIndex(), 0);
    EXPECT_EQ(window.VersionDiffText.text(),
              "- only in this version    + only in the file as it is now\n"
              "Lines 1 to 8 of this version, lines 1 to 6 of the file now:\n"
              "- # Our bots, by hand.\n"
              "  [bots]\n"
              "  \"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \n"
              "  \"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \n"
              "  [teams]\n"
              "  \"Gloam\"\"GL\"\"gaunt/bone\"[\"Cole\"]\n"
              "  [view weapons]\n"
              "-   # an indented note");
    EXPECT_TRUE(window.RestoreButton.enabled());

    window.VersionFileList.setSelectedIndex(1);
    EXPECT_EQ(window.VersionList.count(), 0u);
    EXPECT_EQ(window.VersionDiffText.text(),
              "No earlier versions of " + pathText(f.game.root() / "eraser" / "chat.txt") + " are kept yet.");
    EXPECT_FALSE(window.RestoreButton.enabled());
    window.RestoreButton.click();
    EXPECT_EQ(readBytes(roster()), kTidyRoster);

    window.closeRequested();
    EXPECT_TRUE(main.enabled());
    EXPECT_EQ(f.windows.closed.back(), "VersionsForm");
}

TEST_F(Versions, AVersionWhoseCopyWasChangedIsNotOffered) {
    start(kCommentedRoster);
    const fs::path copy =
        f.main().rewrites().store().folderOf(f.game.text(), KeptFile::Roster) / "000001-bots.cfg";
    writeBytes(copy, "changed by hand");
    VersionsForm& window = openWindow();
    EXPECT_TRUE(window.VersionDiffText.text().starts_with("This version cannot be read: " + pathText(copy)));
    EXPECT_FALSE(window.RestoreButton.enabled());
}

TEST_F(Versions, RestoredSettingsAreReadIntoTheMainWindow) {
    VexmoorMain& main = start(kTidyRoster);
    main.gameplay.WeaponsStayCheckBox.click();
    main.gameplay.TimeLimitText.setText("35");
    main.preferences.SaveChangesButton.click();
    const std::string saved = readBytes(f.settingsFile);
    main.gameplay.WeaponsStayCheckBox.click();
    main.gameplay.TimeLimitText.setText("50");

    VersionsForm& window = openWindow();
    window.VersionFileList.setSelectedIndex(3);
    ASSERT_EQ(window.VersionList.count(), 1u);
    EXPECT_TRUE(window.VersionList.items()[0].ends_with(" - Save Settings - " + f.game.text()));
    window.RestoreButton.click();

    EXPECT_EQ(readBytes(f.settingsFile), "\"" + f.game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    EXPECT_EQ(main.gameplay.WeaponsStayCheckBox.state(), 0);
    EXPECT_EQ(main.gameplay.TimeLimitText.text(), "20");
    EXPECT_EQ(main.flags.total, 0);
    // The settings just replaced are the newest version now, and the one restored shows no differences.
    EXPECT_EQ(window.VersionFileList.items()[3], "vexmoor.ini (2 versions)");
    EXPECT_TRUE(window.VersionList.items()[0].find(" - restore - ") != std::string::npos);
    EXPECT_EQ(window.VersionList.selectedIndex(), 1);
    EXPECT_EQ(window.VersionDiffText.text(), "No differences.");
    EXPECT_EQ(main.rewrites()
                  .store()
                  .bytesOf(f.game.text(), KeptFile::Settings, kept(KeptFile::Settings)[0])
                  .value(),
              saved);
    EXPECT_EQ(f.dialogs.shown.back().title, "Version restored");
}

TEST_F(Versions, AFailedRestoreIsToldAndChangesNothing) {
    VexmoorMain& main = start(kCommentedRoster);
    VersionsForm& window = openWindow();
    const std::vector<std::string> rows = window.VersionList.items();
    const std::string shown = window.VersionDiffText.text();
    makeReadOnly(roster());

    window.RestoreButton.click();

    EXPECT_EQ(f.dialogs.shown.back().text, pathText(roster()) + " was not restored: " + pathText(roster()) +
                                               ": the file is read-only. The file on disk is unchanged.");
    EXPECT_EQ(readBytes(roster()), kTidyRoster);
    EXPECT_EQ(main.bots.SpecificBotList.items(), (std::vector<std::string>{"Ash", "Cole"}));
    EXPECT_EQ(window.VersionList.items(), rows);
    EXPECT_EQ(window.VersionDiffText.text(), shown);
}

TEST_F(Versions, ARestoredRosterVexmoorCannotReadKeepsTheEditorsClosed) {
    VexmoorMain& main = start(kTidyRoster);
    const std::string broken = "[bots]\r\n\"Cut\"\"a/b\" 1\r\n";
    main.rewrites().keep(KeptFile::Roster, broken, "changed outside Vexmoor");
    openWindow().RestoreButton.click();

    EXPECT_EQ(readBytes(roster()), broken);
    EXPECT_TRUE(main.bots.SpecificBotList.items().empty());
    EXPECT_EQ(f.roster.BotCount, 0);
    main.versionsForm()->VersionsExitButton.click();
    main.bots.BotEditButton.click();
    EXPECT_EQ(main.editor(), nullptr);
}

// Save Settings and the first run's Set write the settings file; another
// program's version of it is replaced only when the user says so.
TEST_F(Versions, SettingsChangedOutsideVexmoorAreReplacedOnlyWhenTheUserSaysSo) {
    VexmoorMain& main = start(kTidyRoster);
    const std::string theirs = "\"" + f.game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail + "\r\n";
    writeBytes(f.settingsFile, theirs);
    main.maps.MapList.setSelectedIndex(3);

    main.preferences.SaveChangesButton.click();  // answered No, the default
    EXPECT_EQ(f.dialogs.texts(),
              std::vector<std::string>{RewriteGuard::changedOutsideQuestion(f.settingsFile).text});
    EXPECT_EQ(readBytes(f.settingsFile), theirs);
    EXPECT_EQ(main.maps.MapList.selectedIndex(), 3);

    f.dialogs.answers = {Answer::Yes};
    main.preferences.SaveChangesButton.click();
    EXPECT_EQ(readBytes(f.settingsFile), settingsFileBytes(main, main.flags.total));
    ASSERT_EQ(kept(KeptFile::Settings).size(), 1u);
    EXPECT_EQ(kept(KeptFile::Settings)[0].action, "changed outside Vexmoor");

    MainFixture first;
    first.game.withGame();
    first.startUp();
    writeBytes(first.settingsFile, "made meanwhile");
    ASSERT_TRUE(first.main().browseForm()->QuakeDir.setPath(first.game.root()));
    first.main().browseForm()->SetButton.click();  // answered No
    EXPECT_EQ(readBytes(first.settingsFile), "made meanwhile");
    EXPECT_EQ(first.windows.quits, 0);
}

}  // namespace
}  // namespace vexmoor::testing
