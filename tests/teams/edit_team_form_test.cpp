// The team editor: browsing, adding, changing and deleting teams, the
// rewritten bots.cfg, the way back to the main window, refused entries and
// failed writes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "launcher/editors.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"
#include "teams/member_list.h"

namespace vexmoor::testing {
namespace {

using Names = std::vector<std::string>;

// Written in the writer's own layout, so a rewrite changes only what a command changed.
const std::string kBots =
    "[bots]\r\n"
    "\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
    "\"Big Ed\"\"gaunt/bone\" 2  4  1  7  1  0  90 \r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n";
const std::string kTeamLines =
    "\"Red Fangs\"\"RF\"\"wren/ember\"[\"Ash\" \"Big Ed\"]\r\n"
    "\"Gloam\"\"GL\"\"gaunt/bone\"[\"ash\" \"Nobody\" \"Cole\"]\r\n"
    "\"Odd\"\"\"\"a/b/c\"[]\r\n";
const std::string kViewWeapons = "[view weapons]\r\n\"w_railgun\"\r\n";

std::string rosterWith(const std::string& teamLines) {
    return kBots + "[teams]\r\n" + teamLines + kViewWeapons;
}

struct TeamEditor : MainFixture {
    explicit TeamEditor(const std::string& rosterBytes = rosterWith(kTeamLines)) {
        game.withEraserFolder()
            .withRoster(rosterBytes)
            .withModel("wren", {"ember.pcx", "frost.pcx", "ember_i.pcx"})
            .withModel("gaunt", {"bone.pcx", "ash.pcx"});
        writeSettings();
        registerEditors(startUp());
    }
    EditTeamForm& open() {
        main().teamplay.EditTeamButton.click();
        auto* form = dynamic_cast<EditTeamForm*>(main().editor());
        EXPECT_NE(form, nullptr);
        return *form;
    }
    std::string file() const { return readBytes(game.root() / "eraser" / "bots.cfg"); }
};

Names checked(const ListBox& list) { return list.selectedItems(); }

TEST(TeamMemberListTest, ScanFindsTheQuotedNamesAndBuildingGivesTheBracketedForm) {
    const std::map<std::string, Names> scans = {
        {"[\"A\" \"B\"]", {"A", "B"}},
        {"[]", {}},
        {"", {}},
        {"[\"\"]", {""}},  // two adjacent quotes: one empty name
        {"[\"Big Ed\"]", {"Big Ed"}},
        {"\"A\" \"B\"", {"A", "B"}},  // by hand, no brackets: the last quote closes B
        {"[\"A\" \"B\"", {"A", "B"}},
        {"[\"A\" \"B]", {"A"}},  // B is never closed
        {"[\"A\"\"B\"]", {"A", "B"}},
    };
    for (const auto& [list, names] : scans) EXPECT_EQ(memberNames(list), names) << list;
    EXPECT_EQ(memberList({"A", "B"}), "[\"A\" \"B\"]");
    EXPECT_EQ(memberList({}), "[]");
    EXPECT_EQ(memberList({""}), "[\"\"]");
}

TEST(EditTeamFormTest, OpensOnTheTeamsWithModelAndSkinSplitAtTheLastSlash) {
    TeamEditor t;
    t.roster.TeamModelSkins[1] = "noslash";  // a text without "/" keeps the halves
    t.roster.TeamModels[1] = "kept";
    EditTeamForm& f = t.open();
    EXPECT_EQ(f.caption(), "Edit Teams");
    EXPECT_TRUE(t.windows.isOpen("EditTeamForm"));
    EXPECT_FALSE(t.main().enabled());
    EXPECT_EQ(f.TeamList.items(), (Names{"Red Fangs", "Gloam", "Odd"}));
    EXPECT_EQ(f.TeamList.selectedIndex(), -1);
    EXPECT_EQ(t.roster.TeamModels, (Names{"wren", "kept", "a/b", ""}));
    EXPECT_EQ(t.roster.TeamSkins, (Names{"ember", "", "c", ""}));
    EXPECT_EQ(f.TeamIndividualsList.count(), 0u);
    EXPECT_FALSE(f.WarningLabel.visible());
}

TEST(EditTeamFormTest, ShowsTheSelectedTeamWithItsMembersCheckedWhenTheyAreBots) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    struct Case {
        int team;
        std::string abbreviation, model, skin;
        Names members, checked;
    };
    const Case cases[] = {
        {0, "RF", "wren", "ember", {"Ash", "Big Ed"}, {"Ash", "Big Ed"}},
        {1, "GL", "gaunt", "bone", {"ash", "Nobody", "Cole"}, {"Cole"}},  // exact case only
        {2, "", "a/b", "c", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.team);
        f.TeamList.setSelectedIndex(c.team);
        EXPECT_EQ(f.TeamNameShortText.text(), c.abbreviation);
        EXPECT_EQ(f.TeamModelList.items(), Names{c.model});
        EXPECT_EQ(f.TeamSkinList.items(), Names{c.skin});
        EXPECT_EQ(f.TeamModelList.selectedIndex(), -1);
        EXPECT_EQ(f.TeamSkinList.selectedIndex(), -1);
        EXPECT_EQ(f.TeamIndividualsList.items(), c.members);
        EXPECT_EQ(checked(f.TeamIndividualsList), c.checked);
    }
    // In the browse state a check mark changes nothing but itself.
    f.TeamIndividualsList.setSelected(0, true);
    EXPECT_EQ(f.state(), EditTeamForm::State::Browse);
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(EditTeamFormTest, EachStateShowsAndEnablesItsOwnControls) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    // Per control: visible and enabled in browse, add and edit ("VE", "V-", "-E").
    const std::vector<std::pair<const Control*, std::vector<std::string>>> table = {
        {&f.TeamList, {"VE", "-E", "-E"}},          {&f.AddTeamText, {"-E", "VE", "V-"}},
        {&f.TeamNameShortText, {"V-", "VE", "VE"}}, {&f.TeamModelList, {"V-", "VE", "VE"}},
        {&f.TeamSkinList, {"V-", "VE", "VE"}},      {&f.TeamIndividualsList, {"VE", "VE", "VE"}},
        {&f.AddButton, {"VE", "-E", "-E"}},         {&f.EditButton, {"VE", "-E", "-E"}},
        {&f.DeleteButton, {"VE", "-E", "-E"}},      {&f.ExitButton, {"VE", "-E", "-E"}},
        {&f.SaveButton, {"-E", "VE", "-E"}},        {&f.SaveButton2, {"-E", "-E", "VE"}},
        {&f.CancelButton, {"-E", "VE", "VE"}},
    };
    const auto check = [&](std::size_t column) {
        for (const auto& [control, states] : table)
            EXPECT_EQ(std::string(control->visible() ? "V" : "-") + (control->enabled() ? "E" : "-"),
                      states[column])
                << control->name() << " in state " << column;
    };
    check(0);
    f.AddButton.click();
    EXPECT_EQ(f.state(), EditTeamForm::State::Add);
    check(1);
    f.CancelButton.click();
    check(0);
    f.TeamList.setSelectedIndex(1);
    f.EditButton.click();
    EXPECT_EQ(f.state(), EditTeamForm::State::Edit);
    check(2);
    EXPECT_EQ(f.TeamList.selectedIndex(), 1);  // kept while hidden
    f.CancelButton.click();
    check(0);
}

TEST(EditTeamFormTest, AddTeamOffersEveryBotAndModelAndChoosingAModelListsItsSkins) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.TeamList.setSelectedIndex(0);
    f.AddButton.click();
    EXPECT_EQ(f.AddTeamText.text(), "");
    EXPECT_EQ(f.TeamNameShortText.text(), "");
    EXPECT_EQ(f.TeamIndividualsList.items(), (Names{"Ash", "Big Ed", "Cole"}));
    EXPECT_TRUE(checked(f.TeamIndividualsList).empty());
    EXPECT_EQ(f.TeamModelList.items(), (Names{"gaunt", "wren"}));
    EXPECT_EQ(f.TeamModelList.selectedIndex(), -1);
    EXPECT_EQ(f.TeamSkinList.count(), 0u);
    f.TeamModelList.setSelectedIndex(1);
    EXPECT_EQ(f.TeamSkinList.items(), (Names{"ember", "frost"}));
    EXPECT_EQ(f.TeamSkinList.selectedIndex(), -1);
}

