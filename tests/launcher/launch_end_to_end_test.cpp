// The whole way from a settings file to a started game: a generated game
// directory with a stand-in quake2.exe, the real process starter, start-up,
// changes through the controls, and the launch.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "options/started_main.h"
#include "platform/process_starter.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;
using Record = std::vector<std::string>;

// A main window on the real process starter; everything else on fakes.
struct RealGame {
    explicit RealGame(const std::string& folderName)
        : game(temp.path() / folderName), settings(temp.path() / "config" / "vexmoor.ini") {}

    VexmoorMain& start(const std::vector<std::string>& bots, const std::vector<std::string>& teams,
                       const std::string& tail = MainFixture::kDefaultSettingsTail) {
        game.withRoster(rosterFile(bots, teams)).withMapArchive().withGame();
        writeBytes(settings.settingsFile(), "\"" + game.text() + "\"\r\n" + tail);
        window = std::make_unique<VexmoorMain>(Services{dialogs, windows, alert, processes, settings, drives},
                                               roster);
        window->startUp();
        return *window;
    }

    // The stand-in runs on its own; wait a while for its record.
    std::vector<Record> waitForStarts(std::size_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        auto starts = game.recordedStarts();
        while (starts.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            starts = game.recordedStarts();
        }
        return starts;
    }

    // What the stand-in records: where it ran, then the arguments, which are
    // the command line after the program, split at blanks.
    Record expected(const std::string& arguments) const {
        Record record = {fs::canonical(game.root()).string()};
        const Record program = programWords();
        record.insert(record.end(), program.begin(), program.end());
        std::istringstream words(arguments);
        for (std::string word; words >> word;) record.push_back(word);
        return record;
    }

    // On Windows the game's own runtime splits the command line it is given,
    // and the unquoted program path ends at its first blank: the words of the
    // path after that blank come first among the arguments. (The game reads
    // only the words that begin with "+".) Elsewhere the starter splits it
    // and knows the whole path is the program.
    Record programWords() const {
        Record words;
#ifdef _WIN32
        std::istringstream path(game.text() + "quake2.exe");
        std::string word;
        path >> word;
        while (path >> word) words.push_back(word);
#endif
        return words;
    }

    // Windows only: the game got the command line byte for byte.
    void expectCommandLine([[maybe_unused]] std::size_t start,
                           [[maybe_unused]] const std::string& commandLine) const {
#ifdef _WIN32
        const auto lines = game.recordedCommandLines();
        ASSERT_GT(lines.size(), start);
        EXPECT_EQ(lines[start], commandLine);
#endif
    }

    fs::path launcherCfg() const { return game.root() / "eraser" / "launcher.cfg"; }

    TempDir temp;
    GameDirectoryBuilder game;
    FakeDialogs dialogs;
    FakeWindows windows;
    FakeAlert alert;
    SystemProcessStarter processes;
    FakeSettingsLocation settings;
    FakeDrives drives;
    Roster roster;
    std::unique_ptr<VexmoorMain> window;
};

