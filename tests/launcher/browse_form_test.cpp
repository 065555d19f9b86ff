#include "launcher/browse_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/paths.h"
#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kNoGame =
    "There is no quake2.exe here. Please specify directory where your quake2.exe resides.";

// A started main window (settings file present) whose chooser is open in
// main-window mode.
struct MainWindowMode : MainFixture {
    MainWindowMode() {
        game.withRoster("[bots]\r\n[teams]\r\n[view weapons]\r\n").withMaps({"alpha.bsp"});
        writeSettings();
        startUp();
        settingsBefore = readBytes(settingsFile);
        main().preferences.QuakePathButton.click();
        dialogs.shown.clear();
    }
    BrowseForm& browse() { return *main().browseForm(); }
    std::string settingsBefore;
};

// A first start: no settings file, the chooser open in first-run mode.
struct FirstRunMode : MainFixture {
    FirstRunMode() {
        startUp();
        dialogs.shown.clear();
    }
    BrowseForm& browse() { return *main().browseForm(); }
};

TEST(Chooser, OpensOnTheStartDriveWhateverTheGameDirectoryIs) {
    MainWindowMode f;
    BrowseForm& browse = f.browse();

    EXPECT_EQ(f.windows.opened, std::vector<std::string>{"BrowseForm"});
    EXPECT_FALSE(f.main().enabled());
    EXPECT_EQ(browse.mode(), BrowseForm::Mode::MainWindow);
    EXPECT_EQ(browse.caption(), "Location");
    EXPECT_EQ(browse.QuakeDrive.items(), (std::vector<std::string>{"/", "home"}));
    EXPECT_EQ(browse.QuakeDrive.selectedIndex(), 1);
    EXPECT_EQ(browse.QuakeDir.path(), f.temp.path());
    EXPECT_EQ(browse.QuakeDir.folders(), (std::vector<std::string>{"config", "game"}));
    EXPECT_EQ(browse.Label2.caption(), f.temp.path().string());
    // Nothing was looked for, so nothing was found.
    EXPECT_EQ(browse.FoundGamesList.items(), std::vector<std::string>{kNoGameFoundText});
    EXPECT_FALSE(browse.FoundGamesList.enabled());
}

TEST(Chooser, ADriveReturnsToTheFolderItWasLastIn) {
    MainWindowMode f;
    BrowseForm& browse = f.browse();
    fs::create_directories(f.game.root() / ".hidden");
    ASSERT_TRUE(browse.QuakeDir.setPath(f.game.root()));
    EXPECT_EQ(browse.Label2.caption(), f.game.root().string());
    EXPECT_EQ(browse.QuakeDir.folders(),
              (std::vector<std::string>{"baseq2", "eraser"}));  // no files, no dot folders

    browse.QuakeDrive.setSelectedIndex(0);
    EXPECT_EQ(browse.QuakeDir.path(), fs::path("/"));
    browse.QuakeDrive.setSelectedIndex(1);
    EXPECT_EQ(browse.QuakeDir.path(), f.game.root());
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(Chooser, TheDriveListFollowsTheDirectoryListAboveADriveRoot) {
    MainWindowMode f;
    BrowseForm& browse = f.browse();

    ASSERT_TRUE(browse.QuakeDir.setPath(f.temp.path().parent_path()));

    EXPECT_EQ(browse.QuakeDrive.selectedIndex(), 0);
    EXPECT_EQ(browse.QuakeDir.path(), f.temp.path().parent_path());
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(Chooser, MainWindowSetTakesAFolderHoldingTheGameWithATrailingSeparator) {
    MainWindowMode f;
    const TempDir elsewhere;
    GameDirectoryBuilder other(elsewhere.path() / "q2");
    other.withGame();
    ASSERT_TRUE(f.browse().QuakeDir.setPath(other.root()));

    f.browse().SetButton.click();

    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.main().preferences.ExePathText.text(), other.root().string() + kPathSeparator);
    EXPECT_TRUE(f.main().enabled());
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"BrowseForm"});
    EXPECT_EQ(f.windows.focused, std::vector<std::string>{"VexmoorMain"});
    EXPECT_EQ(f.windows.quits, 0);
    EXPECT_EQ(readBytes(f.settingsFile), f.settingsBefore);  // stored only by Save Settings
}

TEST(Chooser, MainWindowSetWithoutTheGameRefusesAndStaysOpen) {
    MainWindowMode f;
    ASSERT_TRUE(f.browse().QuakeDir.setPath(f.game.root()));
    fs::create_directories(f.game.root() / "quake2.exe");  // a folder of that name does not count

    f.browse().SetButton.click();

    EXPECT_EQ(f.dialogs.texts(), std::vector<std::string>{kNoGame});
    EXPECT_EQ(f.dialogs.shown[0].title, "vexmoor");
    EXPECT_EQ(f.main().preferences.ExePathText.text(), f.game.text());
    EXPECT_FALSE(f.main().enabled());
    EXPECT_TRUE(f.windows.closed.empty());
}

