#pragma once

#include <QIcon>
#include <QPixmap>

namespace vexmoor {

// The pictures are painted when the window is built: nothing to ship, and
// they stay sharp on any screen.

// The Main page: the program's name over a moor at dusk.
QPixmap titlePicture(qreal devicePixelRatio);

// The Maps page: a small floor plan.
QPixmap mapPicture(qreal devicePixelRatio);

// The windows' icon: the moon over the moor, with the initial.
QIcon applicationIcon();

}  // namespace vexmoor
