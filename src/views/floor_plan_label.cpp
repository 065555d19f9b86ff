#include "views/floor_plan_label.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>

#include "views/floor_plan_picture.h"

namespace vexmoor {

namespace {

// As many pixels as the painter leaves around the floors.
constexpr int kMargin = 6;
// Long enough to skip the sizes a dragged edge passes through.
constexpr int kSettleMs = 120;

}  // namespace

QSize fittedPlanSize(const FloorPlan& plan, QSize room) {
    const double width = std::max(1.0f, plan.maxs[0] - plan.mins[0]);
    const double depth = std::max(1.0f, plan.maxs[1] - plan.mins[1]);
    const double scale = std::min(std::max(room.width() - 2 * kMargin, 1) / width,
                                  std::max(room.height() - 2 * kMargin, 1) / depth);
    return QSize(std::min(room.width(), static_cast<int>(width * scale) + 2 * kMargin),
                 std::min(room.height(), static_cast<int>(depth * scale) + 2 * kMargin));
}

FloorPlanLabel::FloorPlanLabel(QSize least, QWidget* parent) : QLabel(parent), least_(least) {
    painter_.setMaxThreadCount(1);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(least_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    resized_.setSingleShot(true);
    resized_.setInterval(kSettleMs);
    QObject::connect(&resized_, &QTimer::timeout, this, [this] {
        repaint();
    });
}

FloorPlanLabel::~FloorPlanLabel() {
    // A plan still being painted is waited for; its result is dropped.
    painter_.clear();
    painter_.waitForDone();
}

void FloorPlanLabel::showPlan(const MapLibrary& library, const MapLocation& file,
                              std::function<void(const MapLocation&, const std::optional<Error>&)> done) {
    library_ = &library;
    file_ = file;
    plan_.reset();
    done_ = std::move(done);
    repaint();
}

void FloorPlanLabel::repaint() {
    if (!library_) return;
    const quint64 ticket = ++ticket_;
    painter_.clear();
    QPointer<FloorPlanLabel> self(this);
    // The label waits for the painter before it goes, so it is there to be told.
    painter_.start([this, self, ticket, file = file_, plan = plan_,
                    &library = *library_, room = size().expandedTo(least_), ratio = devicePixelRatioF()] {
        auto read = plan ? Result<std::shared_ptr<const FloorPlan>>(plan) : library.plan(file);
        const std::optional<Error> error = read ? std::nullopt : std::optional<Error>(read.error());
        QImage image;
        if (read) image = drawFloorPlan(*read.value(), fittedPlanSize(*read.value(), room), ratio);
        const std::shared_ptr<const FloorPlan> shown = read ? read.value() : nullptr;
        QMetaObject::invokeMethod(
            this,
            [self, ticket, file, image, error, shown] {
                if (!self || ticket != self->ticket_) return;
                self->plan_ = shown;
                if (!image.isNull()) self->setPixmap(QPixmap::fromImage(image));
                if (auto done = std::exchange(self->done_, {})) done(file, error);
            },
            Qt::QueuedConnection);
    });
}

void FloorPlanLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    resized_.start();
}

void FloorPlanLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && activated)
        activated();
}

void FloorPlanLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && activated) {
        activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

}  // namespace vexmoor
