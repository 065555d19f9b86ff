#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launcher/settings_file.h"
#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Three bots, deliberately not in alphabetical order, after a line the tidy
// step drops.
const std::string kRoster =
    "; our test bots\r\n"
    "[bots]\r\n"
    "\"Zed\"\"rook/slate\" 1  2  3  4  0  1  50 \r\n"
    "\"Amy\"\"wren/ember\" 2  2  2  2  1  0  80 \r\n"
    "\"Bob\"\"gaunt/ash\" 3  3  3  3  0  0  120 \r\n"
    "[teams]\r\n"
    "[view weapons]\r\n";

// Runs a test body with the working directory somewhere harmless, so that
// anything built from an empty game directory text would land there.
class ScopedCurrentPath {
public:
    explicit ScopedCurrentPath(const fs::path& path) : old_(fs::current_path()) { fs::current_path(path); }
    ~ScopedCurrentPath() { fs::current_path(old_); }

private:
    fs::path old_;
};

TEST(StartUp, WithoutASettingsFileWelcomesTheUserAndOpensTheFirstRunChooser) {
    MainFixture f;
    fs::create_directories(f.temp.path() / "cwd" / "eraser");
    ScopedCurrentPath cwd(f.temp.path() / "cwd");
    f.game.withRoster(kRoster);

    VexmoorMain& main = f.startUp();

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "Welcome! Please specify your Quake 2 directory.");
    EXPECT_EQ(f.dialogs.shown[0].title, "Welcome to Vexmoor");
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(f.dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_FALSE(main.visible());
    EXPECT_EQ(f.windows.opened, std::vector<std::string>{"BrowseForm"});
    ASSERT_NE(main.browseForm(), nullptr);
    EXPECT_EQ(main.browseForm()->mode(), BrowseForm::Mode::FirstRun);
    EXPECT_EQ(f.windows.quits, 0);

    EXPECT_EQ(f.roster.BotCount, 0);
    EXPECT_EQ(main.bots.SpecificBotList.count(), 0u);
    EXPECT_FALSE(fs::exists(f.temp.path() / "cwd" / "eraser" / "bots.cfg"));
    EXPECT_FALSE(fs::exists(f.settingsFile));
}

TEST(StartUp, WithASettingsFileLoadsTheStoredStatesMapsAndRoster) {
    MainFixture f;
    f.game.withRoster(kRoster).withMaps({"zeta.bsp", "alpha.bsp", "Mid.BSP"});
    f.writeSettings(
        "0,1,0,1,1,1,0,0,1,0,0,0,1,0,0,1\r\n4\r\n1,1,\"30\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n");

    VexmoorMain& main = f.startUp();

    EXPECT_TRUE(f.dialogs.shown.empty()) << f.dialogs.shown[0].text;
    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(f.windows.opened.empty());
    EXPECT_EQ(main.gameDirectory(), f.game.text());
    EXPECT_EQ(main.gameplay.FallingDamageCheckBox.state(), 0);
    EXPECT_EQ(main.gameplay.CloseOnExitCheckBox.state(), 1);
    EXPECT_EQ(main.gameplay.TimelimitCheckBox.fragment(), " +timelimit 30");
    EXPECT_EQ(main.flags.total, 4);

    // The external list shows the game's maps with the first selected, yet the
    // launch starts on the first internal map.
    EXPECT_EQ(main.maps.MapFile.items(), (std::vector<std::string>{"Mid.BSP", "alpha.bsp", "zeta.bsp"}));
    EXPECT_EQ(main.maps.MapFile.selectedIndex(), 0);
    EXPECT_EQ(main.maps.MapList.selectedIndex(), 0);
    EXPECT_EQ(main.maps.CTFList.selectedIndex(), 0);
    EXPECT_EQ(main.maps.MapFrame.fragment(), " +map q2dm1");
    EXPECT_TRUE(main.maps.InternalMapOption.chosen());

    EXPECT_EQ(main.bots.SpecificBotList.items(), (std::vector<std::string>{"Zed", "Amy", "Bob"}));
    EXPECT_EQ(f.roster.BotCount, 3);
    EXPECT_EQ(readBytes(f.game.root() / "eraser" / "bots.cfg"), kRoster.substr(kRoster.find("[bots]")));
}

TEST(StartUp, CreatesAMissingRosterAndSaysSo) {
    MainFixture f;
    f.game.withEraserFolder();
    f.writeSettings();

    VexmoorMain& main = f.startUp();

    ASSERT_EQ(f.dialogs.texts(), std::vector<std::string>{"No bots.cfg file found. One has been created."});
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_TRUE(fs::is_regular_file(f.game.root() / "eraser" / "bots.cfg"));
    EXPECT_EQ(main.bots.SpecificBotList.count(), 0u);
    EXPECT_EQ(main.maps.MapFrame.fragment(), " +map q2dm1");
}

