#pragma once

#include "core/ports.h"
#include "teams/edit_team_form.h"
#include "views/side_window.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace vexmoor {

class SkinPreview;

// The team editor: the team list (or the name box) with Add, Edit and
// Delete below it, the abbreviation and model, the skins, the members, and
// Save and Cancel (or Return to Main) at the bottom right.
class EditTeamView : public SideWindow {
public:
    EditTeamView(EditTeamForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

    void detachFromModel() override;

protected:
    // Escape cancels the team being entered; in the browse state it is Return to Main.
    void reject() override;

private:
    void buildLayout();
    void connectObservers();
    void followState();

    EditTeamForm& form_;
    Dialogs& dialogs_;
    bool detached_ = false;

    QLabel* teamLabel_;
    QListView* teamList_;
    QLineEdit* addTeamText_;
    QLabel* shortNameLabel_;
    QLineEdit* shortNameText_;
    QLabel* modelLabel_;
    QListView* modelList_;
    QLabel* skinLabel_;
    QListView* skinList_;
    SkinPreview* skinPreview_;
    QLabel* membersLabel_;
    QLineEdit* membersFilter_;
    QListView* membersList_;
    QLabel* membersCount_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* save_;
    QPushButton* save2_;
    QPushButton* cancel_;
    QPushButton* exit_;
    QLabel* warnings_;
};

}  // namespace vexmoor
