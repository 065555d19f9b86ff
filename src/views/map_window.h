#pragma once

#include <QDialog>

#include "options/map_preview.h"

namespace vexmoor {

class FloorPlanLabel;

// A closer look at the map a preview shows: its floor plan as large as 80 %
// of the screen allows, its title line and everything read from its file.
// Non-modal, gone when closed; Escape closes it.
class MapWindow : public QDialog {
public:
    MapWindow(const MapPreviewModel& preview, const FloorPlan& plan, QWidget* parent = nullptr);

private:
    FloorPlanLabel* plan_;
};

}  // namespace vexmoor