TEST(EditTeamFormTest, EditTeamPreselectsModelAndSkinOrTheFirstOnesAndChecksNoMember) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.EditButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"No team selected."});
    EXPECT_EQ(t.dialogs.shown[0].title, "vexmoor");
    EXPECT_EQ(f.state(), EditTeamForm::State::Browse);

    struct Case {
        int team;
        std::string name, abbreviation, model, skin;
        Names skins;
    };
    const Case cases[] = {
        {1, "Gloam", "GL", "gaunt", "bone", {"ash", "bone"}},
        {2, "Odd", "", "gaunt", "ash", {"ash", "bone"}},  // "a/b" is not installed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.TeamList.setSelectedIndex(c.team);
        f.EditButton.click();
        EXPECT_EQ(f.AddTeamText.text(), c.name);
        EXPECT_EQ(f.TeamNameShortText.text(), c.abbreviation);
        EXPECT_EQ(f.TeamIndividualsList.items(), (Names{"Ash", "Big Ed", "Cole"}));
        EXPECT_TRUE(checked(f.TeamIndividualsList).empty());
        EXPECT_EQ(f.TeamModelList.selectedText(), c.model);
        EXPECT_EQ(f.TeamSkinList.items(), c.skins);
        EXPECT_EQ(f.TeamSkinList.selectedText(), c.skin);
        f.CancelButton.click();
    }
    // The team whose model is not installed is saved with the preselected one.
    f.TeamList.setSelectedIndex(2);
    f.EditButton.click();
    f.SaveButton2.click();
    EXPECT_NE(t.file().find("\"Odd\"\"\"\"gaunt/ash\"[]\r\n"), std::string::npos) << t.file();
    EXPECT_EQ(t.roster.TeamModels[2], "gaunt");
}

