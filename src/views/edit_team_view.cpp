#include "views/edit_team_view.h"

#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/skin_faces_view.h"

namespace vexmoor {

EditTeamView::EditTeamView(EditTeamForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.ExitButton, parent),
      form_(model),
      dialogs_(dialogs),
      teamLabel_(new QLabel(this)),
      teamList_(new QListView(this)),
      addTeamText_(new QLineEdit(this)),
      shortNameLabel_(new QLabel(this)),
      shortNameText_(new QLineEdit(this)),
      modelLabel_(new QLabel(this)),
      modelList_(new QListView(this)),
      skinLabel_(new QLabel(this)),
      skinList_(new QListView(this)),
      skinPreview_(new SkinPreview(this)),
      membersLabel_(new QLabel(this)),
      membersFilter_(new QLineEdit(this)),
      membersList_(new QListView(this)),
      membersCount_(new QLabel(this)),
      add_(new QPushButton(this)),
      edit_(new QPushButton(this)),
      delete_(new QPushButton(this)),
      save_(new QPushButton(this)),
      save2_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      exit_(new QPushButton(this)),
      warnings_(new QLabel(this)) {
    connectObservers();
    buildLayout();
    followState();
}

void EditTeamView::buildLayout() {
    nameByLabel(teamLabel_, teamList_);
    nameByLabel(shortNameLabel_, shortNameText_);
    nameByLabel(modelLabel_, modelList_);
    nameByLabel(skinLabel_, skinList_);
    nameByLabel(membersLabel_, membersList_);
    teamList_->setAccessibleName(QStringLiteral("Teams"));
    addTeamText_->setAccessibleName(QStringLiteral("Team name"));
    shortNameText_->setAccessibleName(QStringLiteral("Team abbreviation"));
    modelList_->setAccessibleName(QStringLiteral("Team model"));
    skinList_->setAccessibleName(QStringLiteral("Team skin"));
    membersList_->setAccessibleName(QStringLiteral("Team members"));

    // Controls that take turns in one place keep their room while hidden, so
    // the window does not shift between its states.
    for (QWidget* w : std::initializer_list<QWidget*>{teamList_, addTeamText_, add_, edit_, delete_, save_,
                                                      save2_, cancel_, exit_}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    const int column = fieldWidth(teamList_, 18);
    const int rows = teamList_->fontMetrics().height() * 14;
    for (QWidget* w : std::initializer_list<QWidget*>{teamList_, modelList_, skinList_, membersList_})
        w->setMinimumWidth(column);
    for (QWidget* w : std::initializer_list<QWidget*>{skinList_, membersList_}) w->setMinimumHeight(rows);
    warnings_->setWordWrap(true);
    warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* teamButtons = new QVBoxLayout;
    teamButtons->setContentsMargins(0, 4, 0, 0);
    teamButtons->addWidget(add_);
    teamButtons->addWidget(edit_);
    teamButtons->addWidget(delete_);

    // Save and Cancel stand over Return to Main; the two Saves share one spot.
    auto* commit = new QGridLayout;
    commit->addWidget(save_, 0, 0);
    commit->addWidget(save2_, 0, 0);
    commit->addWidget(cancel_, 0, 1);
    commit->addWidget(exit_, 0, 0, 1, 2);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->addWidget(teamLabel_, 0, 0);
    grid->addWidget(shortNameLabel_, 0, 1);
    grid->addWidget(skinLabel_, 0, 2);
    grid->addWidget(membersLabel_, 0, 3);
    // The name box stands where the team list starts.
    grid->addWidget(teamList_, 1, 0, 3, 1);
    grid->addWidget(addTeamText_, 1, 0, Qt::AlignTop);
    grid->addWidget(shortNameText_, 1, 1);
    grid->addWidget(skinList_, 1, 2, 4, 1);
    // The members' filter over their list, their count under it.
    auto* members = new QVBoxLayout;
    members->setContentsMargins(0, 0, 0, 0);
    members->addWidget(membersFilter_);
    members->addWidget(membersList_, 1);
    members->addWidget(membersCount_);
    grid->addLayout(members, 1, 3, 4, 1);
    grid->addWidget(modelLabel_, 2, 1, Qt::AlignBottom);
    grid->addWidget(modelList_, 3, 1);
    grid->addWidget(skinPreview_, 4, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addLayout(teamButtons, 4, 0);
    grid->addWidget(warnings_, 5, 0, 1, 3);
    grid->addLayout(commit, 5, 3, Qt::AlignRight | Qt::AlignTop);
    grid->setRowStretch(3, 1);
    for (int c = 0; c < 4; ++c) grid->setColumnStretch(c, 1);

    chainTabOrder({teamList_, addTeamText_, add_, edit_, delete_, shortNameText_, modelList_, skinList_,
                   membersFilter_, membersList_, save_, save2_, cancel_, exit_});
    teamList_->setFocus();
}

void EditTeamView::connectObservers() {
    bind(bindings_, teamLabel_, form_.TeamLabel);
    bind(bindings_, teamList_, form_.TeamList);
    bindKey(bindings_, teamList_, QKeySequence::Delete, form_.DeleteButton);
    bind(bindings_, addTeamText_, form_.AddTeamText, dialogs_);
    bind(bindings_, shortNameLabel_, form_.ShortNameLabel);
    bind(bindings_, shortNameText_, form_.TeamNameShortText, dialogs_);
    bind(bindings_, modelLabel_, form_.ModelLabel);
    bind(bindings_, modelList_, form_.TeamModelList);
    bind(bindings_, skinLabel_, form_.SkinLabel);
    bind(bindings_, skinList_, form_.TeamSkinList);
    // The team's model and skin: the ones chosen, or while browsing the only ones listed.
    const auto shown = [](const ListBox& list) {
        return list.selectedIndex() >= 0 ? list.selectedText()
               : list.count() == 1       ? std::string(list.items().front())
                                         : std::string();
    };
    showSkinFaces(skinList_,
                  [this, shown] { return std::pair(form_.gameDirectory(), shown(form_.TeamModelList)); });
    const auto face = [this, shown] {
        skinPreview_->showFace(form_.gameDirectory(), shown(form_.TeamModelList), shown(form_.TeamSkinList));
    };
    face();
    bindings_.keep(form_.TeamModelList.changed().connect(face));
    bindings_.keep(form_.TeamSkinList.changed().connect(face));
    bind(bindings_, membersLabel_, form_.TeamMembersLabel);
    bindFilter(bindings_, membersFilter_, form_.TeamMemberFilter, dialogs_, QStringLiteral("Filter members"));
    bind(bindings_, membersList_, form_.TeamIndividualsList, TextKind::Game, &form_.TeamMemberFilter);
    bind(bindings_, membersCount_, form_.TeamMemberCountLabel);
    // A double click on a team edits it, as Enter does through the default button.
    QObject::connect(teamList_, &QListView::doubleClicked, edit_, [this] { edit_->click(); });
    bind(bindings_, add_, form_.AddButton);
    bindShortcut(bindings_, add_, QKeySequence(Qt::CTRL | Qt::Key_N), form_.AddButton);
    bind(bindings_, edit_, form_.EditButton);
    bind(bindings_, delete_, form_.DeleteButton);
    bind(bindings_, save_, form_.SaveButton);
    bind(bindings_, save2_, form_.SaveButton2);
    bindShortcut(bindings_, save_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.SaveButton);
    bindShortcut(bindings_, save2_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.SaveButton2);
    bind(bindings_, cancel_, form_.CancelButton);
    bind(bindings_, exit_, form_.ExitButton);
    bind(bindings_, warnings_, form_.WarningLabel);
    bindings_.keep(form_.stateChanged().connect([this] { followState(); }));
}

// Enter edits the selected team, or presses the Save that shows; the focus
// goes where the user types next.
void EditTeamView::followState() {
    const EditTeamForm::State state = form_.state();
    for (QPushButton* button : {edit_, save_, save2_}) button->setDefault(false);
    QPushButton* main = state == EditTeamForm::State::Add    ? save_
                        : state == EditTeamForm::State::Edit ? save2_
                                                             : edit_;
    main->setDefault(true);
    if (!isVisible()) return;
    if (state == EditTeamForm::State::Add)
        addTeamText_->setFocus();
    else if (state == EditTeamForm::State::Edit)
        shortNameText_->setFocus();
    else
        teamList_->setFocus();
}

void EditTeamView::detachFromModel() {
    detached_ = true;
    SideWindow::detachFromModel();
}

void EditTeamView::reject() {
    if (!detached_) form_.escapePressed();
}

}  // namespace vexmoor
