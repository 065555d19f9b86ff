#pragma once

#include "launcher/setups_form.h"
#include "views/side_window.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace vexmoor {

// The Game Setups window: the saved setups with Load, Load and Launch and
// Delete beside them, the name box with Save Current Game below, and Return
// to Main. Enter loads the chosen setup from the list and saves from the
// name box; a double click on a setup loads and launches it.
class SetupsView : public SideWindow {
public:
    SetupsView(SetupsForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void connectObservers();

    SetupsForm& form_;
    Dialogs& dialogs_;
    QLabel* listLabel_;
    QListView* list_;
    QLabel* nameLabel_;
    QLineEdit* name_;
    QPushButton* save_;
    QPushButton* load_;
    QPushButton* launch_;
    QPushButton* delete_;
    QPushButton* rename_;
    QPushButton* duplicate_;
    QLabel* game_;
    QPushButton* exit_;
};

}  // namespace vexmoor
