#include "options/teamplay_page.h"

namespace vexmoor {

TeamplayPage::TeamplayPage(const Roster& roster, MapsPage& maps, Dialogs& dialogs)
    : roster_(roster), maps_(maps), dialogs_(dialogs) {
    TeamplayFrame.setFragment(" +teamplay 0");
    setTeamControlsEnabled(false);
    TeamplayCheckBox.onChange([this] { teamplayChanged(); });
}

void TeamplayPage::setTeamControlsEnabled(bool enabled) {
    for (Control* control : std::initializer_list<Control*>{&TeamplayFrame, &YourTeamLabel, &YourTeamList,
                                                            &BotTeamLabel, &BotTeamList, &PlayersPerTeamLabel,
                                                            &PlayersPerTeamText})
        control->setEnabled(enabled);
}

void TeamplayPage::teamplayChanged() {
    const bool checked = TeamplayCheckBox.state() == 1;
    if (maps_.CTFMapOption.chosen() && checked) {
        dialogs_.inform("Teamplay enabled, not using CFT map. Map set to q2dm1 - change from Maps tab.");
        maps_.InternalMapOption.choose();
        maps_.MapList.setSelectedIndex(0);
    }
    if (checked && roster_.TeamCount >= 1) {
        TeamplayFrame.setEnabled(true);
        TeamplayFrame.setFragment(" +set teamplay 1");
        setTeamControlsEnabled(true);
        for (int i = 0; i < roster_.TeamCount; ++i)
            YourTeamList.addItem(roster_.TeamNames[static_cast<std::size_t>(i)]);
        for (int i = 0; i < roster_.TeamCount; ++i)
            BotTeamList.addItem(roster_.TeamNames[static_cast<std::size_t>(i)]);
        if (YourTeamList.count() > 0) YourTeamList.setSelectedIndex(0);
    } else if (checked) {
        // Springing back runs this rule again, so the switch-off is complete
        // before the message appears.
        TeamplayCheckBox.setState(0);
        dialogs_.inform("No teams defined in bots.cfg");
    } else if (TeamplayCheckBox.state() == 0) {
        setTeamControlsEnabled(false);
        TeamplayFrame.setFragment(" +set teamplay 0");
        YourTeamList.clear();
        BotTeamList.clear();
    }
}

void TeamplayPage::switchOff() {
    YourTeamList.clear();
    BotTeamList.clear();
    setTeamControlsEnabled(false);
    TeamplayFrame.setFragment(" +set teamplay 0");
    TeamplayCheckBox.setState(0);
}

}  // namespace vexmoor
