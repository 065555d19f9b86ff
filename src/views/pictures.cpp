#include "views/pictures.h"

#include <algorithm>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#ifdef VEXMOOR_ICON_FROM_PNG
#include <QImage>
#else
#include <QSvgRenderer>
#endif

// Resources of a static library are registered by hand, outside any namespace.
static void initIconResource() { Q_INIT_RESOURCE(icons); }

namespace vexmoor {

namespace {

constexpr int kTitleWidth = 600;
constexpr int kTitleHeight = 320;
constexpr int kMapSize = 112;

QPixmap canvas(int width, int height, qreal ratio) {
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A ridge line across the picture: a baseline with gentle swells.
QPainterPath ridge(qreal baseline, const std::initializer_list<QPointF>& swells, qreal width, qreal height) {
    QPainterPath path(QPointF(0, baseline));
    QPointF previous(0, baseline);
    for (const QPointF& point : swells) {
        const qreal middle = (previous.x() + point.x()) / 2;
        path.cubicTo(QPointF(middle, previous.y()), QPointF(middle, point.y()), point);
        previous = point;
    }
    path.lineTo(width, height);
    path.lineTo(0, height);
    path.closeSubpath();
    return path;
}

}  // namespace

QSize titlePictureSize() { return {kTitleWidth, kTitleHeight}; }

QPixmap titlePicture(qreal devicePixelRatio) {
    QPixmap pixmap = canvas(kTitleWidth, kTitleHeight, devicePixelRatio);
    QPainter p(&pixmap);
    paintTitlePicture(p);
    return pixmap;
}

void paintTitlePicture(QPainter& p) {
    const qreal w = kTitleWidth;
    const qreal h = kTitleHeight;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath frame;
    frame.addRoundedRect(QRectF(0, 0, w, h), 10, 10);
    p.setClipPath(frame);

    // Dusk sky: night above, a last amber glow low on the horizon.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x10, 0x16, 0x2a));
    sky.setColorAt(0.45, QColor(0x2c, 0x2a, 0x4a));
    sky.setColorAt(0.72, QColor(0x7a, 0x4a, 0x4e));
    sky.setColorAt(0.86, QColor(0xc9, 0x7b, 0x4a));
    sky.setColorAt(1.0, QColor(0xe0, 0xa0, 0x5a));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // A few stars, always in the same places.
    quint32 seed = 0x5eed;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<qreal>(seed >> 8) / static_cast<qreal>(1u << 24);
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(next() * w, next() * h * 0.5);
        const qreal size = 0.5 + next() * 1.1;
        p.setBrush(QColor(255, 250, 235, 60 + static_cast<int>(next() * 150)));
        p.drawEllipse(at, size, size);
    }

    // The moon with its halo.
    const QPointF moon(w * 0.87, h * 0.15);
    QRadialGradient halo(moon, 60);
    halo.setColorAt(0.0, QColor(255, 236, 200, 110));
    halo.setColorAt(1.0, QColor(255, 236, 200, 0));
    p.setBrush(halo);
    p.drawEllipse(moon, 60, 60);
    p.setBrush(QColor(0xf6, 0xea, 0xcf));
    p.drawEllipse(moon, 16, 16);

    // Three ridges of moorland, darker towards the front.
    p.setBrush(QColor(0x4a, 0x33, 0x45));
    p.drawPath(ridge(
        h * 0.74, {{w * 0.22, h * 0.66}, {w * 0.48, h * 0.73}, {w * 0.75, h * 0.63}, {w, h * 0.70}}, w, h));
    p.setBrush(QColor(0x2a, 0x20, 0x2e));
    p.drawPath(ridge(
        h * 0.80, {{w * 0.30, h * 0.84}, {w * 0.58, h * 0.76}, {w * 0.86, h * 0.83}, {w, h * 0.79}}, w, h));
    p.setBrush(QColor(0x14, 0x11, 0x18));
    p.drawPath(ridge(
        h * 0.90, {{w * 0.18, h * 0.87}, {w * 0.44, h * 0.93}, {w * 0.70, h * 0.88}, {w, h * 0.92}}, w, h));