TEST(LaunchEndToEndTest, ASessionOfThreeLaunches) {
    RealGame r("game");
    r.game.withMaps({"moorfort.bsp"});
    // Cheats on; a time limit of 15.
    VexmoorMain& w =
        r.start({"Big Ed", "Quill", "Tom"}, {"Red Fangs", "Ashen", "Gloam"},
                settingsTail(kDefaultStates, "0", "0,1,\"15\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,1,1,0"));
    ASSERT_TRUE(r.dialogs.shown.empty());

    w.bots.BotSkillSlider.setValue(2);
    w.gameplay.ForceRespawnCheckBox.click();
    w.bots.BotNumScroll.setValue(3);
    w.maps.ExternalMapOption.choose();
    w.LaunchButton.click();
    auto starts = r.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0],
              r.expected("+set game eraser +skill 2 +teamplay 0 +map moorfort"
                         " +set bot_show_connect_info 1 +set bot_allow_client_commands 1"
                         " +set bot_auto_skill 1 +set bot_num 3 +cmd lag 1 +set dmflags 1024"
                         " +set view_weapons 0 +set cheats 1 +set bot_calc_nodes 1 +timelimit 15"));
    EXPECT_EQ(readBytes(r.launcherCfg()), "");

    w.bots.SpawnSpecificBotsOption.choose();
    w.bots.SpecificBotList.setSelected(2, true);
    w.bots.SpecificBotList.setSelected(0, true);
    w.LaunchButton.click();
    starts = r.waitForStarts(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1],
              r.expected("+set game eraser +skill 2 +teamplay 0 +map moorfort"
                         " +set bot_show_connect_info 1 +set bot_allow_client_commands 1"
                         " +set bot_auto_skill 1 +cmd lag 1 +set dmflags 1024"
                         " +set view_weapons 0 +set cheats 1 +set bot_calc_nodes 1 +timelimit 15"));
    EXPECT_EQ(readBytes(r.launcherCfg()), "sv bots Big~Ed Tom\r\n");

    w.teamplay.TeamplayCheckBox.click();
    w.teamplay.YourTeamList.setSelectedIndex(1);
    w.teamplay.BotTeamList.setSelected(0, true);
    w.teamplay.BotTeamList.setSelected(2, true);
    w.teamplay.PlayersPerTeamText.setText("5");
    w.LaunchButton.click();
    starts = r.waitForStarts(3);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[2],
              r.expected("+set game eraser +set players_per_team 5 +skill 2 +set teamplay 1"
                         " +map moorfort +set bot_show_connect_info 1 +set bot_allow_client_commands 1"
                         " +set bot_auto_skill 1 +cmd lag 1 +set dmflags 1024"
                         " +set view_weapons 0 +set cheats 1 +set bot_calc_nodes 1 +timelimit 15"));
    EXPECT_EQ(readBytes(r.launcherCfg()), "cmd join Ashen\r\nsv teams Red Fangs Gloam\r\n");
    EXPECT_TRUE(r.dialogs.shown.empty());
    EXPECT_EQ(r.windows.quits, 0);
}

TEST(LaunchEndToEndTest, AGameDirectoryWithBlanksInItsNameLaunches) {
    RealGame r("Quake 2  Moor Edition");
    VexmoorMain& w = r.start({"Tom"}, {});
    w.gameplay.CloseOnExitCheckBox.click();
    w.LaunchButton.click();
    const auto starts = r.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], r.expected(defaultCommandLine("").substr(std::string("quake2.exe ").size())));
    r.expectCommandLine(0, r.game.text() + defaultCommandLine(""));
    EXPECT_TRUE(r.dialogs.shown.empty());
    EXPECT_EQ(r.windows.quits, 1);
}

TEST(LaunchEndToEndTest, WithTheReviewWindowTheEditedTextStartsAtGo) {
    RealGame r("Quake 2");
    // The review window is on.
    VexmoorMain& w = r.start(
        {"Tom"}, {}, settingsTail(kDefaultStates, "0", "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,1"));
    w.LaunchButton.click();
    ASSERT_NE(w.cmdLineForm(), nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(r.game.recordedStarts().empty());

    const std::string edited =
        r.game.text() + "quake2.exe +set game eraser +map q2dm3 +set hostname \"Moor Keep\"";
    w.cmdLineForm()->CommandLineText.setText(edited);
    w.cmdLineForm()->GoButton.click();
    const auto starts = r.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    Record expected = {fs::canonical(r.game.root()).string()};
    for (const auto& word : r.programWords()) expected.push_back(word);
    for (const char* word : {"+set", "game", "eraser", "+map", "q2dm3", "+set", "hostname", "Moor Keep"})
        expected.push_back(word);
    EXPECT_EQ(starts[0], expected);
    r.expectCommandLine(0, edited);
    EXPECT_TRUE(r.dialogs.shown.empty());
}

TEST(LaunchEndToEndTest, AMissingGameIsReportedByName) {
    RealGame r("game");
    VexmoorMain& w = r.start({"Tom"}, {});
    fs::remove(r.game.root() / "quake2.exe");
    w.gameplay.CloseOnExitCheckBox.click();
    w.LaunchButton.click();
    ASSERT_EQ(r.dialogs.shown.size(), 1u);
    EXPECT_EQ(r.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_NE(r.dialogs.shown[0].text.find(r.game.text() + "quake2.exe"), std::string::npos)
        << r.dialogs.shown[0].text;
    EXPECT_EQ(r.windows.quits, 0);
}

}  // namespace
}  // namespace vexmoor::testing
