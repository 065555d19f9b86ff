#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "gamefiles/bsp_file.h"

namespace vexmoor {

// A map's floor plan as a picture of `size`, painted at the screen's pixel
// density so it stays sharp: the floors seen from above, fitted with their
// aspect kept and centred, each filled lighter the higher it lies, liquids
// in their own colours, on the ground of the Maps page's picture. Safe on a
// worker thread: it paints into an image only.
QImage drawFloorPlan(const FloorPlan& plan, QSize size, qreal devicePixelRatio);

// The colour of a floor at a height between the lowest (0) and the highest (1).
QColor floorColour(FloorPlan::Surface surface, double height);

}  // namespace vexmoor
