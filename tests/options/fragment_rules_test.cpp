// The launch fragments of the server, limit and bot-behaviour options, and
// the deathmatch flags total that the seventeen flag boxes keep.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

// The seventeen flag boxes: value, kind and start state.
struct FlagRow {
    const char* name;
    double value;
    bool inverted;
    int start;
};
const FlagRow kFlagRows[] = {
    {"AllowHealthCheckBox", 1, true, 1},          {"AllowPowerupsCheckBox", 2, true, 1},
    {"WeaponsStayCheckBox", 4, false, 0},         {"FallingDamageCheckBox", 8, true, 1},
    {"InstantPowerupsCheckBox", 16, false, 0},    {"SameMapCheckBox", 32, false, 0},
    {"FriendlyFireCheckBox", 256, true, 1},       {"SpawnFarthestCheckBox", 512, false, 0},
    {"ForceRespawnCheckBox", 1024, true, 1},      {"AllowArmorCheckBox", 2048, true, 1},
    {"AllowExitCheckBox", 4096, false, 0},        {"InfiniteAmmoCheckBox", 8192, false, 0},
    {"QuadDropCheckBox", 16384, false, 0},        {"FixedFOVCheckBox", 32768, false, 0},
    {"ForceJoinCheckBox", 131072, false, 0},      {"ArmorProtectCheckBox", 262144, false, 0},
    {"NoTechPowerupsCheckBox", 524288, false, 0},
};

// A flag box by its control name: the Gameplay page's fourteen, then the
// three CTF boxes of the Maps page.
CheckBox* flagBox(VexmoorMain& w, const std::string& name) {
    std::vector<CheckBox*> boxes = w.gameplay.flagBoxes();
    boxes.insert(boxes.end(),
                 {&w.maps.ForceJoinCheckBox, &w.maps.ArmorProtectCheckBox, &w.maps.NoTechPowerupsCheckBox});
    for (CheckBox* box : boxes)
        if (box->name() == name) return box;
    return nullptr;
}

TEST(FragmentRulesTest, DefaultCommandLineAfterStartUpIsExact) {
    StartedMain s;
    s.start();
    EXPECT_TRUE(s.dialogs.shown.empty());
    EXPECT_EQ(s.commandLine(), defaultCommandLine(s.game.text()));
}

