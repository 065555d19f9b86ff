// What a launch produces: eraser/launcher.cfg and the command line.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

void selectItems(ListBox& list, const std::vector<std::string>& names) {
    for (const auto& name : names)
        for (std::size_t i = 0; i < list.count(); ++i)
            if (list.items()[i] == name) list.setSelected(i, true);
}

TEST(LaunchOutputTest, LauncherCfgForEachCombinationOfBotsAndTeams) {
    struct Case {
        const char* what;
        std::vector<std::string> bots, teams;
        std::function<void(VexmoorMain&)> set;
        std::string bytes;
    };
    const std::vector<std::string> roster = {"Big Ed", "Quill", "Tom", "Ash  Vane"};
    const std::vector<std::string> teams = {"Red Fangs", "Ashen", "Gloam"};
    const Case cases[] = {
        {"two specific bots, selected against list order",
         roster,
         {},
         [](VexmoorMain& w) {
             w.bots.SpawnSpecificBotsOption.choose();
             selectItems(w.bots.SpecificBotList, {"Tom", "Big Ed"});
         },
         "sv bots Big~Ed Tom\r\n"},
        {"a name with two blanks",
         roster,
         {},
         [](VexmoorMain& w) {
             w.bots.SpawnSpecificBotsOption.choose();
             selectItems(w.bots.SpecificBotList, {"Ash  Vane", "Quill"});
         },
         "sv bots Quill Ash~~Vane\r\n"},
        {"specific bots, none selected",
         roster,
         {},
         [](VexmoorMain& w) { w.bots.SpawnSpecificBotsOption.choose(); },
         "sv bots\r\n"},
        {"random bots, a selection left over",
         roster,
         {},
         [](VexmoorMain& w) {
             w.bots.SpawnSpecificBotsOption.choose();
             selectItems(w.bots.SpecificBotList, {"Tom"});
             w.bots.SpawnRandomBotsOption.choose();
         },
         ""},
        {"specific bots, roster without bots",
         {},
         {},
         [](VexmoorMain& w) { w.bots.SpawnSpecificBotsOption.choose(); },
         ""},
        {"teams listed but team play off", roster, teams,
         [](VexmoorMain& w) { w.bots.SpawnSpecificBotsOption.choose(); }, "sv bots\r\n"},
        {"team play on replaces the bots line", roster, teams,
         [](VexmoorMain& w) {
             w.bots.SpawnSpecificBotsOption.choose();
             selectItems(w.bots.SpecificBotList, {"Tom"});
             w.teamplay.TeamplayCheckBox.click();
             w.teamplay.YourTeamList.setSelectedIndex(1);
             selectItems(w.teamplay.BotTeamList, {"Gloam", "Red Fangs"});
         },
         "cmd join Ashen\r\nsv teams Red Fangs Gloam\r\n"},
        {"team play on, no bot team selected", roster, teams,
         [](VexmoorMain& w) { w.teamplay.TeamplayCheckBox.click(); }, "cmd join Red Fangs\r\nsv teams\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedMain s;
        s.bots = c.bots;
        s.teams = c.teams;
        VexmoorMain& w = s.start();
        const auto cfg = s.game.root() / "eraser" / "launcher.cfg";
        writeBytes(cfg, "sv bots Stale\r\ncmd join Stale\r\n");
        c.set(w);
        EXPECT_EQ(launcherCfgBytes(w), c.bytes);
        w.LaunchButton.click();
        ASSERT_TRUE(std::filesystem::exists(cfg));
        EXPECT_EQ(readBytes(cfg), c.bytes);
        EXPECT_EQ(s.processes.starts.size(), 1u);
        EXPECT_TRUE(s.dialogs.shown.empty());
    }
}

// Every optional piece present and every fragment away from its start text,
// so that each piece's place in the order shows.
TEST(LaunchOutputTest, CommandLineJoinsEveryPieceInItsFixedOrder) {
    StartedMain s;
    s.teams = {"Red Fangs", "Ashen"};
    VexmoorMain& w = s.start();
    auto& g = w.gameplay;
    w.teamplay.TeamplayCheckBox.click();
    w.teamplay.PlayersPerTeamText.setText("3");
    w.bots.BotSkillSlider.setValue(2);
    w.maps.MapList.setSelectedIndex(35);  // biggun
    g.BotConnectInfoCheckBox.click();
    g.ClientCommandsCheckBox.click();
    w.bots.BotAutoskillCheck.click();
    w.bots.BotNumText.setText("6");
    g.ClientLatencyText.setText("250");
    g.WeaponsStayCheckBox.click();
    g.ViewableWeaponsCheckBox.click();
    g.AllowCheatsCheckBox.click();
    g.BotCalcNodesCheck.click();
    g.TimeLimitText.setText("15");
    g.TimelimitCheckBox.click();
    g.FraglimitCheckBox.click();
    g.DedicatedCheckBox.click();
    // Stored and hidden options have no piece.
    g.MaxPlayersCheckBox.click();
    g.MaxPlayersText.setText("12");
    g.BotFreeClientsText.setText("2");
    g.CloseOnExitCheckBox.click();

    EXPECT_EQ(s.commandLine(), s.game.text() +
                                   "quake2.exe +set game eraser +set players_per_team 3 +skill  2"
                                   " +set teamplay 1 +map biggun +set bot_show_connect_info 0"
                                   " +set bot_allow_client_commands 0 +set bot_auto_skill  0 +set bot_num 6"
                                   " +cmd lag 250 +set dmflags 4 +set view_weapons  1 +set cheats  1"
                                   " +set bot_calc_nodes  0 +timelimit 15 +fraglimit 20 +set dedicated 1");
    w.LaunchButton.click();
    ASSERT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.processes.starts[0].commandLine, s.commandLine());
}

}  // namespace
}  // namespace vexmoor::testing
