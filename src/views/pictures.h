#pragma once

#include <QIcon>
#include <QPixmap>

namespace vexmoor {

// The pictures are painted when the window is built, at the screen's pixel
// density, so they stay sharp on any screen.

// The Main page: the program's name over a moor at dusk.
QPixmap titlePicture(qreal devicePixelRatio);

// The Maps page: a small floor plan.
QPixmap mapPicture(qreal devicePixelRatio);

// The windows' icon: the installed SVG icon (the moon over the moor, with
// the initial), built into the program.
QIcon applicationIcon();

}  // namespace vexmoor
