// Saving a game as a setup and loading it into another main window gives
// the same game: the same command line, the same launcher.cfg, the same
// settings, whatever the window held before.
#include "launcher/setup_apply.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "launcher/launch.h"
#include "launcher/settings_file.h"
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

void expectSameGame(VexmoorMain& loaded, VexmoorMain& saved) {
    EXPECT_EQ(launchCommandLine(loaded), launchCommandLine(saved));
    EXPECT_EQ(launcherCfgBytes(loaded), launcherCfgBytes(saved));
    EXPECT_EQ(settingsFileBytes(loaded, loaded.flags.total), settingsFileBytes(saved, saved.flags.total));
    EXPECT_EQ(captureSetup(loaded), captureSetup(saved));
}

using Play = std::function<void(VexmoorMain&)>;

// A window on which much was changed: a CTF game with its options, or a
// team game; loading must undo all of it.
void ctfGame(VexmoorMain& m) {
    auto& g = m.gameplay;
    for (CheckBox* box : g.flagBoxes()) box->click();
    for (CheckBox* box :
         {&g.ViewableWeaponsCheckBox, &g.AllowCheatsCheckBox, &g.BotCalcNodesCheck, &g.DedicatedCheckBox,
          &g.TimelimitCheckBox, &g.FraglimitCheckBox, &g.MaxPlayersCheckBox, &g.CloseOnExitCheckBox,
          &g.CommandLineEditCheck, &g.BotConnectInfoCheckBox, &g.ClientCommandsCheckBox})
        box->click();
    g.TimeLimitText.setText("99");
    g.FragLimitText.setText("77");
    g.ClientLatencyText.setText("5");
    g.MaxPlayersText.setText("3");
    g.BotFreeClientsText.setText("1");
    m.bots.BotSkillSlider.setValue(2);
    m.bots.BotAutoskillCheck.click();
    m.bots.BotNumText.setText("9");
    m.bots.SpawnSpecificBotsOption.choose();
    m.bots.SpecificBotList.setSelected(0, true);
    m.bots.SpecificBotList.setSelected(3, true);
    m.maps.MapList.setSelectedIndex(5);
    m.maps.CTFMapOption.choose();
    m.maps.CTFList.setSelectedIndex(4);
    for (CheckBox* box :
         {&m.maps.ForceJoinCheckBox, &m.maps.ArmorProtectCheckBox, &m.maps.NoTechPowerupsCheckBox})
        box->click();
}