TEST(Chooser, MainWindowCancelGivesTheWindowBackUnchanged) {
    MainWindowMode f;
    GameDirectoryBuilder other(f.temp.path() / "other");
    other.withGame();
    ASSERT_TRUE(f.browse().QuakeDir.setPath(other.root()));

    f.browse().CancelButton.click();

    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(f.main().preferences.ExePathText.text(), f.game.text());
    EXPECT_TRUE(f.main().enabled());
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"BrowseForm"});
    EXPECT_EQ(f.windows.focused, std::vector<std::string>{"VexmoorMain"});
    EXPECT_EQ(f.windows.quits, 0);
}

TEST(Chooser, FirstRunSetOnADriveRootWritesDefaultSettingsAndEndsTheProgram) {
    MainFixture f;
    f.game.withGame();
    f.drives.drives.push_back({"q2", f.game.text()});  // a root given with its separator keeps just one
    f.startUp();
    f.dialogs.shown.clear();
    BrowseForm& browse = *f.main().browseForm();
    browse.QuakeDrive.setSelectedIndex(2);

    browse.SetButton.click();

    EXPECT_EQ(f.dialogs.texts(), std::vector<std::string>{"New settings saved. Please restart Vexmoor."});
    EXPECT_EQ(f.dialogs.shown[0].title, "vexmoor");
    EXPECT_EQ(readBytes(f.settingsFile), "\"" + f.game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"BrowseForm"});
    EXPECT_EQ(f.windows.quits, 1);
}

TEST(Chooser, FirstRunSetWritesZeroForTheFlagsWhateverTheBoxesAdded) {
    FirstRunMode f;
    f.game.withGame();
    f.main().gameplay.WeaponsStayCheckBox.click();
    ASSERT_TRUE(f.browse().QuakeDir.setPath(f.game.root()));

    f.browse().SetButton.click();

    const std::string bytes = readBytes(f.settingsFile);
    EXPECT_EQ(bytes.substr(bytes.find("\r\n") + 2, 36), "1,1,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n");
    EXPECT_EQ(f.windows.quits, 1);
}

TEST(Chooser, FirstRunSetThatCannotWriteSaysSoAndStaysOpen) {
    FirstRunMode f;
    f.game.withGame();
#ifdef _WIN32
    // Windows writes into a folder marked read-only; a file in the folder's place stops it.
    fs::remove_all(f.settingsFile.parent_path());
    writeBytes(f.settingsFile.parent_path(), "not a folder");
#else
    makeReadOnly(f.settingsFile.parent_path());
#endif
    ASSERT_TRUE(f.browse().QuakeDir.setPath(f.game.root()));

    f.browse().SetButton.click();

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_NE(f.dialogs.shown[0].text.find(f.settingsFile.string()), std::string::npos);
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_EQ(f.windows.quits, 0);
    EXPECT_TRUE(f.windows.closed.empty());
    EXPECT_TRUE(f.windows.isOpen("BrowseForm"));
    EXPECT_FALSE(fs::exists(f.settingsFile));
}

TEST(Chooser, FirstRunSetWithoutTheGameRefusesAndWritesNothing) {
    FirstRunMode f;
    ASSERT_TRUE(f.browse().QuakeDir.setPath(f.game.root()));

    f.browse().SetButton.click();

    EXPECT_EQ(f.dialogs.texts(), std::vector<std::string>{kNoGame});
    EXPECT_EQ(f.windows.quits, 0);
    EXPECT_FALSE(fs::exists(f.settingsFile));
}

TEST(Chooser, FirstRunCancelSaysNothingWasWrittenAndEndsTheProgram) {
    FirstRunMode f;
    f.browse().CancelButton.click();
    EXPECT_EQ(f.dialogs.texts(),
              std::vector<std::string>{"No settings were written. Vexmoor keeps them in " +
                                       f.settingsFile.string() +
                                       " once you choose the game directory; the next start "
                                       "asks for it again."});
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"BrowseForm"});
    EXPECT_EQ(f.windows.quits, 1);
    EXPECT_FALSE(fs::exists(f.settingsFile));
}

// While the search runs the found list says so; then it offers what was
// found. Choosing a game moves the lists there, moving away lets it be
// chosen again, and a game gone since is told.
TEST(Chooser, OffersTheGamesFoundOnThisComputer) {
    MainFixture f;
    FakeGamePlaces places;
    places.given.home = fs::canonical(f.temp.path()) / "home";
    GameDirectoryBuilder game(places.given.home / "Games" / "Quake2");
    game.withEraserFolder().withGame();
    GameDirectoryBuilder gone(places.given.home / "Games" / "Gone");
    gone.withEraserFolder().withGame();
    f.gamePlaces = &places;
    f.startUp();
    f.dialogs.shown.clear();
    BrowseForm& browse = *f.main().browseForm();
    ListBox& found = browse.FoundGamesList;
    EXPECT_EQ(found.items(), std::vector<std::string>{kLookingText});
    EXPECT_FALSE(found.enabled());

    browse.waitForFoundGames();
    ASSERT_EQ(found.count(), 2u);
    EXPECT_TRUE(found.enabled());
    EXPECT_EQ(found.items()[1].rfind(game.text(), 0), 0u);
    fs::remove_all(gone.root());
    found.setSelectedIndex(0);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(
        f.dialogs.shown[0].text.rfind("This folder cannot be opened.\r\n\r\n" + gone.root().string(), 0), 0u);
    EXPECT_EQ(found.selectedIndex(), -1);
    found.setSelectedIndex(1);
    EXPECT_EQ(browse.QuakeDir.path(), game.root());
    EXPECT_EQ(browse.QuakeDrive.selectedIndex(), 1);
    ASSERT_TRUE(browse.QuakeDir.setPath(f.temp.path()));
    EXPECT_EQ(found.selectedIndex(), -1);
}

