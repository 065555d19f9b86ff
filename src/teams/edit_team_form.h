#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/rewrite_guard.h"
#include "core/signal.h"
#include "core/window_model.h"
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

    // The frame's close button: Return to Main, whatever the state.
    void closeRequested() override { returnToMain(); }
    // Escape: Cancel while a team is being entered, otherwise Return to Main.
    void escapePressed();
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
};

}  // namespace vexmoor