    // The name, with a soft shadow so it reads against the sky.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    // Up to 64 pixels the glyphs are drawn from the font engine's glyph
    // cache; larger ones are filled as outlines, several times slower.
    title.setPixelSize(64);
    title.setWeight(QFont::Bold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(title);
    const QRectF titleArea(0, h * 0.16, w, 110);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(titleArea.translated(2, 3), Qt::AlignCenter, QStringLiteral("Vexmoor"));
    QLinearGradient ink(0, titleArea.top() + 20, 0, titleArea.bottom() - 20);
    ink.setColorAt(0.0, QColor(0xfb, 0xf3, 0xe4));
    ink.setColorAt(1.0, QColor(0xe8, 0xc0, 0x8c));
    p.setPen(QPen(QBrush(ink), 1));
    p.drawText(titleArea, Qt::AlignCenter, QStringLiteral("Vexmoor"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setStyleHint(QFont::SansSerif);
    subtitle.setPixelSize(15);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(subtitle);
    p.setPen(QColor(0xf0, 0xdc, 0xc0, 220));
    p.drawText(QRectF(0, titleArea.bottom() - 4, w, 26), Qt::AlignCenter,
               QStringLiteral("QUAKE 2  \u00b7  ERASER BOT LAUNCHER"));
    p.restore();
}

namespace {

// Assistive technology is told that a painted picture is a picture, as it is
// told of a label that shows a pixmap.
QAccessibleInterface* paintedPictureInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel") || !dynamic_cast<PaintedPicture*>(object)) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

}  // namespace

PaintedPicture::PaintedPicture(QSize size, void (*paint)(QPainter&), QWidget* parent)
    : QLabel(parent), paint_(paint), natural_(size) {
    // Factories installed later are asked first, so this one comes before Qt's own.
    static const bool installed = [] {
        QAccessible::installFactory(paintedPictureInterface);
        return true;
    }();
    static_cast<void>(installed);
    setFixedSize(size);
}

void PaintedPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (size() != natural_ && !natural_.isEmpty()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(width()) / natural_.width(), qreal(height()) / natural_.height());
    }
    paint_(painter);
}

QSize mapPictureSize() { return {kMapSize, kMapSize}; }

QPixmap mapPicture(qreal devicePixelRatio) {
    QPixmap pixmap = canvas(kMapSize, kMapSize, devicePixelRatio);
    QPainter p(&pixmap);
    paintMapPicture(p);
    return pixmap;
}

void paintMapPicture(QPainter& p) {
    const qreal s = kMapSize;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintMapGround(p, QRectF(0, 0, s, s));

    // Rooms joined by corridors, as an overhead plan shows them.
    const QColor wall(0xe8, 0xc0, 0x8c);
    p.setPen(QPen(wall, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xe8, 0xc0, 0x8c, 40));
    const QRectF rooms[] = {{14, 14, 32, 26}, {66, 12, 32, 34}, {12, 66, 38, 32}, {70, 70, 28, 28}};
    for (const QRectF& room : rooms) p.drawRoundedRect(room, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(46, 27), QPointF(66, 27));
    p.drawLine(QPointF(30, 40), QPointF(30, 66));
    p.drawLine(QPointF(82, 46), QPointF(82, 70));
    p.drawLine(QPointF(50, 84), QPointF(70, 84));

    // A flag in the far room.
    p.setPen(QPen(QColor(0xfb, 0xf3, 0xe4), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(80, 94), QPointF(80, 76));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd0, 0x5a, 0x3c));
    QPainterPath flag(QPointF(80.8, 76));
    flag.lineTo(92, 79.5);
    flag.lineTo(80.8, 83);
    flag.closeSubpath();
    p.drawPath(flag);
    p.restore();
}

void paintMapGround(QPainter& p, const QRectF& area) {
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0.0, QColor(0x2c, 0x2a, 0x4a));
    ground.setColorAt(1.0, QColor(0x14, 0x11, 0x18));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawRoundedRect(area, 8, 8);
}

namespace {

#ifdef VEXMOOR_ICON_FROM_PNG
// The installed icon as the build machine drew it (where Qt has no SVG
// renderer): the smallest drawing at least as large, scaled down.
void paintIcon(QPainter& p, int size) {
    initIconResource();
    int side = 16;
    for (const int drawn : {24, 32, 48, 64, 128, 256})
        if (side < size) side = drawn;
    const QImage drawing(QStringLiteral(":/icons/vexmoor-%1.png").arg(side));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, size, size), drawing);
}
#else
// The installed icon itself, so the window and the desktop's menu show the
// same drawing.
void paintIcon(QPainter& p, int size) {
    initIconResource();
    QSvgRenderer drawing(QStringLiteral(":/icons/vexmoor.svg"));
    p.setRenderHint(QPainter::Antialiasing);
    drawing.render(&p, QRectF(0, 0, size, size));
}
#endif

// Paints the icon at a size when that size is first asked for, and keeps it.
// Painting all sizes up front cost more than the rest of the main window;
// the windowing system asks for the sizes it shows, when it shows them, and
// some (offscreen, many Wayland desktops) never do.
class PaintedIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        for (const QPixmap& painted : painted_)
            if (painted.width() == side) return painted;
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintIcon(painter, side);
        painter.end();
        painted_.push_back(pixmap);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(22, 22), QSize(24, 24),   QSize(32, 32),
                QSize(48, 48), QSize(64, 64), QSize(128, 128), QSize(256, 256)};
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(*this); }

private:
    std::vector<QPixmap> painted_;
};

}  // namespace

QIcon applicationIcon() { return QIcon(new PaintedIconEngine); }

}  // namespace vexmoor
