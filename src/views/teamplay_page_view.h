#pragma once

#include <QWidget>

#include "core/ports.h"
#include "options/teamplay_page.h"
#include "views/binding.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace vexmoor {

// The "Teamplay" tab: team play on or off, the teams and the team size.
class TeamplayPageView : public QWidget {
public:
    TeamplayPageView(TeamplayPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    TeamplayPage& page_;
    Bindings& bindings_;
    Dialogs& dialogs_;

    QCheckBox* teamplay_;
    QGroupBox* teamplayFrame_;
    QLabel* yourTeamLabel_;
    QListView* yourTeamList_;
    QLabel* botTeamLabel_;
    QListView* botTeamList_;
    QLabel* playersPerTeamLabel_;
    QLineEdit* playersPerTeamText_;
    QPushButton* editTeams_;
};

}  // namespace vexmoor
