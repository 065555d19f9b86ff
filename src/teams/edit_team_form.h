#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/signal.h"
#include "core/window_model.h"
#include "history/rewrite_guard.h"
#include "options/teamplay_page.h"
#include "roster/roster.h"

namespace vexmoor {

// The team editor: browses the roster's teams, adds, changes and deletes
// them, and rewrites bots.cfg after each change.
class EditTeamForm : public WindowModel {
public:
    struct Context {
        Roster& roster;
        Dialogs& dialogs;
        // The main window's teamplay page, switched off on the way back.
        TeamplayPage& teamplay;
        // The game directory text, read afresh at each use. The roster
        // file is the one it names when the editor opens.
        std::function<std::string()> gameDirectory;
        // Closes this window and gives the main window back.
        std::function<void()> close;
        // What Save and Delete Team go through before they rewrite the roster, when given.
        RewriteGuard* rewrites = nullptr;
    };
    explicit EditTeamForm(Context context);

    // Browse: the team list and its buttons. Add and Edit: the name box over
    // the list, Save and Cancel over Return to Main.
    enum class State { Browse, Add, Edit };
    State state() const { return state_; }
    // Fires after every change of state, once the controls show it.
    Signal<>& stateChanged() { return stateChanged_; }

    Label TeamLabel{"TeamLabel", "Team"};
    ListBox TeamList{"TeamList", ListBox::Mode::Single};
    TextBox AddTeamText{"AddTeamText", ""};
    Label ShortNameLabel{"ShortNameLabel", "Team Abbreviation"};
    TextBox TeamNameShortText{"TeamNameShortText", ""};
    Label ModelLabel{"ModelLabel", "Team Model"};
    ListBox TeamModelList{"TeamModelList", ListBox::Mode::Single};
    Label SkinLabel{"SkinLabel", "Team Skin"};
    ListBox TeamSkinList{"TeamSkinList", ListBox::Mode::Single};
    Label TeamMembersLabel{"TeamMembersLabel", "Team Members"};
    ListBox TeamIndividualsList{"TeamIndividualsList", ListBox::Mode::Checked};
    // Shows the members whose names hold its text; every check mark stays.
    FilterText TeamMemberFilter{"TeamMemberFilter"};
    // "4 of 28 bots in this team"; hidden while no member is listed in browsing.
    Label TeamMemberCountLabel{"TeamMemberCountLabel"};
    Button AddButton{"AddButton", "Add Team"};
    Button EditButton{"EditButton", "Edit Team"};
    Button DeleteButton{"DeleteButton", "Delete Team"};
    Button SaveButton{"SaveButton", "Save"};
    Button SaveButton2{"SaveButton2", "Save"};
    Button CancelButton{"CancelButton", "Cancel"};
    Button ExitButton{"ExitButton", "Return to Main"};
    // What the game would make of the team shown or being entered; hidden
    // when there is nothing to say.
    Label WarningLabel{"WarningLabel"};

    // The frame's close button: Return to Main, whatever the state; a team
    // being entered with changes is asked about first.
    void closeRequested() override;
    // Escape: Cancel while a team is being entered (asking first when it has
    // changes), otherwise Return to Main.
    void escapePressed();
    // Whether the team being entered differs from what the add or edit state
    // began with: a change undone by hand is no change. Never in browsing,
    // where every command writes the file at once.
    bool hasUnwrittenChanges() const;
    // The game directory text now; the views find the skins' faces under it.
    std::string gameDirectory() const { return gameDirectory_(); }

private:
    void open();
    void fillTeamList();
    void showTeam();
    void showFirstTeam();
    void addTeam();
    void editTeam();
    void chooseModel();
    void cancel();
    void returnToMain();
    void saveNewTeam();
    void saveChangedTeam();
    void deleteTeam();

    void enterState(State state);
    void emptyDetails();
    void backToBrowse();
    std::vector<std::string> botNames() const;
    void selectOrFirst(ListBox& list, const std::string& text);
    std::optional<std::string> refusal(const std::string* name) const;
    bool refused(const std::string* name);
    bool writeRoster(const char* action);
    void setWarnings(const std::vector<std::string>& warnings);
    void liveWarnings();
    void showMemberCount();
    // Saves the team being entered with the Save of its state; true once it is written.
    bool saveEntered();
    // Asks about a team being entered, then leaves it by `leave`.
    void leaveEntered(const std::function<void()>& leave);

    // What a team being entered holds, as Save would take it.
    struct Entries {
        std::string name, abbreviation, model, skin;
        std::vector<std::string> members;
        bool operator==(const Entries&) const = default;
    };
    Entries entries() const;

    Roster& roster_;
    Dialogs& dialogs_;
    TeamplayPage& teamplay_;
    std::function<std::string()> gameDirectory_;
    std::function<void()> close_;
    RewriteGuard* rewrites_;
    // Where the roster came from: Save and Delete Team write there and nowhere else.
    std::filesystem::path rosterFile_;
    State state_ = State::Browse;
    Signal<> stateChanged_;
    // The entries when the add or edit state began.
    Entries entered_;
    Connection memberCountLink_;
};

}  // namespace vexmoor
