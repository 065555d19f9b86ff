// The team editor: browsing, adding, changing and deleting teams, the
// rewritten bots.cfg, the way back to the main window, refused entries and
// failed writes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/ports.h"
#include "launcher/editors.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"
#include "teams/member_list.h"

namespace vexmoor::testing {
namespace {

using Names = std::vector<std::string>;
using State = EditTeamForm::State;

// In the writer's own layout, so a rewrite changes only what a command changed.
const std::string kBots =
    "[bots]\r\n\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n\"Big Ed\"\"gaunt/bone\" 2  4  1  7  1  0  90 "
    "\r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n";
const std::string kTeams =
    "\"Red Fangs\"\"RF\"\"wren/ember\"[\"Ash\" \"Big Ed\"]\r\n"
    "\"Gloam\"\"GL\"\"gaunt/bone\"[\"ash\" \"Nobody\" \"Cole\"]\r\n\"Odd\"\"\"\"a/b/c\"[]\r\n";
std::string rosterWith(const std::string& teams, const std::string& moreBots = "") {
    return kBots + moreBots + "[teams]\r\n" + teams + "[view weapons]\r\n\"w_railgun\"\r\n";
}

struct TeamEditor : MainFixture {
    explicit TeamEditor(const std::string& rosterBytes = rosterWith(kTeams)) {
        game.withEraserFolder()
            .withRoster(rosterBytes)
            .withModel("wren", {"ember.pcx", "frost.pcx", "ember_i.pcx"});
        game.withModel("gaunt", {"bone.pcx", "ash.pcx"});
        writeSettings();
        registerEditors(startUp());
        main().teamplay.EditTeamButton.click();
        form = dynamic_cast<EditTeamForm*>(main().editor());
    }
    std::string file() const { return readBytes(game.root() / "eraser" / "bots.cfg"); }
    EditTeamForm* form = nullptr;
};

TEST(TeamMemberListTest, ScanFindsTheQuotedNamesAndBuildingGivesTheBracketedForm) {
    const std::map<std::string, Names> scans = {
        {"[\"A\" \"B\"]", {"A", "B"}},
        {"[]", {}},
        {"", {}},
        {"[\"\"]", {""}},             // adjacent quotes: one empty name
        {"\"A\" \"B\"", {"A", "B"}},  // by hand: the last character closes B
        {"[\"A\" \"B]", {"A"}},       // B is never closed
    };
    for (const auto& [list, names] : scans) EXPECT_EQ(memberNames(list), names) << list;
    EXPECT_EQ(memberList({"A", "B"}), "[\"A\" \"B\"]");
    EXPECT_EQ(memberList({}), "[]");
}

TEST(EditTeamFormTest, OpensOnTheTeamsAndShowsTheSelectedOneWithItsBotMembersChecked) {
    TeamEditor t;
    EditTeamForm& f = *t.form;
    EXPECT_EQ(f.caption(), "Edit Teams");
    EXPECT_FALSE(t.main().enabled());
    EXPECT_EQ(f.TeamList.items(), (Names{"Red Fangs", "Gloam", "Odd"}));
    EXPECT_EQ(f.TeamList.selectedIndex(), -1);
    EXPECT_EQ(t.roster.TeamModels, (Names{"wren", "gaunt", "a/b", ""}));  // split at the last "/"
    EXPECT_EQ(t.roster.TeamSkins, (Names{"ember", "bone", "c", ""}));
    struct Case {
        std::string abbreviation, model;
        Names members, checked;
    };
    const Case cases[] = {{"RF", "wren", {"Ash", "Big Ed"}, {"Ash", "Big Ed"}},
                          {"GL", "gaunt", {"ash", "Nobody", "Cole"}, {"Cole"}},  // exact case only
                          {"", "a/b", {}, {}}};
    for (int k = 0; k < 3; ++k) {
        f.TeamList.setSelectedIndex(k);
        const Case& c = cases[k];
        EXPECT_EQ(f.TeamNameShortText.text(), c.abbreviation);
        EXPECT_EQ(f.TeamModelList.items(), Names{c.model});
        EXPECT_EQ(f.TeamSkinList.items(), Names{t.roster.TeamSkins[static_cast<std::size_t>(k)]});
        EXPECT_EQ(f.TeamModelList.selectedIndex() + f.TeamSkinList.selectedIndex(), -2);
        EXPECT_EQ(f.TeamIndividualsList.items(), c.members);
        EXPECT_EQ(f.TeamIndividualsList.selectedItems(), c.checked);
    }
}

TEST(EditTeamFormTest, EachStateShowsAndEnablesItsOwnControls) {
    TeamEditor t;
    EditTeamForm& f = *t.form;
    // Per control: visible and enabled in browse, add and edit ("VE", "V-", "-E").
    const std::vector<std::pair<const Control*, Names>> table = {
        {&f.TeamList, {"VE", "-E", "-E"}},          {&f.AddTeamText, {"-E", "VE", "V-"}},
        {&f.TeamNameShortText, {"V-", "VE", "VE"}}, {&f.TeamModelList, {"V-", "VE", "VE"}},
        {&f.TeamSkinList, {"V-", "VE", "VE"}},      {&f.TeamIndividualsList, {"VE", "VE", "VE"}},
        {&f.AddButton, {"VE", "-E", "-E"}},         {&f.EditButton, {"VE", "-E", "-E"}},
        {&f.DeleteButton, {"VE", "-E", "-E"}},      {&f.ExitButton, {"VE", "-E", "-E"}},
        {&f.SaveButton, {"-E", "VE", "-E"}},        {&f.SaveButton2, {"-E", "-E", "VE"}},
        {&f.CancelButton, {"-E", "VE", "VE"}},
    };
    const auto check = [&](State state) {
        EXPECT_EQ(f.state(), state);
        for (const auto& [control, states] : table)
            EXPECT_EQ(std::string(control->visible() ? "V" : "-") + (control->enabled() ? "E" : "-"),
                      states[static_cast<std::size_t>(state)])
                << control->name() << " in state " << static_cast<int>(state);
    };
    check(State::Browse);
    f.EditButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"No team selected."});
    f.AddButton.click();
    check(State::Add);
    f.escapePressed();  // Escape while entering a team is Cancel
    check(State::Browse);
    f.TeamList.setSelectedIndex(0);
    f.EditButton.click();
    check(State::Edit);
    f.TeamNameShortText.setText("XX");
    f.CancelButton.click();
    check(State::Browse);
    // Cancel shows the first team, even when it was the one being changed.
    EXPECT_EQ(f.TeamNameShortText.text(), "RF");
    EXPECT_EQ(f.TeamIndividualsList.selectedItems(), (Names{"Ash", "Big Ed"}));
    EXPECT_TRUE(t.windows.closed.empty());
}