TEST(Chooser, ADriveThatIsNotReadyOffersRetryAndCancelPutsTheDriveListBack) {
    for (int retries = 0; retries <= 2; ++retries) {
        SCOPED_TRACE(retries);
        MainWindowMode f;
        f.drives.drives.push_back({"media", f.temp.path() / "no-medium"});
        f.browse().CancelButton.click();
        f.main().preferences.QuakePathButton.click();
        BrowseForm& browse = f.browse();
        ASSERT_TRUE(browse.QuakeDir.setPath(f.game.root()));
        for (int i = 0; i < retries; ++i) f.dialogs.answers.push_back(Answer::Retry);
        f.dialogs.answers.push_back(Answer::Cancel);

        browse.QuakeDrive.setSelectedIndex(2);

        ASSERT_EQ(f.dialogs.shown.size(), static_cast<std::size_t>(retries + 1));
        for (const Message& message : f.dialogs.shown) {
            EXPECT_EQ(message.text, "media is not accessible.\r\nThe device is not ready.");
            EXPECT_EQ(message.buttons, Buttons::RetryCancel);
            EXPECT_EQ(message.icon, Icon::Critical);
            EXPECT_EQ(message.title, "vexmoor");
        }
        EXPECT_EQ(browse.QuakeDrive.selectedIndex(), 1);
        EXPECT_EQ(browse.QuakeDir.path(), f.game.root());
    }
}

TEST(Chooser, ADriveThatBecomesReadyOnRetryIsEntered) {
    const TempDir dir;
    FakeDrives drives;
    drives.drives = {{"temp", dir.path()}, {"media", dir.path() / "media"}};
    // The medium goes in while the message is up.
    struct InsertOnShow : FakeDialogs {
        fs::path folder;
        Answer show(const Message& message) override {
            fs::create_directories(folder);
            FakeDialogs::show(message);
            return Answer::Retry;
        }
    } dialogs;
    dialogs.folder = dir.path() / "media";
    BrowseForm chooser(BrowseForm::Mode::MainWindow, dialogs, drives, {});

    chooser.QuakeDrive.setSelectedIndex(1);

    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(chooser.QuakeDir.path(), dir.path() / "media");
    EXPECT_EQ(chooser.QuakeDrive.selectedIndex(), 1);
}

TEST(Chooser, AFolderGoneFromADriveLeadsToTheDriveRootWithoutAMessage) {
    const TempDir dir;
    FakeDrives drives;
    drives.drives = {{"temp", dir.path()}, {"media", dir.path() / "media"}};
    fs::create_directories(dir.path() / "media" / "games");
    FakeDialogs dialogs;
    BrowseForm chooser(BrowseForm::Mode::MainWindow, dialogs, drives, {});
    chooser.QuakeDrive.setSelectedIndex(1);
    ASSERT_TRUE(chooser.QuakeDir.setPath(dir.path() / "media" / "games"));
    chooser.QuakeDrive.setSelectedIndex(0);
    fs::remove(dir.path() / "media" / "games");

    chooser.QuakeDrive.setSelectedIndex(1);

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(chooser.QuakeDir.path(), dir.path() / "media");
    EXPECT_EQ(chooser.QuakeDrive.selectedIndex(), 1);
}

TEST(Chooser, TheChosenDirectoryEndsInExactlyOneSeparator) {
    FakeDialogs dialogs;
    FakeDrives drives;
    const TempDir dir;
#ifdef _WIN32
    const std::string root = "c:\\";
#else
    const std::string root = "/";
#endif
    drives.drives = {{"root", root}, {"temp", dir.path()}};
    BrowseForm chooser(BrowseForm::Mode::MainWindow, dialogs, drives, {});
    EXPECT_EQ(chooser.chosenDirectory(), root);
    chooser.QuakeDrive.setSelectedIndex(1);
    EXPECT_EQ(chooser.chosenDirectory(), dir.text());
}

}  // namespace
TEST(Chooser, FirstRunSetCreatesAMissingSettingsFolder) {
    FirstRunMode f;
    f.game.withGame();
    fs::remove_all(f.settingsFile.parent_path());
    ASSERT_TRUE(f.browse().QuakeDir.setPath(f.game.root()));

    f.browse().SetButton.click();

    EXPECT_EQ(readBytes(f.settingsFile).rfind("\"" + f.game.text() + "\"\r\n", 0), 0u);
    EXPECT_EQ(f.windows.quits, 1);
}

}  // namespace vexmoor::testing