// The five number-form boxes and Viewable Weapons: the start fragment has one
// blank before the digit, every rebuilt one two (the number text's sign blank).
TEST(FragmentRulesTest, NumberFormBoxesRebuildWithTheNumberTextOfEachState) {
    struct Case {
        const char* what;
        CheckBox& (*box)(VexmoorMain&);
        std::string start, firstClick, secondClick, grayed;
    };
    const Case cases[] = {
        {"cheats", [](VexmoorMain& w) -> CheckBox& { return w.gameplay.AllowCheatsCheckBox; },
         " +set cheats 0", " +set cheats  1", " +set cheats  0", " +set cheats  2"},
        {"node calculation", [](VexmoorMain& w) -> CheckBox& { return w.gameplay.BotCalcNodesCheck; },
         " +set bot_calc_nodes 1", " +set bot_calc_nodes  0", " +set bot_calc_nodes  1",
         " +set bot_calc_nodes  2"},
        {"connect info", [](VexmoorMain& w) -> CheckBox& { return w.gameplay.BotConnectInfoCheckBox; },
         " +set bot_show_connect_info 1", " +set bot_show_connect_info 0", " +set bot_show_connect_info 1",
         " +set bot_show_connect_info 2"},
        {"client commands", [](VexmoorMain& w) -> CheckBox& { return w.gameplay.ClientCommandsCheckBox; },
         " +set bot_allow_client_commands 1", " +set bot_allow_client_commands 0",
         " +set bot_allow_client_commands 1", " +set bot_allow_client_commands 2"},
        {"auto skill", [](VexmoorMain& w) -> CheckBox& { return w.bots.BotAutoskillCheck; },
         " +set bot_auto_skill 1", " +set bot_auto_skill  0", " +set bot_auto_skill  1",
         " +set bot_auto_skill  2"},
        {"view weapons", [](VexmoorMain& w) -> CheckBox& { return w.gameplay.ViewableWeaponsCheckBox; },
         " +set view_weapons 0", " +set view_weapons  1", " +set view_weapons  0", " +set view_weapons  2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedMain s;
        VexmoorMain& w = s.start();
        CheckBox& box = c.box(w);
        EXPECT_EQ(box.fragment(), c.start);
        box.click();
        EXPECT_EQ(box.fragment(), c.firstClick);
        // The launch reads this very fragment, and the flags total is untouched.
        EXPECT_NE(s.commandLine().find(c.firstClick), std::string::npos) << s.commandLine();
        box.click();
        EXPECT_EQ(box.fragment(), c.secondClick);
        box.setState(2);
        EXPECT_EQ(box.fragment(), c.grayed);
        EXPECT_EQ(w.flags.total, 0);
    }
}

TEST(FragmentRulesTest, StoredStatesRebuildFragmentsOnlyWhereTheyDifferFromTheStartState) {
    StartedMain s;
    // Cheats on, node calculation grayed, frag limit on with 50, connect info
    // and client commands stored at their start state, latency of letters,
    // hidden player limits changed.
    s.tail = settingsTail(kDefaultStates, "0", "0,0,\"20\",1,\"50\",1,\"16\",\"3\",\"abc\",1,1,1,2,0");
    s.start();
    EXPECT_EQ(s.commandLine(), s.head() +
                                   " +skill 0 +teamplay 0 +map q2dm1 +set bot_show_connect_info 1"
                                   " +set bot_allow_client_commands 1 +set bot_auto_skill 1 +bot_num 1"
                                   " +cmd lag abc +set dmflags 0 +set view_weapons 0 +set cheats  1"
                                   " +set bot_calc_nodes  2 +fraglimit 50");
    // The game keeps no latency of letters: the field says so beside it, and
    // stops saying it for one the game takes.
    auto& g = s.main().gameplay;
    EXPECT_TRUE(g.ClientLatencyWarning.visible());
    EXPECT_EQ(g.ClientLatencyWarning.caption(), "The game takes a latency of 1 to 999 only.");
    g.ClientLatencyText.setText("999");
    EXPECT_FALSE(g.ClientLatencyWarning.visible());
}

TEST(FragmentRulesTest, PresentOrEmptyBoxesAndTheirLimitTexts) {
    StartedMain s;
    VexmoorMain& w = s.start();
    auto& g = w.gameplay;

    g.DedicatedCheckBox.click();
    EXPECT_EQ(g.DedicatedCheckBox.fragment(), " +set dedicated 1");
    EXPECT_EQ(s.commandLine(), defaultCommandLine(s.game.text()) + " +set dedicated 1");
    g.DedicatedCheckBox.click();
    EXPECT_EQ(g.DedicatedCheckBox.fragment(), "");
    g.DedicatedCheckBox.setState(1);
    g.DedicatedCheckBox.setState(2);
    EXPECT_EQ(g.DedicatedCheckBox.fragment(), "");

    struct Limit {
        const char* what;
        CheckBox& box;
        TextBox& text;
        std::string fixed;
    };
    for (const Limit& limit : {Limit{"time", g.TimelimitCheckBox, g.TimeLimitText, " +timelimit "},
                               Limit{"frag", g.FraglimitCheckBox, g.FragLimitText, " +fraglimit "}}) {
        SCOPED_TRACE(limit.what);
        limit.box.click();
        EXPECT_EQ(limit.box.fragment(), limit.fixed + "20");
        limit.text.setText("30");
        EXPECT_EQ(limit.box.fragment(), limit.fixed + "30");
        limit.text.setText(" 1,5 min ");  // as typed: nothing trimmed or checked
        EXPECT_EQ(limit.box.fragment(), limit.fixed + " 1,5 min ");
        limit.text.setText("");
        EXPECT_EQ(limit.box.fragment(), limit.fixed);
        limit.box.click();
        EXPECT_EQ(limit.box.fragment(), "");
        limit.text.setText("45");  // unchecked: an edit changes nothing
        EXPECT_EQ(limit.box.fragment(), "");
        limit.box.click();
        EXPECT_EQ(limit.box.fragment(), limit.fixed + "45");
        limit.box.setState(2);
        EXPECT_EQ(limit.box.fragment(), "");
        limit.text.setText("60");
        EXPECT_EQ(limit.box.fragment(), "");
    }
    // The limits come after the node calculation, the time limit first.
    g.TimelimitCheckBox.setState(1);
    g.FraglimitCheckBox.setState(1);
    g.DedicatedCheckBox.setState(1);
    EXPECT_EQ(s.commandLine(),
              defaultCommandLine(s.game.text()) + " +timelimit 60 +fraglimit 60 +set dedicated 1");
}

// The seventeen flag boxes. From its start state the first click of any box
// adds its value (an enable box becomes checked, an inverted one unchecked);
// the kind shows when a grayed box becomes checked.
TEST(DeathmatchFlagsTest, EveryFlagBoxAddsAndSubtractsItsOwnValue) {
    StartedMain s;
    VexmoorMain& w = s.start();
    const double before = 100000;  // a total no single box can reach
    for (const FlagRow& row : kFlagRows) {
        SCOPED_TRACE(row.name);
        CheckBox* box = flagBox(w, row.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->state(), row.start);

        w.flags.total = before;
        box->click();
        EXPECT_EQ(w.flags.total, before + row.value);
        EXPECT_TRUE(box->fragment().empty());
        box->click();
        EXPECT_EQ(w.flags.total, before);
        box->setState(2);
        EXPECT_EQ(w.flags.total, before);
        box->setState(1);
        EXPECT_EQ(w.flags.total, before + (row.inverted ? -row.value : row.value));
        box->setState(0);
        EXPECT_EQ(w.flags.total, before);
    }
}

TEST(DeathmatchFlagsTest, TheLaunchCarriesTheTotalAsNumberText) {
    struct Case {
        const char* what;
        std::vector<const char*> clicks;
        std::string piece;
    };
    const Case cases[] = {
        {"start state", {}, " +set dmflags 0 "},
        {"force respawn off", {"ForceRespawnCheckBox"}, " +set dmflags 1024 "},
        {"allow exit on", {"AllowExitCheckBox"}, " +set dmflags 4096 "},
        {"the three allow boxes off",
         {"AllowArmorCheckBox", "AllowHealthCheckBox", "AllowPowerupsCheckBox"},
         " +set dmflags 2051 "},
        {"weapons stay on, then off again", {"WeaponsStayCheckBox", "WeaponsStayCheckBox"}, " +set dmflags 0 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedMain s;
        VexmoorMain& w = s.start();
        for (const char* name : c.clicks) flagBox(w, name)->click();
        EXPECT_NE(s.commandLine().find(" +cmd lag 1" + c.piece + "+set view_weapons 0"), std::string::npos)
            << s.commandLine();
    }
}

TEST(DeathmatchFlagsTest, TheStoredTotalIsUsedAsItIs) {
    struct Case {
        const char* what;
        std::string states, total, piece;
    };
    const Case cases[] = {
        // Weapons Stay and Force Respawn stored against their start states,
        // yet the stored total of 0 is what holds.
        {"boxes differ, total 0", "1,1,0,1,1,1,0,0,0,0,0,0,1,0,0,0", "0", " +set dmflags 0 "},
        {"a total no box gives", kDefaultStates, "2048", " +set dmflags 2048 "},
        {"a negative total", kDefaultStates, "-1024", " +set dmflags-1024 "},
        {"a grayed box", "2,0,0,2,1,1,0,0,1,0,0,0,1,0,0,0", "64", " +set dmflags 64 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedMain s;
        s.tail = settingsTail(c.states, c.total, kDefaultServer);
        s.start();
        EXPECT_NE(s.commandLine().find(c.piece), std::string::npos) << s.commandLine();
    }
}

// A CTF box checked when the settings were saved left its value in the
// stored total but comes back unchecked; checking it again adds the value a
// second time and the sum carries into the next bit.
TEST(DeathmatchFlagsTest, ACtfBoxCheckedAgainAfterARestartCarries) {
    StartedMain s;
    s.tail = settingsTail(kDefaultStates, "131072", kDefaultServer);
    VexmoorMain& w = s.start();
    EXPECT_EQ(w.maps.ForceJoinCheckBox.state(), 0);
    EXPECT_EQ(w.flags.total, 131072);

    w.maps.CTFMapOption.choose();
    w.maps.ForceJoinCheckBox.click();
    EXPECT_EQ(w.flags.total, 262144);
    EXPECT_NE(s.commandLine().find(" +set dmflags 262144 "), std::string::npos);

    // Leaving the CTF type unchecks the box, which takes its value off once.
    w.maps.InternalMapOption.choose();
    EXPECT_EQ(w.maps.ForceJoinCheckBox.state(), 0);
    EXPECT_EQ(w.flags.total, 131072);
    w.maps.CTFMapOption.choose();
    w.maps.ForceJoinCheckBox.click();
    EXPECT_EQ(w.flags.total, 262144);
}

// Whatever the user clicks on the Gameplay, Maps and Teamplay pages, the
// total is the sum the boxes' states stand for, the CTF boxes are checked
// only while the CTF type is chosen, team play and CTF never hold together,
// and the map is the selection of the chosen type's list.
TEST(DeathmatchFlagsTest, TheTotalFollowsTheBoxesThroughMapTypeAndTeamplayChanges) {
    StartedMain s;
    s.teams = {"Red Fangs"};
    s.game.withMaps({"moorfort.bsp", "quarry7.bsp"});
    VexmoorMain& w = s.start();
    MapsPage& m = w.maps;
    std::vector<std::pair<CheckBox*, const FlagRow*>> boxes;
    for (const FlagRow& row : kFlagRows) boxes.emplace_back(flagBox(w, row.name), &row);
    OptionButton* types[] = {&m.InternalMapOption, &m.ExternalMapOption, &m.CTFMapOption};
    auto pick = [random = std::mt19937(20240611)](std::size_t n) mutable {
        return static_cast<std::size_t>(random() % n);
    };

    for (int step = 0; step < 3000; ++step) {
        switch (pick(5)) {
            case 0:
            case 1: {
                // The CTF boxes (the last three) show only while CTF is chosen.
                const std::size_t i = pick(boxes.size());
                if (i < 14 || m.CTFMapOption.chosen()) boxes[i].first->click();
                break;
            }
            case 2:
                types[pick(3)]->choose();
                break;
            case 3:
                w.teamplay.TeamplayCheckBox.click();
                break;
            default: {
                // The user can click only the list of the chosen type.
                ListBox& list = m.CTFMapOption.chosen()        ? m.CTFList
                                : m.ExternalMapOption.chosen() ? static_cast<ListBox&>(m.MapFile)
                                                               : m.MapList;
                list.setSelectedIndex(static_cast<int>(pick(list.count())));
            }
        }

        double expected = 0;
        for (const auto& [box, row] : boxes)
            if (box->state() == (row->inverted ? 0 : 1)) expected += row->value;
        ASSERT_EQ(w.flags.total, expected) << "step " << step;
        const bool ctf = m.CTFMapOption.chosen();
        ASSERT_FALSE(ctf && w.teamplay.TeamplayCheckBox.checked()) << "step " << step;
        for (std::size_t i = 14; i < boxes.size(); ++i)
            ASSERT_TRUE(ctf || boxes[i].first->state() == 0) << boxes[i].first->name() << ", step " << step;
        const std::string map = ctf ? m.CTFList.selectedText()
                                : m.ExternalMapOption.chosen()
                                    ? MapsPage::mapNameOfFile(m.MapFile.selectedText())
                                    : m.MapList.selectedText();
        ASSERT_EQ(m.MapFrame.fragment(), " +map " + map) << "step " << step;
    }
}

}  // namespace
}  // namespace vexmoor::testing
