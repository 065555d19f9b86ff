#pragma once

#include "core/controls.h"
#include "core/ports.h"
#include "options/maps_page.h"
#include "roster/roster.h"

namespace vexmoor {

// The "Teamplay" page: team play on or off, the player's team, the bot teams
// and the players per team.
class TeamplayPage {
public:
    TeamplayPage(const Roster& roster, MapsPage& maps, Dialogs& dialogs);

    Frame GameplayTab{"GameplayTab"};
    Button EditTeamButton{"EditTeamButton", "Edit Teams"};
    CheckBox TeamplayCheckBox{"TeamplayCheckBox", "Teamplay", false};

    Frame TeamplayFrame{"TeamplayFrame", "Teamplay Settings"};
    Label YourTeamLabel{"YourTeamLabel", "Your Team:"};
    ListBox YourTeamList{"YourTeamList", ListBox::Mode::Single};
    Label BotTeamLabel{"BotTeamLabel", "Bot Teams:"};
    ListBox BotTeamList{"BotTeamList", ListBox::Mode::Multiple};
    Label PlayersPerTeamLabel{"PlayersPerTeamLabel", "Maximum Players Per Team Allowed"};
    TextBox PlayersPerTeamText{"PlayersPerTeamText", "4"};

    // What returning from the team editor does: team play off, lists empty.
    void switchOff();

private:
    void teamplayChanged();
    void setTeamControlsEnabled(bool enabled);

    const Roster& roster_;
    MapsPage& maps_;
    Dialogs& dialogs_;
};

}  // namespace vexmoor