TEST(EditTeamFormTest, CancelShowsTheFirstTeamEvenWhenItWasTheOneBeingChanged) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.TeamList.setSelectedIndex(0);
    f.EditButton.click();
    f.TeamNameShortText.setText("XX");
    f.CancelButton.click();
    EXPECT_EQ(f.TeamList.selectedIndex(), 0);
    EXPECT_EQ(f.TeamNameShortText.text(), "RF");
    EXPECT_EQ(checked(f.TeamIndividualsList), (Names{"Ash", "Big Ed"}));
    EXPECT_EQ(t.roster.TeamShortNames[0], "RF");

    TeamEditor empty(rosterWith(""));
    EditTeamForm& g = empty.open();
    g.AddButton.click();
    g.CancelButton.click();
    EXPECT_EQ(g.TeamList.count(), 0u);
    EXPECT_EQ(g.TeamList.selectedIndex(), -1);
}

TEST(EditTeamFormTest, SavingANewTeamAppendsItRewritesTheFileAndReturnsToBrowse) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.AddButton.click();
    f.SaveButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"Please enter a team name."});
    EXPECT_EQ(f.state(), EditTeamForm::State::Add);

    f.AddTeamText.setText("Moss Hounds");
    f.TeamNameShortText.setText("MH");
    f.TeamModelList.setSelectedIndex(1);
    f.TeamSkinList.setSelectedIndex(1);
    f.TeamIndividualsList.setSelected(0, true);
    f.TeamIndividualsList.setSelected(2, true);
    f.SaveButton.click();
    EXPECT_EQ(t.dialogs.texts(), (Names{"Please enter a team name.", "Bots.cfg file written."}));
    EXPECT_EQ(t.dialogs.shown[1].icon, Icon::None);
    EXPECT_EQ(t.file(), rosterWith(kTeamLines + "\"Moss Hounds\"\"MH\"\"wren/frost\"[\"Ash\" \"Cole\"]\r\n"));
    EXPECT_EQ(t.roster.TeamCount, 4);
    EXPECT_EQ(t.roster.TeamModels[3], "wren");
    EXPECT_EQ(t.roster.TeamSkins[3], "frost");
    EXPECT_EQ(t.roster.TeamNames.size(), 5u);
    EXPECT_EQ(t.roster.TeamNames[4], "");
    EXPECT_EQ(f.state(), EditTeamForm::State::Browse);
    EXPECT_EQ(f.TeamList.items().back(), "Moss Hounds");
    EXPECT_EQ(f.TeamList.selectedIndex(), -1);
    EXPECT_EQ(f.TeamNameShortText.text(), "");
    EXPECT_EQ(f.TeamIndividualsList.count(), 0u);

    // Nothing chosen and nothing checked: a lone "/" and an empty member list.
    f.AddButton.click();
    f.AddTeamText.setText("Bare");
    f.SaveButton.click();
    EXPECT_NE(t.file().find("\"Bare\"\"\"\"/\"[]\r\n[view weapons]"), std::string::npos) << t.file();
}