TEST(EditTeamFormTest, AddTeamOffersEveryBotAndModelAndSaveAppendsTheTeamToTheFile) {
    TeamEditor t;
    EditTeamForm& f = *t.form;
    f.AddButton.click();
    EXPECT_EQ(f.TeamIndividualsList.items(), (Names{"Ash", "Big Ed", "Cole"}));
    EXPECT_EQ(f.TeamModelList.items(), (Names{"gaunt", "wren"}));
    EXPECT_EQ(f.TeamModelList.selectedIndex(), -1);
    f.SaveButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"Please enter a team name."});
    f.AddTeamText.setText("Moss Hounds");
    f.TeamNameShortText.setText("MH");
    f.TeamModelList.setSelectedIndex(1);
    EXPECT_EQ(f.TeamSkinList.items(), (Names{"ember", "frost"}));
    f.TeamSkinList.setSelectedIndex(1);
    f.TeamIndividualsList.setSelected(0, true);
    f.TeamIndividualsList.setSelected(2, true);
    f.SaveButton.click();
    EXPECT_EQ(t.dialogs.texts().back(), "Bots.cfg file written.");
    EXPECT_EQ(t.file(), rosterWith(kTeams + "\"Moss Hounds\"\"MH\"\"wren/frost\"[\"Ash\" \"Cole\"]\r\n"));
    EXPECT_EQ(t.roster.TeamCount, 4);
    EXPECT_EQ(t.roster.TeamModels[3] + " " + t.roster.TeamSkins[3] + " " + t.roster.TeamNames[4],
              "wren frost ");
    EXPECT_EQ(f.state(), State::Browse);
    EXPECT_EQ(f.TeamList.items().back(), "Moss Hounds");
    EXPECT_EQ(f.TeamList.selectedIndex(), -1);
    EXPECT_EQ(f.TeamIndividualsList.count(), 0u);
    // Nothing chosen and nothing checked: a lone "/" and an empty member list.
    f.AddButton.click();
    f.AddTeamText.setText("Bare");
    f.SaveButton.click();
    EXPECT_NE(t.file().find("\"Bare\"\"\"\"/\"[]\r\n[view weapons]"), std::string::npos) << t.file();
}