void teamGame(VexmoorMain& m) {
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

struct Row {
    std::string what;
    Play play;
};

// Each control set as a user sets it, alone, and some in the orders that
// spell a fragment another way or carry the flags total; every control the
// setup keeps changes in at least one row.
std::vector<Row> rows() {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < 14; ++i)
        rows.push_back(
            {"flag box " + std::to_string(i), [i](VexmoorMain& m) { m.gameplay.flagBoxes()[i]->click(); }});
    const auto clicks = [](CheckBox GameplayPage::*box, int times) {
        return [box, times](VexmoorMain& m) {
            for (int i = 0; i < times; ++i) (m.gameplay.*box).click();
        };
    };
    const std::pair<const char*, CheckBox GameplayPage::*> boxes[] = {
        {"Viewable Weapons", &GameplayPage::ViewableWeaponsCheckBox},
        {"Close on Exit", &GameplayPage::CloseOnExitCheckBox},
        {"Edit command line", &GameplayPage::CommandLineEditCheck},
        {"Dedicated", &GameplayPage::DedicatedCheckBox},
        {"Node Calculation", &GameplayPage::BotCalcNodesCheck},
        {"Allow Cheats", &GameplayPage::AllowCheatsCheckBox},
        {"Connect Info", &GameplayPage::BotConnectInfoCheckBox},
        {"Client Commands", &GameplayPage::ClientCommandsCheckBox},
        {"Max Players", &GameplayPage::MaxPlayersCheckBox},
    };
    for (const auto& [name, box] : boxes) {
        rows.push_back({std::string(name) + " clicked", clicks(box, 1)});
        rows.push_back({std::string(name) + " clicked twice", clicks(box, 2)});
    }
    rows.push_back({"grayed boxes", [](VexmoorMain& m) {
                        m.gameplay.AllowCheatsCheckBox.setState(2);
                        m.gameplay.FriendlyFireCheckBox.setState(2);
                    }});
    rows.push_back({"time limit", [](VexmoorMain& m) {
                        m.gameplay.TimelimitCheckBox.click();
                        m.gameplay.TimeLimitText.setText("30");
                    }});
    rows.push_back({"time limit text alone", [](VexmoorMain& m) { m.gameplay.TimeLimitText.setText("45"); }});
    rows.push_back({"frag limit", [](VexmoorMain& m) {
                        m.gameplay.FragLimitText.setText("50");
                        m.gameplay.FraglimitCheckBox.click();
                    }});
    rows.push_back({"hidden and server texts", [](VexmoorMain& m) {
                        m.gameplay.ClientLatencyText.setText("250");
                        m.gameplay.MaxPlayersText.setText("12");
                        m.gameplay.BotFreeClientsText.setText("2");
                    }});

    rows.push_back({"specific bots", [](VexmoorMain& m) {
                        m.bots.SpawnSpecificBotsOption.choose();
                        m.bots.SpecificBotList.setSelected(0, true);
                        m.bots.SpecificBotList.setSelected(3, true);
                    }});
    rows.push_back({"the second of two bots of one name", [](VexmoorMain& m) {
                        m.bots.SpawnSpecificBotsOption.choose();
                        m.bots.SpecificBotList.setSelected(2, true);
                    }});
    rows.push_back({"both bots of one name", [](VexmoorMain& m) {
                        m.bots.SpawnSpecificBotsOption.choose();
                        m.bots.SpecificBotList.setSelected(1, true);
                        m.bots.SpecificBotList.setSelected(2, true);
                    }});
    rows.push_back({"specific, then random again", [](VexmoorMain& m) {
                        m.bots.SpawnSpecificBotsOption.choose();
                        m.bots.SpawnRandomBotsOption.choose();
                    }});
    rows.push_back({"count typed", [](VexmoorMain& m) { m.bots.BotNumText.setText("5"); }});
    rows.push_back({"count typed, then random again", [](VexmoorMain& m) {
                        m.bots.BotNumText.setText("5");
                        m.bots.SpawnSpecificBotsOption.choose();
                        m.bots.SpawnRandomBotsOption.choose();
                    }});
    rows.push_back({"count scrolled", [](VexmoorMain& m) { m.bots.BotNumScroll.setValue(12); }});
    rows.push_back({"count rounded", [](VexmoorMain& m) { m.bots.BotNumText.setText("3.7"); }});
    rows.push_back({"count as a word at 0", [](VexmoorMain& m) {
                        m.bots.BotNumScroll.setValue(0);
                        m.bots.BotNumText.setText("many");
                    }});
    rows.push_back({"skill", [](VexmoorMain& m) { m.bots.BotSkillSlider.setValue(3); }});
    rows.push_back({"skill back to easy", [](VexmoorMain& m) {
                        m.bots.BotSkillSlider.setValue(2);
                        m.bots.BotSkillSlider.setValue(0);
                    }});
    rows.push_back({"auto skill", [](VexmoorMain& m) { m.bots.BotAutoskillCheck.click(); }});
    rows.push_back({"auto skill twice", [](VexmoorMain& m) {
                        m.bots.BotAutoskillCheck.click();
                        m.bots.BotAutoskillCheck.click();
                    }});

    rows.push_back({"internal map", [](VexmoorMain& m) { m.maps.MapList.setSelectedIndex(9); }});
    rows.push_back({"external map", [](VexmoorMain& m) {
                        m.maps.ExternalMapOption.choose();
                        m.maps.MapFile.setSelectedIndex(1);
                    }});
    rows.push_back({"CTF map with its options", [](VexmoorMain& m) {
                        m.maps.CTFMapOption.choose();
                        m.maps.CTFList.setSelectedIndex(2);
                        m.maps.ForceJoinCheckBox.click();
                        m.maps.ArmorProtectCheckBox.click();
                        m.maps.NoTechPowerupsCheckBox.click();
                    }});
    rows.push_back({"CTF options left behind", [](VexmoorMain& m) {
                        m.maps.MapList.setSelectedIndex(9);
                        m.maps.CTFMapOption.choose();
                        m.maps.ForceJoinCheckBox.click();
                        m.maps.InternalMapOption.choose();
                    }});

    rows.push_back({"teamplay", [](VexmoorMain& m) {
                        m.teamplay.TeamplayCheckBox.click();
                        m.teamplay.YourTeamList.setSelectedIndex(1);
                        m.teamplay.BotTeamList.setSelected(0, true);
                        m.teamplay.BotTeamList.setSelected(2, true);
                        m.teamplay.PlayersPerTeamText.setText("6");
                    }});
    rows.push_back({"teamplay on and off", [](VexmoorMain& m) {
                        m.teamplay.TeamplayCheckBox.click();
                        m.teamplay.TeamplayCheckBox.click();
                    }});
    rows.push_back({"teamplay over a CTF map", [](VexmoorMain& m) {
                        m.maps.CTFMapOption.choose();
                        m.teamplay.TeamplayCheckBox.click();
                    }});
    rows.push_back({"a whole CTF game", ctfGame});
    rows.push_back({"a whole team game", teamGame});
    return rows;
}