TEST(EditTeamFormTest, SavingAChangedTeamStoresTheEntriesAndKeepsAnEmptyModelEmpty) {
    TeamEditor t(rosterWith("\"Red Fangs\"\"RF\"\"\"[\"Ash\"]\r\n\"Gloam\"\"GL\"\"gaunt/bone\"[]\r\n"));
    EditTeamForm& f = t.open();
    for (int team : {0, 1}) {
        f.TeamList.setSelectedIndex(team);
        f.EditButton.click();
        f.TeamNameShortText.setText("N" + std::to_string(team));
        f.TeamModelList.setSelectedIndex(1);
        f.TeamSkinList.setSelectedIndex(0);
        f.TeamIndividualsList.setSelected(1, true);
        f.SaveButton2.click();
        EXPECT_EQ(f.state(), EditTeamForm::State::Browse);
        EXPECT_EQ(f.TeamList.selectedIndex(), -1);
        EXPECT_TRUE(f.AddTeamText.enabled());
    }
    EXPECT_EQ(t.file(), rosterWith("\"Red Fangs\"\"N0\"\"\"[\"Big Ed\"]\r\n"
                                   "\"Gloam\"\"N1\"\"wren/ember\"[\"Big Ed\"]\r\n"));
    // The halves take the choice for the rest of the run all the same.
    EXPECT_EQ(t.roster.TeamModels[0], "wren");
    EXPECT_EQ(t.roster.TeamSkins[0], "ember");
    EXPECT_EQ(t.dialogs.texts(), (Names{"Bots.cfg file written.", "Bots.cfg file written."}));
}

TEST(EditTeamFormTest, EditAfterADeclinedDeletionStoresAnEmptyAbbreviationAndNoMembers) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.TeamList.setSelectedIndex(0);
    t.dialogs.answers = {Answer::No};
    f.DeleteButton.click();
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].text, "Are you sure that you want to delete the team Red Fangs?");
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(t.dialogs.shown[0].icon, Icon::None);
    EXPECT_EQ(f.TeamList.selectedIndex(), 0);
    EXPECT_EQ(f.TeamNameShortText.text(), "");
    EXPECT_EQ(f.TeamModelList.count() + f.TeamSkinList.count() + f.TeamIndividualsList.count(), 0u);
    EXPECT_EQ(t.roster.TeamCount, 3);

    f.EditButton.click();
    EXPECT_EQ(f.TeamNameShortText.text(), "");
    f.SaveButton2.click();
    EXPECT_EQ(t.file().find("\"Red Fangs\"\"\"\"wren/ember\"[]\r\n"), kBots.size() + 9) << t.file();
}

TEST(EditTeamFormTest, DeletingRemovesOnlyThatTeamAndTheOnlyTeamLeavesAnEmptySection) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.DeleteButton.click();
    EXPECT_EQ(t.dialogs.texts(), Names{"Please select a team to delete."});
    f.TeamList.setSelectedIndex(2);
    f.DeleteButton.click();
    EXPECT_EQ(t.dialogs.texts().back(), "Bots.cfg file written.");
    EXPECT_EQ(f.TeamList.items(), (Names{"Red Fangs", "Gloam"}));
    EXPECT_EQ(f.TeamList.selectedIndex(), -1);
    EXPECT_EQ(t.roster.TeamNames, (Names{"Red Fangs", "Gloam", ""}));
    EXPECT_EQ(t.roster.TeamMembers[2], "");
    EXPECT_EQ(t.file(), rosterWith(kTeamLines.substr(0, kTeamLines.find("\"Odd\""))));

    TeamEditor one(rosterWith("\"Solo\"\"S\"\"wren/ember\"[\"Ash\"]\r\n"));
    EditTeamForm& g = one.open();
    g.TeamList.setSelectedIndex(0);
    g.DeleteButton.click();
    EXPECT_EQ(one.file(), kBots + "[teams]\r\n[view weapons]\r\n\"w_railgun\"\r\n");
    EXPECT_EQ(one.roster.TeamCount, 0);
    EXPECT_EQ(one.roster.TeamNames, Names{""});
    EXPECT_EQ(g.TeamList.count(), 0u);
}