TEST(EditTeamFormTest, EditTeamPreselectsModelAndSkinOrTheFirstOnesAndSaveStoresWhatIsChecked) {
    TeamEditor t(rosterWith(kTeams + "\"Bare\"\"B\"\"\"[\"Ash\"]\r\n"));
    EditTeamForm& f = *t.form;
    const struct {
        int team;
        std::string abbreviation, model, skin, written;
    } cases[] = {
        {1, "GL", "gaunt", "bone", "\"Gloam\"\"GL\"\"gaunt/bone\"[\"Big Ed\"]"},
        {2, "", "gaunt", "ash", "\"Odd\"\"\"\"gaunt/ash\"[\"Big Ed\"]"},  // "a/b" is not installed
        {3, "B", "gaunt", "ash", "\"Bare\"\"B\"\"\"[\"Big Ed\"]"},        // an empty model text stays empty
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        f.TeamList.setSelectedIndex(c.team);
        f.EditButton.click();
        EXPECT_EQ(f.AddTeamText.text(), f.TeamList.selectedText());
        EXPECT_EQ(f.TeamNameShortText.text(), c.abbreviation);
        EXPECT_TRUE(f.TeamIndividualsList.selectedItems().empty());
        EXPECT_EQ(f.TeamModelList.selectedText() + "/" + f.TeamSkinList.selectedText(),
                  c.model + "/" + c.skin);
        f.TeamIndividualsList.setSelected(1, true);
        f.SaveButton2.click();
        EXPECT_NE(t.file().find(c.written + "\r\n"), std::string::npos) << t.file();
        EXPECT_EQ(f.TeamList.selectedIndex(), -1);
        EXPECT_TRUE(f.AddTeamText.enabled());
    }
    EXPECT_EQ(t.roster.TeamModels[3] + "/" + t.roster.TeamSkins[3], "gaunt/ash");
}

TEST(EditTeamFormTest, EditAfterADeclinedDeletionStoresAnEmptyAbbreviationAndNoMembers) {
    TeamEditor t;
    EditTeamForm& f = *t.form;
    f.TeamList.setSelectedIndex(0);
    t.dialogs.answers = {Answer::No};
    f.DeleteButton.click();
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].text, "Are you sure that you want to delete the team Red Fangs?");
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(f.TeamList.selectedIndex(), 0);
    EXPECT_EQ(f.TeamNameShortText.text() + f.TeamModelList.selectedText(), "");
    EXPECT_EQ(f.TeamIndividualsList.count(), 0u);
    f.EditButton.click();
    f.SaveButton2.click();
    EXPECT_EQ(t.file(),
              rosterWith("\"Red Fangs\"\"\"\"wren/ember\"[]\r\n" + kTeams.substr(kTeams.find("\"Gloam"))));
}

TEST(EditTeamFormTest, DeletingRemovesOnlyThatTeamAndTheOnlyTeamLeavesAnEmptySection) {
    TeamEditor t;
    t.form->DeleteButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"Please select a team to delete."});
    t.form->TeamList.setSelectedIndex(2);
    t.form->DeleteButton.click();
    EXPECT_EQ(t.dialogs.texts().back(), "Bots.cfg file written.");
    EXPECT_EQ(t.form->TeamList.items(), (Names{"Red Fangs", "Gloam"}));
    EXPECT_EQ(t.roster.TeamNames, (Names{"Red Fangs", "Gloam", ""}));
    EXPECT_EQ(t.file(), rosterWith(kTeams.substr(0, kTeams.find("\"Odd\""))));

    TeamEditor one(rosterWith("\"Solo\"\"S\"\"wren/ember\"[\"Ash\"]\r\n"));
    one.form->TeamList.setSelectedIndex(0);
    one.form->DeleteButton.click();
    EXPECT_EQ(one.file(), kBots + "[teams]\r\n[view weapons]\r\n\"w_railgun\"\r\n");
    EXPECT_EQ(one.roster.TeamCount, 0);
    EXPECT_EQ(one.roster.TeamNames, Names{""});
}

