// Game setups on the main window: saving a game and loading it into another
// main window gives the same game (the same command line, launcher.cfg and
// settings, whatever the window held before); what cannot be put back is
// told; every started game is kept as "Last game". The Game Setups window is
// tested through its view.
#include "launcher/game_setups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/ports.h"
#include "launcher/launch.h"
#include "launcher/settings_file.h"
#include "launcher/setup_apply.h"
#include "launcher/vexmoor_main.h"
#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

// A game with two map files, three teams and a roster that holds one name
// twice and one with a letter of the code page.
struct SetupGame : StartedMain {
    SetupGame() {
        bots = {"Big Ed", "Tom", "Tom", "Zo\xEB"};
        teams = {"Reds", "Blues", "Greens"};
        game.withMaps({"alpha.bsp", "beta.bsp"});
    }

    // A main window on the same game and settings, as at a later start.
    VexmoorMain& another() {
        rosters.push_back(std::make_unique<Roster>());
        others.push_back(std::make_unique<VexmoorMain>(
            Services{dialogs, windows, alert, processes, settings, drives}, *rosters.back()));
        others.back()->startUp();
        return *others.back();
    }

    SetupStore store() { return main().setups.store(); }
    vexmoor::Setup lastGame() {
        auto read = store().load(kLastGameSetup, game.text());
        EXPECT_TRUE(read) << read.error().describe();
        return read ? read.value().setup : vexmoor::Setup{};
    }

    std::vector<std::unique_ptr<Roster>> rosters;
    std::vector<std::unique_ptr<VexmoorMain>> others;
};

// The setup as it comes back from its file.
vexmoor::Setup throughItsFile(const vexmoor::Setup& setup) {
    auto read = readSetupBytes(setupFileBytes(setup), "game.json");
    EXPECT_TRUE(read) << read.error().describe();
    EXPECT_TRUE(read.value().skipped.empty());
    return read.value().setup;
}

// The gameplay page's boxes besides the deathmatch flags.
std::vector<CheckBox*> serverBoxes(GameplayPage& g) {
    return {&g.ViewableWeaponsCheckBox, &g.AllowCheatsCheckBox,   &g.BotCalcNodesCheck,
            &g.DedicatedCheckBox,       &g.TimelimitCheckBox,     &g.FraglimitCheckBox,
            &g.MaxPlayersCheckBox,      &g.CloseOnExitCheckBox,   &g.CommandLineEditCheck,
            &g.BotConnectInfoCheckBox,  &g.ClientCommandsCheckBox};
}

using Play = std::function<void(VexmoorMain&)>;

// A window on which much was changed: a CTF game with its options, or a
// team game; loading must undo all of it.
void ctfGame(VexmoorMain& m) {
    auto& g = m.gameplay;
    for (CheckBox* box : g.flagBoxes()) box->click();
    for (CheckBox* box : serverBoxes(g)) box->click();
    g.TimeLimitText.setText("99");
    g.FragLimitText.setText("77");
    g.ClientLatencyText.setText("5");
    g.MaxPlayersText.setText("3");
    g.BotFreeClientsText.setText("1");
    m.bots.BotSkillSlider.setValue(2);
    m.bots.BotAutoskillCheck.click();
    m.bots.BotNumText.setText("9");
    m.bots.SpawnSpecificBotsOption.choose();
    // Both bots of one name, and the one with a letter of the code page.
    for (const std::size_t bot : {1u, 2u, 3u}) m.bots.SpecificBotList.setSelected(bot, true);
    m.maps.MapList.setSelectedIndex(5);
    m.maps.CTFMapOption.choose();
    m.maps.CTFList.setSelectedIndex(4);
    for (CheckBox* box :
         {&m.maps.ForceJoinCheckBox, &m.maps.ArmorProtectCheckBox, &m.maps.NoTechPowerupsCheckBox})
        box->click();
}

