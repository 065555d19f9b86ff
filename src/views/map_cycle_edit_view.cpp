#include "views/map_cycle_edit_view.h"

#include <algorithm>
#include <functional>
#include <optional>

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/map_preview_view.h"

namespace vexmoor {

namespace {

// A list whose entries the mouse drags to the cycle. The drag is this
// window's own, between its two lists: it starts past the drag distance,
// a line in the cycle shows where the entries would go, and letting go
// there hands that place to the form; anywhere else, or Escape, drops
// nothing. Dragging never selects a range (Shift+click does).
class MapList : public QListView {
public:
    // What letting go on the cycle does, with the entries above the place.
    using Drop = std::function<void(std::size_t gap)>;

    explicit MapList(QWidget* parent) : QListView(parent), marker_(new QWidget(viewport())) {
        // A line in the selection's colour; without a role of its own it
        // would take the list's white.
        marker_->setAutoFillBackground(true);
        marker_->setBackgroundRole(QPalette::Highlight);
        marker_->hide();
    }
    void dropOn(MapList* cycle, Drop drop) {
        cycle_ = cycle;
        drop_ = std::move(drop);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
        pressedAt_ = event->globalPosition().toPoint();
        QListView::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!pressed_ || !cycle_ || !(event->buttons() & Qt::LeftButton)) {
            QListView::mouseMoveEvent(event);
            return;
        }
        const QPoint at = event->globalPosition().toPoint();
        if (!dragging_ && (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            QApplication::setOverrideCursor(Qt::DragMoveCursor);
        }
        if (dragging_) cycle_->showGap(cycle_->gapAt(at));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        pressed_ = false;
        if (!dragging_) {
            QListView::mouseReleaseEvent(event);
            return;
        }
        const std::optional<std::size_t> gap = cycle_->gapAt(event->globalPosition().toPoint());
        endDrag();
        if (gap) drop_(*gap);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (dragging_ && event->key() == Qt::Key_Escape) {
            pressed_ = false;
            endDrag();
            return;
        }
        QListView::keyPressEvent(event);
    }

private:
    void endDrag() {
        dragging_ = false;
        QApplication::restoreOverrideCursor();
        cycle_->showGap(std::nullopt);
        setState(NoState);
    }
    // The entries above a point of the screen on this list (an entry's
    // lower half counts it), or nothing off the list.
    std::optional<std::size_t> gapAt(const QPoint& global) const {
        const QPoint point = viewport()->mapFromGlobal(global);
        if (!viewport()->rect().contains(point)) return std::nullopt;
        const QModelIndex index = indexAt(point);
        if (!index.isValid()) return static_cast<std::size_t>(model()->rowCount());
        const bool below = point.y() >= visualRect(index).center().y();
        return static_cast<std::size_t>(index.row() + (below ? 1 : 0));
    }
    void showGap(std::optional<std::size_t> gap) {
        if (!gap) {
            marker_->hide();
            return;
        }
        const int rows = model()->rowCount();
        const int row = static_cast<int>(std::min<std::size_t>(*gap, static_cast<std::size_t>(rows)));
        int y = 0;
        if (rows > 0)
            y = row < rows ? visualRect(model()->index(row, 0)).top()
                           : visualRect(model()->index(rows - 1, 0)).bottom() + 1;
        marker_->setGeometry(0, std::max(0, y - 1), viewport()->width(), 2);
        marker_->show();
        marker_->raise();
    }

    MapList* cycle_ = nullptr;
    Drop drop_;
    QWidget* marker_;
    QPoint pressedAt_;
    bool pressed_ = false;
    bool dragging_ = false;
};

}  // namespace

MapCycleEditView::MapCycleEditView(MapCycleEditForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.CancelButton, parent),
      form_(model),
      dialogs_(dialogs),
      availableLabel_(new QLabel(QStringLiteral("&Available maps"), this)),
      availableFilter_(new QLineEdit(this)),
      available_(new MapList(this)),
      availableCount_(new QLabel(this)),
      cycleCount_(new QLabel(this)),
      cycleLabel_(new QLabel(QStringLiteral("Map c&ycle"), this)),
      cycle_(new MapList(this)),
      add_(new QPushButton(this)),
      insert_(new QPushButton(this)),
      remove_(new QPushButton(this)),
      moveUp_(new QPushButton(this)),
      moveDown_(new QPushButton(this)),
      warnings_(new QLabel(this)),
      commit_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void MapCycleEditView::buildLayout() {
    availableLabel_->setObjectName(QStringLiteral("MapsAvailableLabel"));
    cycleLabel_->setObjectName(QStringLiteral("MapsSelectedLabel"));
    nameByLabel(availableLabel_, available_);
    nameByLabel(cycleLabel_, cycle_);
    // Ranges with Shift, single additions with Ctrl.
    available_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QListView* list : {available_, cycle_})
        list->setMinimumSize(fieldWidth(list, 22), list->fontMetrics().height() * 18);
    // The first map is where the keyboard starts, without being chosen.
    if (form_.MapsAvailableList.count() > 0)
        available_->selectionModel()->setCurrentIndex(available_->model()->index(0, 0),
                                                      QItemSelectionModel::NoUpdate);
    // A double click on a known map appends it, as Add does.
    QObject::connect(available_, &QListView::doubleClicked, add_, [this] { add_->click(); });
    // Known maps are dragged into the cycle, as Insert (or, past the last
    // entry, Add) puts them there; a cycle entry moves as Move Up and Move
    // Down move it, and stays chosen.
    auto* cycle = static_cast<MapList*>(cycle_);
    static_cast<MapList*>(available_)->dropOn(cycle, [this](std::size_t gap) { form_.dropAvailable(gap); });
    cycle->dropOn(cycle, [this](std::size_t gap) {
        if (const int from = form_.MapsSelectedList.selectedIndex(); from >= 0)
            form_.moveEntry(static_cast<std::size_t>(from), gap);
    });

    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Enter appends the chosen maps, except on a button, which takes Enter for itself.
    for (QPushButton* button : {add_, insert_, remove_, moveUp_, moveDown_, commit_, cancel_})
        button->setAutoDefault(true);
    add_->setDefault(true);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(add_);
    middle->addWidget(insert_);
    middle->addWidget(remove_);
    middle->addStretch(1);