TEST(EditTeamFormTest, ReturnToMainSwitchesTeamplayOffAndGivesTheMainWindowBack) {
    // The button, the frame's close (even while a team is entered), Escape in browse.
    const std::vector<void (*)(EditTeamForm&)> ways = {
        [](EditTeamForm& f) { f.ExitButton.click(); },
        [](EditTeamForm& f) { f.escapePressed(); },
        [](EditTeamForm& f) {
            f.AddButton.click();
            f.closeRequested();
        },
    };
    for (bool teamplayOn : {true, false}) {
        for (auto way : ways) {
            TeamEditor t;
            TeamplayPage& p = t.main().teamplay;
            t.main().closeEditor();
            if (teamplayOn) p.TeamplayCheckBox.click();
            ASSERT_EQ(p.YourTeamList.count(), teamplayOn ? 3u : 0u);
            p.EditTeamButton.click();
            t.windows.closed.clear();
            t.windows.focused.clear();
            way(*dynamic_cast<EditTeamForm*>(t.main().editor()));
            EXPECT_EQ(p.TeamplayCheckBox.state(), 0);
            EXPECT_EQ(p.YourTeamList.count() + p.BotTeamList.count(), 0u);
            for (const Control* c : std::initializer_list<const Control*>{
                     &p.TeamplayFrame, &p.PlayersPerTeamText, &p.PlayersPerTeamLabel, &p.YourTeamList,
                     &p.BotTeamList, &p.YourTeamLabel, &p.BotTeamLabel})
                EXPECT_FALSE(c->enabled()) << c->name();
            EXPECT_EQ(p.TeamplayFrame.fragment(), " +set teamplay 0");
            EXPECT_EQ(t.windows.closed, Names{"EditTeamForm"});
            EXPECT_EQ(t.windows.focused, Names{"VexmoorMain"});
            EXPECT_TRUE(t.main().enabled());
            EXPECT_TRUE(t.dialogs.shown.empty());
        }
    }
}