TEST(EditTeamFormTest, ReturnToMainSwitchesTeamplayOffAndGivesTheMainWindowBack) {
    // How the window is left: its button, the frame's close, Escape in browse.
    const std::vector<void (*)(EditTeamForm&)> ways = {
        [](EditTeamForm& f) { f.ExitButton.click(); },
        [](EditTeamForm& f) { f.closeRequested(); },
        [](EditTeamForm& f) { f.escapePressed(); },
        [](EditTeamForm& f) {  // the frame closes even while a team is entered
            f.AddButton.click();
            f.closeRequested();
        },
    };
    for (bool teamplayOn : {true, false}) {
        for (std::size_t way = 0; way < ways.size(); ++way) {
            SCOPED_TRACE("teamplay " + std::to_string(teamplayOn) + ", way " + std::to_string(way));
            TeamEditor t;
            TeamplayPage& p = t.main().teamplay;
            if (teamplayOn) p.TeamplayCheckBox.click();
            EXPECT_EQ(p.YourTeamList.count(), teamplayOn ? 3u : 0u);
            EditTeamForm& f = t.open();
            const std::string before = t.file();
            ways[way](f);
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
            EXPECT_EQ(t.file(), before);
            EXPECT_TRUE(t.dialogs.shown.empty());
        }
    }
}

TEST(EditTeamFormTest, EscapeWhileATeamIsEnteredIsCancel) {
    TeamEditor t;
    EditTeamForm& f = t.open();
    f.AddButton.click();
    f.escapePressed();
    EXPECT_EQ(f.state(), EditTeamForm::State::Browse);
    EXPECT_EQ(f.TeamList.selectedIndex(), 0);
    EXPECT_TRUE(t.windows.closed.empty());
}

TEST(EditTeamFormTest, EntriesTheFileCannotHoldAreRefusedAndKeptForCorrection) {
    struct Case {
        const char* what;
        std::string name, abbreviation;
        std::size_t member;  // checked besides Ash
        std::string says;
    };
    const Case cases[] = {
        {"quote in the name", "Red \"Fangs\"", "RF", 0, "The team name holds a double quote"},
        {"name opening a section", "[Red]", "RF", 0, "would read as the start of a section"},
        {"quote in the abbreviation", "Reds", "R\"F", 0, "The team abbreviation holds a double quote"},
        {"comma in a member", "Reds", "RF", 3,
         "The bot \"Smith, J\" cannot be a member: its name holds a comma"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TeamEditor t(kBots + "\"Smith, J\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n[teams]\r\n" + kTeamLines +
                     kViewWeapons);
        EditTeamForm& f = t.open();
        const Roster before = t.roster;
        const std::string file = t.file();
        f.AddButton.click();
        f.AddTeamText.setText(c.name);
        f.TeamNameShortText.setText(c.abbreviation);
        f.TeamIndividualsList.setSelected(0, true);
        if (c.member) f.TeamIndividualsList.setSelected(c.member, true);
        f.SaveButton.click();
        ASSERT_EQ(t.dialogs.shown.size(), 1u);
        EXPECT_NE(t.dialogs.shown[0].text.find(c.says), std::string::npos) << t.dialogs.shown[0].text;
        EXPECT_NE(t.dialogs.shown[0].text.find("bots.cfg"), std::string::npos);
        EXPECT_EQ(f.state(), EditTeamForm::State::Add);
        EXPECT_EQ(f.AddTeamText.text(), c.name);
        EXPECT_EQ(f.TeamNameShortText.text(), c.abbreviation);
        EXPECT_TRUE(f.TeamIndividualsList.isSelected(0));
        EXPECT_EQ(t.roster, before);
        EXPECT_EQ(t.file(), file);
        if (c.member != 3) continue;
        // Changing a team refuses the same member.
        f.CancelButton.click();
        f.EditButton.click();
        f.TeamIndividualsList.setSelected(3, true);
        f.SaveButton2.click();
        EXPECT_EQ(t.dialogs.shown.size(), 2u);
        EXPECT_EQ(f.state(), EditTeamForm::State::Edit);
        EXPECT_EQ(t.file(), file);
    }
}

TEST(EditTeamFormTest, TheTeamCountLimitIsRefused) {
    TeamEditor t;
    t.roster.resizeTeams(kMaxRosterCount + 1);
    t.roster.TeamCount = kMaxRosterCount;
    EditTeamForm& f = t.open();
    f.AddButton.click();
    f.AddTeamText.setText("One Too Many");
    f.SaveButton.click();
    EXPECT_EQ(t.dialogs.texts(),
              Names{"bots.cfg already holds 32767 teams, the most it can: no team can be added."});
    EXPECT_EQ(t.roster.TeamCount, kMaxRosterCount);
    EXPECT_EQ(f.state(), EditTeamForm::State::Add);
}

TEST(EditTeamFormTest, AFailedWriteKeepsFileRosterAndWindowAsBeforeTheCommand) {
    enum Command { AddTeam, ChangeTeam, DeleteTeam };
    for (Command command : {AddTeam, ChangeTeam, DeleteTeam}) {
        SCOPED_TRACE(command);
        TeamEditor t;
        EditTeamForm& f = t.open();
        const std::string file = t.file();
        if (command == AddTeam) {
            f.AddButton.click();
            f.AddTeamText.setText("Moss Hounds");
        } else {
            f.TeamList.setSelectedIndex(1);
            if (command == ChangeTeam) f.EditButton.click();
        }
        f.TeamNameShortText.setText("MH");
        f.TeamIndividualsList.setSelected(2, true);
        const Roster before = t.roster;
        makeReadOnly(t.game.root() / "eraser");
        (command == AddTeam ? f.SaveButton : command == ChangeTeam ? f.SaveButton2 : f.DeleteButton).click();

        const Names texts = t.dialogs.texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back().rfind("Bots.cfg was not written: " + pathText(rosterPath(t.game.text())), 0),
                  0u)
            << texts.back();
        EXPECT_EQ(t.file(), file);
        EXPECT_EQ(t.roster, before);
        if (command == DeleteTeam) {
            EXPECT_EQ(f.TeamList.items(), (Names{"Red Fangs", "Gloam", "Odd"}));
            EXPECT_EQ(f.TeamList.selectedIndex(), 1);
            continue;
        }
        EXPECT_EQ(f.state(), command == AddTeam ? EditTeamForm::State::Add : EditTeamForm::State::Edit);
        EXPECT_EQ(f.AddTeamText.text(), command == AddTeam ? "Moss Hounds" : "Gloam");
        EXPECT_EQ(f.TeamNameShortText.text(), "MH");
        EXPECT_EQ(checked(f.TeamIndividualsList), Names{"Cole"});
    }
}