    auto* grid = new QGridLayout;
    auto* known = new QVBoxLayout;
    known->setContentsMargins(0, 0, 0, 0);
    known->addWidget(availableFilter_);
    known->addWidget(available_, 1);
    grid->addWidget(availableLabel_, 0, 0);
    grid->addWidget(cycleLabel_, 0, 2);
    grid->addWidget(availableCount_, 1, 0);
    grid->addWidget(cycleCount_, 1, 2);
    grid->addLayout(known, 2, 0);
    grid->addLayout(middle, 2, 1);
    grid->addWidget(cycle_, 2, 2);
    auto* order = new QVBoxLayout;
    order->addWidget(moveUp_);
    order->addWidget(moveDown_);
    order->addStretch(1);
    grid->addLayout(order, 2, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(commit_);
    bottom->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    if (mapPlan_) {
        mapLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* chosen = new QHBoxLayout;
        chosen->addWidget(mapLine_, 1);
        chosen->addWidget(mapPlan_);
        layout->addLayout(chosen);
    }
    layout->addWidget(warnings_);
    layout->addLayout(bottom);

    // The keyboard goes from the known maps through the buttons that move
    // them to the cycle, then to the buttons below.
    chainTabOrder({availableFilter_, available_, add_, insert_, remove_, cycle_, moveUp_, moveDown_, commit_, cancel_});
    if (mapPlan_) setTabOrder(moveDown_, mapPlan_->findChild<QWidget*>(QStringLiteral("MapPreview")));
    available_->setFocus();
}

void MapCycleEditView::connectObservers() {
    bindFilter(bindings_, availableFilter_, form_.MapsAvailableFilter, dialogs_, QStringLiteral("Filter maps"));
    bind(bindings_, available_, form_.MapsAvailableList, TextKind::Game, &form_.MapsAvailableFilter);
    bind(bindings_, availableCount_, form_.MapsAvailableCountLabel, TextKind::System);
    bind(bindings_, cycleCount_, form_.MapsSelectedCountLabel, TextKind::System);
    bind(bindings_, cycle_, form_.MapsSelectedList);
    bind(bindings_, add_, form_.AddButton);
    bind(bindings_, insert_, form_.InsertButton);
    bind(bindings_, remove_, form_.RemoveButton);
    bind(bindings_, moveUp_, form_.MoveUpButton);
    bind(bindings_, moveDown_, form_.MoveDownButton);
    bindKey(bindings_, cycle_, QKeySequence::Delete, form_.RemoveButton);
    bindKey(bindings_, cycle_, QKeySequence(Qt::ALT | Qt::Key_Up), form_.MoveUpButton);
    bindKey(bindings_, cycle_, QKeySequence(Qt::ALT | Qt::Key_Down), form_.MoveDownButton);
    if (form_.preview) {
        MapPreviewModel& preview = form_.preview->preview;
        // No picture stands in the plan's place here: an empty one.
        auto* panel = new MapPreviewPanel(preview, new QWidget(this), bindings_, this);
        mapPlan_ = panel;
        mapLine_ = panel->line();
        bindings_.keep(preview.MapPreviewLabel.changed().connect([this] { growToFit(this); }));
        describeMaps(available_, preview.library(), {}, &form_.MapsAvailableCountLabel);
        describeMaps(cycle_, preview.library(), {}, &form_.MapsSelectedCountLabel);
    }
    bind(bindings_, warnings_, form_.WarningLabel);
    bindings_.keep(form_.WarningLabel.changed().connect([this] { growToFit(this); }));
    bind(bindings_, commit_, form_.CommitButton);
    bindShortcut(bindings_, commit_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.CommitButton);
    bind(bindings_, cancel_, form_.CancelButton);
}

}  // namespace vexmoor