TEST(StartUp, ABrokenFifthFieldIsToldOnceAndTheRestOfStartUpIsSkipped) {
    MainFixture f;
    f.game.withEraserFolder().withMaps({"alpha.bsp"});
    f.writeSettings(
        "0,1,1,x,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n");

    VexmoorMain& main = f.startUp();

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const Message& message = f.dialogs.shown[0];
    EXPECT_EQ(message.icon, Icon::Exclamation);
    EXPECT_NE(message.text.find(f.settingsFile.string() + ", line 2"), std::string::npos) << message.text;
    EXPECT_NE(message.text.find("\"x\""), std::string::npos) << message.text;

    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(f.windows.opened.empty());
    EXPECT_EQ(main.gameplay.FallingDamageCheckBox.state(), 0);
    EXPECT_EQ(main.gameplay.WeaponsStayCheckBox.state(), 1);
    EXPECT_EQ(main.gameplay.InstantPowerupsCheckBox.state(), 1);
    EXPECT_EQ(main.bots.SpecificBotList.count(), 0u);
    EXPECT_EQ(main.maps.MapFrame.fragment(), " +map q2dm1");
    EXPECT_EQ(main.maps.MapList.selectedIndex(), -1);  // the map steps did not run
    EXPECT_FALSE(fs::exists(f.game.root() / "eraser" / "bots.cfg"));
}

TEST(StartUp, ASettingsFileThatCannotBeReadIsNotTakenForAFirstRun) {
    MainFixture f;
    fs::create_directories(f.settingsFile);  // a folder where the file should be

    VexmoorMain& main = f.startUp();

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_NE(f.dialogs.shown[0].text.find(f.settingsFile.string()), std::string::npos);
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_TRUE(main.visible());
    EXPECT_TRUE(f.windows.opened.empty());
}

struct RosterFailureCase {
    const char* what;
    void (*prepare)(GameDirectoryBuilder&);
    std::string where;  // what the message must name after the roster path
};

void PrintTo(const RosterFailureCase& c, std::ostream* out) { *out << c.what; }

class StartUpRosterFailure : public ::testing::TestWithParam<RosterFailureCase> {};

TEST_P(StartUpRosterFailure, IsToldOnceNamingTheFileAndLeavesTheFileAndBotListAlone) {
    MainFixture f;
    GetParam().prepare(f.game);
    const fs::path roster = f.game.root() / "eraser" / "bots.cfg";
    const bool isFile = fs::is_regular_file(roster);
    const std::string before = isFile ? readBytes(roster) : std::string();
    f.writeSettings();

    VexmoorMain& main = f.startUp();

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_NE(f.dialogs.shown[0].text.find(roster.string() + GetParam().where), std::string::npos)
        << f.dialogs.shown[0].text;
    EXPECT_EQ(main.bots.SpecificBotList.count(), 0u);
    EXPECT_EQ(main.maps.MapFrame.fragment(), " +map q2dm1");  // the map steps came before
    EXPECT_EQ(fs::is_regular_file(roster), isFile);
    if (isFile) {
        EXPECT_EQ(readBytes(roster), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roster, StartUpRosterFailure,
    ::testing::Values(
        RosterFailureCase{
            "a folder named bots.cfg",
            [](GameDirectoryBuilder& g) { fs::create_directories(g.root() / "eraser" / "bots.cfg"); }, ":"},
        RosterFailureCase{"a bot record cut short",
                          [](GameDirectoryBuilder& g) {
                              g.withRoster(
                                  "[bots]\r\n\"Zed\"\"rook/slate\" 1  2  3  4  0  1  50 \r\n"
                                  "\"Amy\"\"wren/ember\" 2  2\r\n");
                          },
                          ", line 3"},
        RosterFailureCase{"no eraser folder to create it in", [](GameDirectoryBuilder&) {}, ":"}),
    [](const ::testing::TestParamInfo<RosterFailureCase>& param) {
        return "Case" + std::to_string(param.index);
    });

TEST(StartUp, ARosterWithoutBotsLeavesTheBotListEmpty) {
    MainFixture f;
    f.game.withRoster("[bots]\r\n[teams]\r\n\"Red\"\"R\"\"rook/rust\"[]\r\n[view weapons]\r\n");
    f.writeSettings();

    VexmoorMain& main = f.startUp();

    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(main.bots.SpecificBotList.count(), 0u);
    EXPECT_EQ(f.roster.TeamCount, 1);
}

}  // namespace
}  // namespace vexmoor::testing
