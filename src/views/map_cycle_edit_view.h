#pragma once

#include "options/map_cycle_edit_form.h"
#include "views/side_window.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace vexmoor {

// The map cycle editor: the known maps (with their filter) and the cycle
// side by side, the three buttons that move maps between them, the warning
// line, and Commit Changes and Return to Main below. Maps are dragged from
// the known ones into the cycle, and within it, as the buttons move them.
class MapCycleEditView : public SideWindow {
public:
    MapCycleEditView(MapCycleEditForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    MapCycleEditForm& form_;
    Dialogs& dialogs_;
    QLabel* availableLabel_;
    QLineEdit* availableFilter_;
    QListView* available_;
    QLabel* availableCount_;
    QLabel* cycleCount_;
    QLabel* cycleLabel_;
    QListView* cycle_;
    QPushButton* add_;
    QPushButton* insert_;
    QPushButton* remove_;
    QPushButton* moveUp_;
    QPushButton* moveDown_;
    // The chosen entry's line, and its floor plan beside it.
    QLabel* mapLine_ = nullptr;
    QWidget* mapPlan_ = nullptr;
    QLabel* warnings_;
    QPushButton* commit_;
    QPushButton* cancel_;
};

}  // namespace vexmoor