// Here a limit's text is typed before its box is checked, or alone.
void teamGame(VexmoorMain& m) {
    m.gameplay.AllowCheatsCheckBox.setState(2);  // grayed, as only a stored file gives it
    m.gameplay.FriendlyFireCheckBox.setState(2);
    m.gameplay.FragLimitText.setText("50");
    m.gameplay.FraglimitCheckBox.click();
    m.gameplay.TimeLimitText.setText("45");
    m.maps.ExternalMapOption.choose();
    m.maps.MapFile.setSelectedIndex(1);
    m.teamplay.TeamplayCheckBox.click();
    m.teamplay.YourTeamList.setSelectedIndex(2);
    m.teamplay.BotTeamList.setSelected(0, true);
    m.teamplay.BotTeamList.setSelected(1, true);
    m.teamplay.PlayersPerTeamText.setText("8");
    m.bots.BotNumScroll.setValue(0);
    m.bots.BotNumText.setText("lots");
}

// The two whole games, and the orders of setting that spell a fragment
// another way or that the rules treat apart; every control the setup keeps
// changes in at least one row.
const std::pair<const char*, Play> kRows[] = {
    {"a whole CTF game", ctfGame},
    {"a whole team game", teamGame},
    // " +set cheats  0", " +skill  0" and the like: the same values, spelled as a second click leaves them.
    {"controls set and set back",
     [](VexmoorMain& m) {
         for (CheckBox* box : serverBoxes(m.gameplay)) {
             box->click();
             box->click();
         }
         m.bots.BotSkillSlider.setValue(2);
         m.bots.BotSkillSlider.setValue(0);
         m.bots.BotAutoskillCheck.click();
         m.bots.BotAutoskillCheck.click();
         m.bots.SpawnSpecificBotsOption.choose();
         m.bots.SpawnRandomBotsOption.choose();
         m.teamplay.TeamplayCheckBox.click();
         m.teamplay.TeamplayCheckBox.click();
     }},
    {"count typed, then specific and random again",
     [](VexmoorMain& m) {
         m.bots.BotNumText.setText("5");
         m.bots.SpawnSpecificBotsOption.choose();
         m.bots.SpawnRandomBotsOption.choose();
     }},
    {"count rounded", [](VexmoorMain& m) { m.bots.BotNumText.setText("3.7"); }},
    {"CTF options left behind",
     [](VexmoorMain& m) {
         m.maps.MapList.setSelectedIndex(9);
         m.maps.CTFMapOption.choose();
         m.maps.ForceJoinCheckBox.click();
         m.maps.InternalMapOption.choose();
     }},
    {"a CTF option the stored total counts",
     [](VexmoorMain& m) {
         m.maps.CTFMapOption.choose();
         m.maps.ForceJoinCheckBox.click();
     }},
    {"teamplay over a CTF map",
     [](VexmoorMain& m) {
         m.maps.CTFMapOption.choose();
         m.teamplay.TeamplayCheckBox.click();
     }},
};

// The settings file's stored total wins over the boxes, and so does the total
// a setup stored: a CTF option the stored total already counts carries into
// the next bit, and loading gives that very total.
TEST(SetupApply, EveryControlSavedAndLoadedGivesTheSameCommandLineLauncherCfgAndSettings) {
    SetupGame game;
    game.tail = settingsTail(kDefaultStates, "131072", kDefaultServer);
    game.start();
    const vexmoor::Setup untouched = captureSetup(game.another());
    std::set<std::string> changed;
    const std::pair<const char*, Play> before[] = {
        {"a fresh window", [](VexmoorMain&) {}}, {"a CTF game", ctfGame}, {"a team game", teamGame}};

    for (const auto& [what, play] : kRows) {
        SCOPED_TRACE(what);
        VexmoorMain& saved = game.another();
        play(saved);
        const vexmoor::Setup setup = captureSetup(saved);
        for (const auto& [name, value] : setup.controls)
            if (untouched.controls.at(name) != value) changed.insert(name);

        const vexmoor::Setup fromFile = throughItsFile(setup);
        EXPECT_EQ(fromFile, setup);
        for (const auto& [state, playBefore] : before) {
            SCOPED_TRACE(std::string("loaded into ") + state);
            VexmoorMain& loaded = game.another();
            playBefore(loaded);
            game.dialogs.shown.clear();
            EXPECT_EQ(applySetup(fromFile, loaded), std::vector<std::string>());
            EXPECT_EQ(game.dialogs.texts(), std::vector<std::string>());
            EXPECT_EQ(launchCommandLine(loaded), launchCommandLine(saved));
            EXPECT_EQ(launcherCfgBytes(loaded), launcherCfgBytes(saved));
            EXPECT_EQ(settingsFileBytes(loaded, loaded.flags.total),
                      settingsFileBytes(saved, saved.flags.total));
            EXPECT_EQ(captureSetup(loaded), setup);
        }
    }
    std::set<std::string> all;
    for (const SetupControl& control : setupControls()) all.insert(control.name);
    EXPECT_EQ(changed, all);
}