TEST(SetupApply, EveryControlSavedAndLoadedGivesTheSameCommandLineLauncherCfgAndSettings) {
    SetupGame game;
    game.start();
    const vexmoor::Setup untouched = captureSetup(game.another());
    std::set<std::string> changed;
    const std::pair<const char*, Play> before[] = {
        {"a fresh window", [](VexmoorMain&) {}}, {"a CTF game", ctfGame}, {"a team game", teamGame}};

    for (const Row& row : rows()) {
        SCOPED_TRACE(row.what);
        VexmoorMain& saved = game.another();
        row.play(saved);
        const vexmoor::Setup setup = captureSetup(saved);
        for (const auto& [name, value] : setup.controls)
            if (untouched.controls.at(name) != value) changed.insert(name);

        const vexmoor::Setup fromFile = throughItsFile(setup);
        EXPECT_EQ(fromFile, setup);
        for (const auto& [state, play] : before) {
            SCOPED_TRACE(std::string("loaded into ") + state);
            VexmoorMain& loaded = game.another();
            play(loaded);
            game.dialogs.shown.clear();
            EXPECT_EQ(applySetup(fromFile, loaded), std::vector<std::string>());
            EXPECT_EQ(game.dialogs.texts(), std::vector<std::string>());
            expectSameGame(loaded, saved);
        }
    }
    std::set<std::string> all;
    for (const SetupControl& control : setupControls()) all.insert(control.name);
    EXPECT_EQ(changed, all);
}

// What the settings file stored wins over the boxes, and so does the total a
// setup stored: checking a CTF option that the stored total already counts
// carries into the next bit, and loading gives that very total.
TEST(SetupApply, TheFlagsTotalComesBackExactlyWhateverTheBoxesAdded) {
    SetupGame game;
    game.tail = settingsTail(kDefaultStates, "131072", kDefaultServer);
    game.start();
    VexmoorMain& saved = game.another();
    saved.maps.CTFMapOption.choose();
    saved.maps.ForceJoinCheckBox.click();
    ASSERT_EQ(saved.flags.total, 262144);
    VexmoorMain& loaded = game.another();
    loaded.gameplay.AllowHealthCheckBox.click();
    EXPECT_TRUE(applySetup(throughItsFile(captureSetup(saved)), loaded).empty());
    EXPECT_EQ(loaded.flags.total, 262144);
    EXPECT_NE(launchCommandLine(loaded).find(" +dmflags 262144 "), std::string::npos);
}

TEST(SetupApply, CaptureKeepsEveryControlOfItsKindAndEveryFragment) {
    SetupGame game;
    const vexmoor::Setup setup = captureSetup(game.start());
    ASSERT_EQ(setup.controls.size(), setupControls().size());
    for (const SetupControl& control : setupControls()) {
        const SetupValue& value = setup.controls.at(control.name);
        const std::size_t expected[] = {0, 0, 2, 1, 3, 4};  // the variant's alternative for each kind
        EXPECT_EQ(value.index(), expected[static_cast<int>(control.kind)]) << control.name;
    }
    EXPECT_EQ(setup.fragments.size(), setupFragmentHolders().size());
    EXPECT_EQ(setup.fragments.at("MapFrame"), " +map q2dm1");
    EXPECT_EQ(setup.gameDirectory, game.game.text());
    EXPECT_EQ(setup.flagsTotal, 0);
}

