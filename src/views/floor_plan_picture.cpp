#include "views/floor_plan_picture.h"

#include <algorithm>
#include <map>

#include <QPainter>
#include <QPainterPath>

#include "views/pictures.h"

namespace vexmoor {

namespace {

// Floors are filled in this many shades: the faces of one shade make one
// path, filled at once, so neighbouring faces show no seam between them.
constexpr int kShades = 24;
constexpr qreal kMargin = 6;
constexpr int kSamples = 2;

}  // namespace

QColor floorColour(FloorPlan::Surface surface, double height) {
    switch (surface) {
        case FloorPlan::Surface::Water:
            return QColor(0x3c, 0x84, 0xd0);
        case FloorPlan::Surface::Slime:
            return QColor(0x7c, 0xc0, 0x3c);
        case FloorPlan::Surface::Lava:
            return QColor(0xe8, 0x5a, 0x24);
        case FloorPlan::Surface::Floor:
            break;
    }
    // From the dusk of the ground up to the warm light of the title's ink.
    const double t = std::clamp(height, 0.0, 1.0);
    const auto mix = [t](int low, int high) { return static_cast<int>(low + (high - low) * t + 0.5); };
    return QColor(mix(0x5a, 0xfb), mix(0x48, 0xec), mix(0x52, 0xc8));
}

QImage drawFloorPlan(const FloorPlan& plan, QSize size, qreal devicePixelRatio) {
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    paintMapGround(painter, area);
    if (plan.faces.empty()) return image;

    const QRectF room = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const qreal width = std::max<qreal>(plan.maxs[0] - plan.mins[0], 1);
    const qreal depth = std::max<qreal>(plan.maxs[1] - plan.mins[1], 1);
    const qreal scale = std::min(room.width() / width, room.height() / depth);
    const QPointF origin(room.center().x() - width * scale / 2, room.center().y() + depth * scale / 2);
    // North (the map's +y) is up.
    const auto at = [&](const FloorPlan::Point& point) {
        return QPointF(origin.x() + (point.x - plan.mins[0]) * scale,
                       origin.y() - (point.y - plan.mins[1]) * scale);
    };

    const double lowest = plan.faces.front().height;
    const double span = plan.faces.back().height - lowest;
    // The faces come lowest first; the paths keep that order, so upper floors cover lower ones.
    std::map<int, QPainterPath> shades;
    for (const FloorPlan::Face& face : plan.faces) {
        const double height = span > 0 ? (face.height - lowest) / span : 1.0;
        const int shade = static_cast<int>(height * (kShades - 1) + 0.5);
        QPainterPath& path = shades[shade * 4 + static_cast<int>(face.surface)];
        if (path.isEmpty()) path.setFillRule(Qt::WindingFill);
        QPolygonF corners;
        corners.reserve(static_cast<qsizetype>(face.count));
        for (std::uint32_t i = 0; i < face.count; ++i) corners << at(plan.points[face.first + i]);
        path.addPolygon(corners);
        path.closeSubpath();
    }
    // Antialiased filling of thousands of small faces is slow; filled plainly
    // at twice the size and scaled down, each pixel is the mean of four
    // samples, in a fraction of the time.
    QImage floors(image.size() * kSamples, QImage::Format_ARGB32_Premultiplied);
    floors.fill(Qt::transparent);
    QPainter filler(&floors);
    filler.scale(devicePixelRatio * kSamples, devicePixelRatio * kSamples);
    filler.setPen(Qt::NoPen);
    for (const auto& [key, path] : shades) {
        filler.setBrush(
            floorColour(static_cast<FloorPlan::Surface>(key % 4), (key / 4) / double(kShades - 1)));
        filler.drawPath(path);
    }
    filler.end();
    QImage shown = floors.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(devicePixelRatio);
    painter.drawImage(QPointF(0, 0), shown);
    return image;
}

}  // namespace vexmoor