// Later, a bot and a team left the roster, a map file is gone and the file
// gained a value out of range: all of it is told in one message, the rest is
// applied, and the game is not launched before the player has seen it.
TEST(SetupApply, WhatCannotBeAppliedIsListedInOneMessageAndTheRestApplied) {
    SetupGame game;
    game.start();
    VexmoorMain& saved = game.another();
    teamGame(saved);
    saved.bots.SpawnSpecificBotsOption.choose();
    saved.bots.SpecificBotList.setSelected(1, true);
    saved.bots.SpecificBotList.setSelected(3, true);
    ASSERT_TRUE(saved.setups.save("Friday"));
    const std::filesystem::path file = saved.setups.store().fileOf("Friday");
    std::string bytes = readBytes(file);
    bytes.replace(bytes.find("\"BotSkillSlider\": 0"), 19, "\"BotSkillSlider\": 9");
    writeBytes(file, bytes);
    game.game.withRoster(rosterFile({"Big Ed", "Tom", "Tom"}, {"Reds", "Greens"}));
    std::filesystem::remove(game.game.root() / "baseq2" / "maps" / "beta.bsp");

    VexmoorMain& loaded = game.another();
    game.dialogs.shown.clear();
    loaded.setups.load("Friday", true);
    EXPECT_TRUE(game.processes.starts.empty());
    ASSERT_EQ(game.dialogs.shown.size(), 1u);
    EXPECT_EQ(game.dialogs.shown[0].title, "Setup partly loaded");
    EXPECT_EQ(game.dialogs.shown[0].text,
              "Not all of the setup \"Friday\" could be loaded; everything else is.\r\n"
              "\r\n- BotSkillSlider is passed over: 9 is outside 0 to 3."
              "\r\n- The map file \"beta.bsp\" is no longer in " +
                  pathText(game.game.root() / "baseq2" / "maps") +
                  "."
                  "\r\n- The team \"Blues\" is no longer in the roster."
                  "\r\n- The bot \"Zo\xEB\" is no longer in the roster."
                  "\r\n\r\nThe game was not started, so that you can look at the setup first.");
    EXPECT_EQ(loaded.gameplay.AllowCheatsCheckBox.state(), 2);
    EXPECT_TRUE(loaded.maps.ExternalMapOption.chosen());
    EXPECT_EQ(loaded.bots.SpecificBotList.selectedItems(), std::vector<std::string>{"Tom"});
    EXPECT_EQ(launcherCfgBytes(loaded), "cmd join Greens\r\nsv teams Reds\r\n");

    // A file that is no setup any more is told with its reason and changes nothing.
    const std::string before = launchCommandLine(loaded);
    writeBytes(file, "{\"VexmoorSetup\": 1}");
    loaded.setups.load("Friday", true);
    EXPECT_EQ(game.dialogs.shown.back().text, "The setup \"Friday\" cannot be loaded.\r\n\r\n" +
                                                  pathText(file) +
                                                  ": it names no game directory (\"GameDirectory\")");
    EXPECT_EQ(launchCommandLine(loaded), before);
    EXPECT_TRUE(game.processes.starts.empty());
}

