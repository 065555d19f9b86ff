#include "views/teamplay_page_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

TeamplayPageView::TeamplayPageView(TeamplayPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent)
    : QWidget(parent),
      page_(page),
      bindings_(bindings),
      dialogs_(dialogs),
      teamplay_(new QCheckBox(this)),
      teamplayFrame_(new QGroupBox(this)),
      yourTeamLabel_(new QLabel(teamplayFrame_)),
      yourTeamList_(new QListView(teamplayFrame_)),
      botTeamLabel_(new QLabel(teamplayFrame_)),
      botTeamList_(new QListView(teamplayFrame_)),
      playersPerTeamLabel_(new QLabel(teamplayFrame_)),
      playersPerTeamText_(new QLineEdit(teamplayFrame_)),
      editTeams_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void TeamplayPageView::buildLayout() {
    nameByLabel(yourTeamLabel_, yourTeamList_);
    nameByLabel(botTeamLabel_, botTeamList_);
    nameByLabel(playersPerTeamLabel_, playersPerTeamText_);
    playersPerTeamText_->setFixedWidth(fieldWidth(playersPerTeamText_, 4));

    auto* frame = new QGridLayout(teamplayFrame_);
    frame->addWidget(yourTeamLabel_, 0, 0);
    frame->addWidget(botTeamLabel_, 0, 1);
    frame->addWidget(yourTeamList_, 1, 0);
    frame->addWidget(botTeamList_, 1, 1);
    auto* perTeam = new QHBoxLayout;
    perTeam->setSpacing(8);
    perTeam->addWidget(playersPerTeamLabel_);
    perTeam->addWidget(playersPerTeamText_);
    perTeam->addStretch(1);
    frame->addLayout(perTeam, 2, 0, 1, 2);
    frame->setColumnStretch(0, 1);
    frame->setColumnStretch(1, 1);
    frame->setRowStretch(1, 1);
    frame->setHorizontalSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editTeams_);
    buttons->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(teamplay_);
    page->addWidget(teamplayFrame_, 1);
    page->addLayout(buttons);

    chainTabOrder({teamplay_, yourTeamList_, botTeamList_, playersPerTeamText_, editTeams_});
}

void TeamplayPageView::connectObservers() {
    bind(bindings_, teamplay_, page_.TeamplayCheckBox);
    bind(bindings_, teamplayFrame_, page_.TeamplayFrame);
    bind(bindings_, yourTeamLabel_, page_.YourTeamLabel);
    bind(bindings_, yourTeamList_, page_.YourTeamList);
    bind(bindings_, botTeamLabel_, page_.BotTeamLabel);
    bind(bindings_, botTeamList_, page_.BotTeamList);
    bind(bindings_, playersPerTeamLabel_, page_.PlayersPerTeamLabel);
    bind(bindings_, playersPerTeamText_, page_.PlayersPerTeamText, dialogs_);
    bind(bindings_, editTeams_, page_.EditTeamButton);
}

}  // namespace vexmoor
