#include "views/map_window.h"

#include <algorithm>

#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "views/floor_plan_label.h"

namespace vexmoor {

namespace {

// What the screen leaves the plan: 80 % of it, less the lines below the plan.
QSize planRoom(const QWidget* window, int linesBelow) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const int below = window->fontMetrics().lineSpacing() * (linesBelow + 2) + 48;
    return QSize(available.width() * 4 / 5, std::max(available.height() * 4 / 5 - below, 132));
}

}  // namespace

MapWindow::MapWindow(const MapPreviewModel& preview, const FloorPlan& plan, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(QStringLiteral("Map"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* heading = new QLabel(toQString(preview.heading()), this);
    heading->setObjectName(QStringLiteral("MapTitleLabel"));
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont large = heading->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    heading->setFont(large);

    const auto facts = preview.facts(plan);
    plan_ = new FloorPlanLabel(fittedPlanSize(plan, planRoom(this, static_cast<int>(facts.size()))), this);
    plan_->setObjectName(QStringLiteral("MapPlan"));
    plan_->setAccessibleName(QStringLiteral("Floor plan"));
    plan_->setAccessibleDescription(toQString(preview.heading()));
    plan_->setFocusPolicy(Qt::NoFocus);
    plan_->setCursor(Qt::ArrowCursor);
    if (preview.planFile()) plan_->showPlan(preview.library(), *preview.planFile());

    auto* table = new QFormLayout;
    for (const MapPreviewModel::Fact& fact : facts) {
        auto* value = new QLabel(toQString(fact.value), this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setAccessibleName(toQString(fact.name));
        table->addRow(toQString(fact.name + ":"), value);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(plan_, 1);
    layout->addLayout(table);
}

}  // namespace vexmoor