// What the rules would refuse a user is left as it is and said in a
// sentence, without the message the rule gives a user.
TEST(SetupApply, WhatTheRulesRefuseStaysAsItIsAndIsSaidSo) {
    struct Case {
        std::map<std::string, SetupValue> controls;
        std::string missed;
        std::vector<std::string> teams = {"Reds"};
        bool mapFiles = true;
        OptionButton MapsPage::*mapType = &MapsPage::InternalMapOption;
    };
    const Case cases[] = {
        {{{"TeamplayCheckBox", 1}}, "Teamplay stays off: the roster has no team.", {}},
        {{{"TeamplayCheckBox", 1}, {"CTFMapOption", true}},
         "Teamplay stays off: it cannot be played on a CTF map.",
         {"Reds"},
         true,
         &MapsPage::CTFMapOption},
        {{{"InternalMapOption", true}, {"CTFMapOption", true}},
         "The setup chooses more than one of \"Q2 Internal\", \"Q2 External\", \"Q2 CTF\", so the choice "
         "stays as it is."},
        {{{"ExternalMapOption", true}},
         "The map type \"Q2 External\" cannot be chosen: there is no map file to choose from.",
         {"Reds"},
         false},
    };
    for (const Case& c : cases) {
        SetupGame game;
        game.teams = c.teams;
        if (!c.mapFiles) std::filesystem::remove_all(game.game.root() / "baseq2" / "maps");
        VexmoorMain& main = game.start();
        EXPECT_EQ(applySetup({"", c.controls, {}, {}}, main), std::vector<std::string>{c.missed});
        EXPECT_EQ(game.dialogs.texts(), std::vector<std::string>()) << c.missed;
        EXPECT_EQ(main.teamplay.TeamplayCheckBox.state(), 0) << c.missed;
        EXPECT_TRUE((main.maps.*c.mapType).chosen()) << c.missed;
    }
}

// A fragment the setup kept is put back only where the game reads it as the
// one the rules built: it cannot bring another value into the launch.
TEST(SetupApply, AKeptFragmentOnlyChangesTheSpelling) {
    struct Case {
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {" +set cheats 0", " +set cheats  0", true},
        {" +bot_num 3", " +set bot_num 3", true},
        {" +set cheats 0", " +set cheats 1", false},
        {" +map q2dm1", " +map base2", false},
        {" +bot_num 3", " +bot_num 3 +exec evil", false},
        {" +timelimit \"a  b\"", " +timelimit \"a b\"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameToTheGame(c.a, c.b), c.same) << "'" << c.a << "' and '" << c.b << "'";
        EXPECT_EQ(sameToTheGame(c.b, c.a), c.same) << "'" << c.b << "' and '" << c.a << "'";
    }

    SetupGame game;
    VexmoorMain& main = game.start();
    vexmoor::Setup setup = captureSetup(main);
    setup.fragments["AllowCheatsCheckBox"] = " +set cheats 1";
    setup.fragments["MapFrame"] = " +map  q2dm1";
    applySetup(setup, main);
    EXPECT_EQ(main.gameplay.AllowCheatsCheckBox.fragment(), " +set cheats 0");
    EXPECT_EQ(main.maps.MapFrame.fragment(), " +map  q2dm1");
}

// A setup that cannot be kept is told, and the game runs all the same.
TEST(LastGame, EveryGameThatStartedIsKeptAsLastGameReplacingTheOneBeforeOrTheUserIsTold) {
    SetupGame s;
    VexmoorMain& m = s.start();
    std::filesystem::create_directories(s.store().folder().parent_path());
    writeBytes(s.store().folder(), "a file where the folder would be");
    m.gameplay.CloseOnExitCheckBox.click();
    m.LaunchButton.click();
    EXPECT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.windows.quits, 1);
    ASSERT_EQ(s.dialogs.shown.size(), 1u);
    EXPECT_TRUE(s.dialogs.shown[0].text.starts_with(
        "The game was started, but it could not be kept as the setup \"Last game\".\r\n\r\n" +
        pathText(s.store().fileOf(kLastGameSetup)) + ": its folder cannot be made"));
    std::filesystem::remove(s.store().folder());

    s.processes.failWith = "no such program";
    m.LaunchButton.click();
    EXPECT_FALSE(s.store().exists(kLastGameSetup));
    s.processes.failWith.reset();
    m.LaunchButton.click();
    EXPECT_EQ(s.lastGame(), captureSetup(m));

    // Through the review: Return starts nothing, Go starts the game.
    m.maps.CTFMapOption.choose();
    m.gameplay.CommandLineEditCheck.click();
    m.LaunchMenu.click();
    m.cmdLineForm()->ReturnButton.click();
    EXPECT_NE(s.lastGame(), captureSetup(m));
    m.LaunchButton.click();
    m.cmdLineForm()->GoButton.click();
    EXPECT_EQ(s.lastGame(), captureSetup(m));
    EXPECT_EQ(s.store().names(s.game.text()), std::vector<std::string>{kLastGameSetup});
}

}  // namespace
}  // namespace vexmoor::testing
