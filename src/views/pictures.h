#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>

class QPainter;

namespace vexmoor {

// The pictures are painted when the window is built, at the screen's pixel
// density, so they stay sharp on any screen.

// The Main page: the program's name over a moor at dusk.
QPixmap titlePicture(qreal devicePixelRatio);
QSize titlePictureSize();
// The same picture painted at the painter's origin, titlePictureSize() large.
void paintTitlePicture(QPainter& painter);

// A label that shows a picture by painting it each time it is drawn: sharp at
// any pixel density, and nothing is kept in memory for it. Presented to
// assistive technology as a picture, named by its accessible name.
class PaintedPicture : public QLabel {
public:
    PaintedPicture(QSize size, void (*paint)(QPainter&), QWidget* parent = nullptr);

    // The size it is drawn for; given another, it is drawn scaled to it.
    QSize naturalSize() const { return natural_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void (*paint_)(QPainter&);
    QSize natural_;
};

// The Maps page: a small floor plan.
QPixmap mapPicture(qreal devicePixelRatio);
QSize mapPictureSize();
void paintMapPicture(QPainter& painter);
// The ground that picture and the maps' floor plans are drawn on.
void paintMapGround(QPainter& painter, const QRectF& area);

// The windows' icon: the installed SVG icon (the moon over the moor, with
// the initial), built into the program.
QIcon applicationIcon();

}  // namespace vexmoor
