#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QLabel>
#include <QThreadPool>
#include <QTimer>

#include "gamefiles/map_library.h"

namespace vexmoor {

// A map's floor plan that takes the room its layout gives it: read and
// painted on a thread of its own, at its size times the screen's pixel
// density, with the map's aspect kept and centred; painted again a moment
// after the last change of size, so dragging a window's edge stays smooth.
// A click, Enter or Space on it is `activated`.
class FloorPlanLabel : public QLabel {
public:
    // `least` is the size it asks of its layout.
    explicit FloorPlanLabel(QSize least, QWidget* parent = nullptr);
    ~FloorPlanLabel() override;

    // Reads the plan of `file` and shows it; `done` is told, on the
    // window's thread, why it could not be read, if it could not.
    // A newer call replaces one still at work.
    void showPlan(const MapLibrary& library, const MapLocation& file,
                  std::function<void(const MapLocation&, const std::optional<Error>&)> done = {});
    // The plan shown, once it was read.
    const std::shared_ptr<const FloorPlan>& plan() const { return plan_; }

    std::function<void()> activated;

    QSize sizeHint() const override { return least_; }
    QSize minimumSizeHint() const override { return least_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void repaint();

    QSize least_;
    const MapLibrary* library_ = nullptr;
    MapLocation file_;
    std::shared_ptr<const FloorPlan> plan_;
    // Told once, when the plan asked for last has been read or refused.
    std::function<void(const MapLocation&, const std::optional<Error>&)> done_;
    // One painter: a newer request replaces any still waiting.
    QThreadPool painter_;
    quint64 ticket_ = 0;
    QTimer resized_;
};

// The largest picture of the plan's aspect that fits `room`, with the
// margin the painter leaves around the floors.
QSize fittedPlanSize(const FloorPlan& plan, QSize room);

}  // namespace vexmoor