TEST(EditTeamFormTest, WarnsOfWhatTheGameMisreadsForTheTeamShownAndAsTheUserTypes) {
    TeamEditor t(
        rosterWith("\"A Very Long Team Name\"\"LONGER\"\"wren/ember\"[\"Big Ed\"]\r\n"
                   "\"Fine\"\"F\"\"wren/ember\"[\"Ash\"]\r\n"));
    EditTeamForm& f = t.open();
    f.TeamList.setSelectedIndex(0);
    EXPECT_TRUE(f.WarningLabel.visible());
    EXPECT_EQ(f.WarningLabel.caption(),
              "The team name is 21 characters long: over 15 crash the game's \"teams\" command.\n"
              "The abbreviation is 6 characters long: over 4 crash the game's \"teams\" command.");
    f.TeamList.setSelectedIndex(1);
    EXPECT_FALSE(f.WarningLabel.visible());

    f.AddButton.click();
    EXPECT_FALSE(f.WarningLabel.visible());
    f.AddTeamText.setText("Sixteen chars!!!");
    EXPECT_NE(f.WarningLabel.caption().find("The team name is 16"), std::string::npos);
    f.AddTeamText.setText("Reds~");
    EXPECT_EQ(f.WarningLabel.caption(), "The team name holds \"~\": it breaks the game's name look-ups.");
    f.AddTeamText.setText("Reds");
    f.TeamNameShortText.setText("LONGESTX");
    f.TeamIndividualsList.setSelected(1, true);  // "Big Ed", the abbreviation and two more: 16
    EXPECT_NE(f.WarningLabel.caption().find("the member \"Big Ed\""), std::string::npos);
    f.TeamNameShortText.setText("RD");
    f.TeamIndividualsList.setSelected(1, false);
    EXPECT_FALSE(f.WarningLabel.visible());
    f.CancelButton.click();
    EXPECT_TRUE(f.WarningLabel.visible());  // the first team is shown again
}

}  // namespace
}  // namespace vexmoor::testing
