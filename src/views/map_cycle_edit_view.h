#pragma once

#include "options/map_cycle_edit_form.h"
#include "views/side_window.h"

class QLabel;
class QListView;
class QPushButton;

namespace vexmoor {

// The map cycle editor: the known maps and the cycle side by side, the
// three buttons that move maps between them, the warning line, and Commit
// Changes and Return to Main below.
class MapCycleEditView : public SideWindow {
public:
    explicit MapCycleEditView(MapCycleEditForm& model, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    MapCycleEditForm& form_;
    QLabel* availableLabel_;
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