TEST(SetupApply, WhatCannotBeAppliedIsListedAndTheRestApplied) {
    SetupGame game;
    game.start();
    VexmoorMain& saved = game.another();
    saved.gameplay.AllowCheatsCheckBox.click();
    saved.bots.SpawnSpecificBotsOption.choose();
    saved.bots.SpecificBotList.setSelected(1, true);
    saved.bots.SpecificBotList.setSelected(3, true);
    saved.maps.ExternalMapOption.choose();
    saved.maps.MapFile.setSelectedIndex(1);
    saved.teamplay.TeamplayCheckBox.click();
    saved.teamplay.YourTeamList.setSelectedIndex(1);
    saved.teamplay.BotTeamList.setSelected(0, true);
    saved.teamplay.BotTeamList.setSelected(2, true);
    const vexmoor::Setup setup = throughItsFile(captureSetup(saved));

    // Later: a bot and a team left the roster, a map file is gone.
    game.game.withRoster(rosterFile({"Big Ed", "Tom", "Tom"}, {"Reds", "Greens"}));
    std::filesystem::remove(game.game.root() / "baseq2" / "maps" / "beta.bsp");
    VexmoorMain& loaded = game.another();
    game.dialogs.shown.clear();
    EXPECT_EQ(applySetup(setup, loaded), (std::vector<std::string>{
                                             "The map file \"beta.bsp\" is no longer in " +
                                                 pathText(game.game.root() / "baseq2" / "maps") + ".",
                                             "The team \"Blues\" is no longer in the roster.",
                                             "The bot \"Zo\xEB\" is no longer in the roster.",
                                         }));
    EXPECT_TRUE(game.dialogs.shown.empty());
    EXPECT_EQ(loaded.gameplay.AllowCheatsCheckBox.state(), 1);
    EXPECT_TRUE(loaded.maps.ExternalMapOption.chosen());
    EXPECT_EQ(loaded.bots.SpecificBotList.selectedItems(), std::vector<std::string>{"Tom"});
    EXPECT_EQ(loaded.teamplay.BotTeamList.selectedItems(), (std::vector<std::string>{"Reds", "Greens"}));
    EXPECT_EQ(launcherCfgBytes(loaded), "cmd join Reds\r\nsv teams Reds Greens\r\n");
}

TEST(SetupApply, TeamplayThatCannotBeOnStaysOffWithoutTheRulesMessages) {
    struct Case {
        std::vector<std::string> teams;
        std::map<std::string, SetupValue> controls;
        std::string missed;
    };
    const std::vector<Case> cases = {
        {{}, {{"TeamplayCheckBox", 1}}, "Teamplay stays off: the roster has no team."},
        {{"Reds"},
         {{"TeamplayCheckBox", 1}, {"CTFMapOption", true}},
         "Teamplay stays off: it cannot be played on a CTF map."},
        {{"Reds"},
         {{"InternalMapOption", true}, {"CTFMapOption", true}},
         "The setup chooses more than one of \"Q2 Internal\", \"Q2 External\", \"Q2 CTF\", so the choice "
         "stays as "
         "it is."},
    };
    for (const Case& c : cases) {
        SetupGame game;
        game.teams = c.teams;
        VexmoorMain& main = game.start();
        vexmoor::Setup setup;
        setup.gameDirectory = game.game.text();
        setup.controls = c.controls;
        EXPECT_EQ(applySetup(setup, main), std::vector<std::string>{c.missed});
        EXPECT_TRUE(game.dialogs.shown.empty()) << game.dialogs.texts()[0];
        EXPECT_EQ(main.teamplay.TeamplayCheckBox.state(), 0);
    }
}

TEST(SetupApply, NoMapFileLeavesTheExternalTypeUnchosenAndSaysSo) {
    SetupGame game;
    std::filesystem::remove_all(game.game.root() / "baseq2" / "maps");
    VexmoorMain& main = game.start();
    vexmoor::Setup setup;
    setup.controls = {{"ExternalMapOption", true}, {"MapFile", std::optional<std::string>("alpha.bsp")}};
    const auto missed = applySetup(setup, main);
    ASSERT_EQ(missed.size(), 2u);
    EXPECT_EQ(missed[0].rfind("The map file \"alpha.bsp\" is no longer in ", 0), 0u) << missed[0];
    EXPECT_EQ(missed[1],
              "The map type \"Q2 External\" cannot be chosen: there is no map file to choose from.");
    EXPECT_TRUE(main.maps.InternalMapOption.chosen());
}

// A fragment the setup kept is put back only where the game reads it as the
// one the rules built: it cannot bring another value into the launch.
TEST(SetupApply, AKeptFragmentOnlyChangesTheSpelling) {
    struct Case {
        std::string a, b;
        bool same;
    };
    const std::vector<Case> cases = {
        {" +set cheats 0", " +set cheats  0", true},
        {" +bot_num 3", " +set bot_num 3", true},
        {" +teamplay 0", " +set teamplay 0", true},
        {" +skill 0", " +skill  0", true},
        {"", "", true},
        {" +set cheats 0", " +set cheats 1", false},
        {" +map q2dm1", " +map base2", false},
        {" +bot_num 3", " +bot_num 3 +exec evil", false},
        {" +timelimit \"a  b\"", " +timelimit \"a b\"", false},
        {" +set", " +set", true},
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

}  // namespace
}  // namespace vexmoor::testing
