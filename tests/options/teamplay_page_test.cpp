// The Teamplay page: switching team play on and off, the team lists, the
// players-per-team piece, and how team play and the CTF maps exclude each other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

const std::vector<std::string> kTeams = {"Red Fangs", "Ashen", "Gloam"};

std::vector<const Control*> teamControls(const TeamplayPage& t) {
    return {&t.TeamplayFrame, &t.YourTeamLabel,       &t.YourTeamList,      &t.BotTeamLabel,
            &t.BotTeamList,   &t.PlayersPerTeamLabel, &t.PlayersPerTeamText};
}

TEST(TeamplayPageTest, SwitchingOnFillsBothListsAndOffEmptiesThem) {
    StartedMain s;
    s.teams = kTeams;
    VexmoorMain& w = s.start();
    TeamplayPage& t = w.teamplay;
    EXPECT_EQ(t.TeamplayFrame.fragment(), " +teamplay 0");
    for (const Control* c : teamControls(t)) EXPECT_FALSE(c->enabled()) << c->name();

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        t.TeamplayCheckBox.click();
        EXPECT_EQ(t.YourTeamList.items(), kTeams);
        EXPECT_EQ(t.BotTeamList.items(), kTeams);
        EXPECT_EQ(t.YourTeamList.selectedText(), "Red Fangs");
        EXPECT_TRUE(t.BotTeamList.selectedItems().empty());
        for (const Control* c : teamControls(t)) EXPECT_TRUE(c->enabled()) << c->name();
        EXPECT_EQ(t.TeamplayFrame.fragment(), " +set teamplay 1");
        EXPECT_EQ(s.commandLine().rfind(
                      s.head() + " +set players_per_team 4 +skill 0 +set teamplay 1 +map q2dm1", 0),
                  0u)
            << s.commandLine();

        t.TeamplayCheckBox.click();
        EXPECT_EQ(t.YourTeamList.count(), 0u);
        EXPECT_EQ(t.BotTeamList.count(), 0u);
        for (const Control* c : teamControls(t)) EXPECT_FALSE(c->enabled()) << c->name();
        EXPECT_EQ(t.TeamplayFrame.fragment(), " +set teamplay 0");
        EXPECT_EQ(s.commandLine().rfind(s.head() + " +skill 0 +set teamplay 0 +map q2dm1", 0), 0u)
            << s.commandLine();
    }
    EXPECT_TRUE(s.dialogs.shown.empty());
}

TEST(TeamplayPageTest, PlayersPerTeamGoesToTheLaunchAsTypedOnlyWhileTeamplayIsOn) {
    StartedMain s;
    s.teams = kTeams;
    VexmoorMain& w = s.start();
    TeamplayPage& t = w.teamplay;
    t.PlayersPerTeamText.setText("six or so");
    EXPECT_EQ(s.commandLine().find("players_per_team"), std::string::npos);
    t.TeamplayCheckBox.click();
    EXPECT_EQ(s.commandLine().rfind(s.head() + " +set players_per_team six or so +skill 0", 0), 0u);
    t.PlayersPerTeamText.setText("");
    EXPECT_EQ(s.commandLine().rfind(s.head() + " +set players_per_team  +skill 0", 0), 0u);
    // Choosing teams changes nothing in the command line.
    const std::string before = s.commandLine();
    t.YourTeamList.setSelectedIndex(2);
    t.BotTeamList.setSelected(1, true);
    EXPECT_EQ(s.commandLine(), before);
}

TEST(TeamplayPageTest, WithoutTeamsTheBoxSpringsBackAfterTheMessage) {
    StartedMain s;
    VexmoorMain& w = s.start();
    TeamplayPage& t = w.teamplay;
    std::vector<std::string> changes;  // the messages shown when the box changed
    const Connection watch = t.TeamplayCheckBox.changed().connect([&] {
        changes.push_back(std::to_string(t.TeamplayCheckBox.state()) + " after " +
                          std::to_string(s.dialogs.shown.size()));
    });

    t.TeamplayCheckBox.click();
    EXPECT_EQ(s.dialogs.texts(), std::vector<std::string>{"No teams defined in bots.cfg"});
    EXPECT_EQ(changes, (std::vector<std::string>{"1 after 0", "0 after 0"}));
    EXPECT_EQ(t.TeamplayCheckBox.state(), 0);
    EXPECT_EQ(t.TeamplayFrame.fragment(), " +set teamplay 0");
    EXPECT_EQ(t.YourTeamList.count(), 0u);
    for (const Control* c : teamControls(t)) EXPECT_FALSE(c->enabled()) << c->name();
}

TEST(TeamplayPageTest, SwitchingOnDuringCtfMovesToTheFirstInternalMap) {
    for (const bool withTeams : {true, false}) {
        SCOPED_TRACE(withTeams ? "with teams" : "without teams");
        StartedMain s;
        if (withTeams) s.teams = kTeams;
        VexmoorMain& w = s.start();
        MapsPage& m = w.maps;
        m.MapList.setSelectedIndex(9);  // base2
        m.CTFMapOption.choose();
        m.ForceJoinCheckBox.click();

        w.teamplay.TeamplayCheckBox.click();
        std::vector<std::string> expected = {
            "Teamplay enabled, not using CFT map. Map set to q2dm1 - change from Maps tab."};
        if (!withTeams) expected.push_back("No teams defined in bots.cfg");
        EXPECT_EQ(s.dialogs.texts(), expected);
        EXPECT_TRUE(m.InternalMapOption.chosen());
        EXPECT_FALSE(m.CTFMapOption.chosen());
        EXPECT_FALSE(m.CTFOptionsFrame.visible());
        EXPECT_EQ(m.ForceJoinCheckBox.state(), 0);
        EXPECT_EQ(w.flags.total, 0);
        EXPECT_EQ(m.MapList.selectedText(), "q2dm1");
        EXPECT_EQ(m.MapFrame.fragment(), " +map q2dm1");
        EXPECT_EQ(w.teamplay.TeamplayCheckBox.state(), withTeams ? 1 : 0);
        EXPECT_EQ(w.teamplay.TeamplayFrame.fragment(), withTeams ? " +set teamplay 1" : " +set teamplay 0");
    }
}

TEST(TeamplayPageTest, ReturningFromTheTeamEditorSwitchesTeamplayOff) {
    StartedMain s;
    s.teams = kTeams;
    VexmoorMain& w = s.start();
    w.teamplay.TeamplayCheckBox.click();
    w.teamplay.BotTeamList.setSelected(0, true);
    w.teamplay.switchOff();
    EXPECT_EQ(w.teamplay.TeamplayCheckBox.state(), 0);
    EXPECT_EQ(w.teamplay.YourTeamList.count(), 0u);
    EXPECT_EQ(w.teamplay.BotTeamList.count(), 0u);
    EXPECT_EQ(w.teamplay.TeamplayFrame.fragment(), " +set teamplay 0");
    for (const Control* c : teamControls(w.teamplay)) EXPECT_FALSE(c->enabled()) << c->name();
    // Team play comes back with the roster's teams, once each.
    w.teamplay.TeamplayCheckBox.click();
    EXPECT_EQ(w.teamplay.BotTeamList.items(), kTeams);
}

}  // namespace
}  // namespace vexmoor::testing