TEST(EditTeamFormTest, EntriesTheFileCannotHoldAreRefusedAndKeptForCorrection) {
    const struct {
        std::string name, abbreviation;
        std::size_t member;  // checked besides Ash
        int teams;           // the roster's team count
        std::string says;
    } cases[] = {
        {"Red \"Fangs\"", "RF", 0, 3, "The team name holds a double quote (\"), which bots.cfg cannot hold."},
        {"[Red]", "RF", 0, 3, "The team name begins with \"[\", which bots.cfg would read as the start of a"},
        {"Reds", "R\"F", 0, 3,
         "The team abbreviation holds a double quote (\"), which bots.cfg cannot hold."},
        {"Reds", "RF", 3, 3,
         "The bot \"Smith, J\" cannot be a member: its name holds a comma, which a member"},
        {"Reds", "RF", 0, kMaxRosterCount, "bots.cfg already holds 32767 teams, the most it can"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        TeamEditor t(rosterWith(kTeams, "\"Smith, J\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"));
        t.roster.resizeTeams(static_cast<std::size_t>(c.teams) + 1);
        t.roster.TeamCount = static_cast<std::int16_t>(c.teams);
        EditTeamForm& f = *t.form;
        const Roster before = t.roster;
        f.AddButton.click();
        f.AddTeamText.setText(c.name);
        f.TeamNameShortText.setText(c.abbreviation);
        f.TeamIndividualsList.setSelected(0, true);
        f.TeamIndividualsList.setSelected(c.member, true);
        f.SaveButton.click();
        ASSERT_EQ(t.dialogs.shown.size(), 1u);
        EXPECT_EQ(t.dialogs.shown[0].text.rfind(c.says, 0), 0u) << t.dialogs.shown[0].text;
        EXPECT_EQ(f.state(), State::Add);
        EXPECT_EQ(f.AddTeamText.text() + f.TeamNameShortText.text(), c.name + c.abbreviation);
        EXPECT_TRUE(f.TeamIndividualsList.isSelected(0));
        EXPECT_EQ(t.roster, before);
        EXPECT_EQ(t.file(), rosterWith(kTeams, "\"Smith, J\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"));
    }
}

TEST(EditTeamFormTest, AFailedWriteKeepsFileRosterAndWindowAsBeforeTheCommand) {
    for (int command = 0; command < 3; ++command) {  // add, change, delete
        SCOPED_TRACE(command);
        TeamEditor t;
        EditTeamForm& f = *t.form;
        f.TeamList.setSelectedIndex(1);
        if (command == 0) f.AddButton.click();
        if (command == 1) f.EditButton.click();
        f.AddTeamText.setText(command == 0 ? "Moss" : "Gloam");
        f.TeamNameShortText.setText("MH");
        f.TeamIndividualsList.setSelected(2, true);
        const Roster before = t.roster;
        makeReadOnly(rosterPath(t.game.text()));  // a read-only folder does not stop Windows
        (command == 0 ? f.SaveButton : command == 1 ? f.SaveButton2 : f.DeleteButton).click();

        EXPECT_EQ(t.dialogs.texts().back().rfind(
                      "Bots.cfg was not written: " + pathText(rosterPath(t.game.text())), 0),
                  0u);
        EXPECT_EQ(t.file(), rosterWith(kTeams));
        EXPECT_EQ(t.roster, before);
        EXPECT_EQ(f.TeamList.items(), (Names{"Red Fangs", "Gloam", "Odd"}));
        if (command == 2) {
            EXPECT_EQ(f.TeamList.selectedIndex(), 1);
            continue;
        }
        EXPECT_EQ(f.state(), command == 0 ? State::Add : State::Edit);
        EXPECT_EQ(f.TeamNameShortText.text(), "MH");
        EXPECT_EQ(f.TeamIndividualsList.selectedItems(), Names{"Cole"});
    }
}

TEST(EditTeamFormTest, WarnsOfWhatTheGameMisreadsForTheTeamShownAndAsTheUserTypes) {
    TeamEditor t(rosterWith(
        "\"A Very Long Team Name\"\"LONGER\"\"wren/ember\"[]\r\n\"Fine\"\"F\"\"wren/ember\"[]\r\n"));
    EditTeamForm& f = *t.form;
    f.TeamList.setSelectedIndex(0);
    EXPECT_EQ(f.WarningLabel.caption(),
              "The team name is 21 characters long: over 15 crash the game's \"teams\" command.\n"
              "The abbreviation is 6 characters long: over 4 crash the game's \"teams\" command.");
    EXPECT_TRUE(f.WarningLabel.visible());
    f.TeamList.setSelectedIndex(1);
    EXPECT_FALSE(f.WarningLabel.visible());
    f.AddButton.click();
    f.AddTeamText.setText("Reds~");
    EXPECT_EQ(f.WarningLabel.caption(), "The team name holds \"~\": it breaks the game's name look-ups.");
    f.AddTeamText.setText("Reds");
    f.TeamNameShortText.setText("LONGESTX");
    f.TeamIndividualsList.setSelected(1, true);  // "Big Ed", the abbreviation and two more: 16
    EXPECT_NE(f.WarningLabel.caption().find("the member \"Big Ed\""), std::string::npos);
    f.TeamNameShortText.setText("RD");
    EXPECT_FALSE(f.WarningLabel.visible());
}

TEST(EditTeamFormTest, EditingWarnsWhileSaveWouldKeepFewerMembersThanTheTeamHas) {
    TeamEditor t;
    EditTeamForm& f = *t.form;
    const std::string keep3 = "Save will keep 0 of this team's 3 members: check the ones to keep.";
    f.TeamList.setSelectedIndex(1);  // "ash", "Nobody" and "Cole": one not in the roster
    f.EditButton.click();
    EXPECT_EQ(f.WarningLabel.caption(), keep3);
    f.TeamIndividualsList.setSelected(2, true);
    f.TeamIndividualsList.setSelected(0, true);
    EXPECT_EQ(f.WarningLabel.caption(), "Save will keep 2 of this team's 3 members: check the ones to keep.");
    f.TeamIndividualsList.setSelected(1, true);
    EXPECT_FALSE(f.WarningLabel.visible());
    f.CancelButton.click();
    f.TeamList.setSelectedIndex(2);  // no members: nothing to lose
    f.EditButton.click();
    EXPECT_FALSE(f.WarningLabel.visible());
}

}  // namespace
}  // namespace vexmoor::testing
