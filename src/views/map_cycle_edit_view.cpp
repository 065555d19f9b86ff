#include "views/map_cycle_edit_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/list_model.h"
#include "views/map_preview_view.h"

namespace vexmoor {

namespace {

// The cycle as a place to drop maps: an entry of its own moves, the known
// maps dragged from the list beside it are put in, at the gap between the
// rows nearest to where they are let go. What the drop does is the form's.
class CycleList : public QListView {
public:
    CycleList(MapCycleEditForm& form, QWidget* parent) : QListView(parent), form_(form) {
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::MoveAction);
        setDropIndicatorShown(true);
        setDragDropOverwriteMode(false);
    }
    void acceptFrom(const QListView* available) { available_ = available; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (ours(event)) QListView::dragEnterEvent(event);
        else event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (ours(event)) QListView::dragMoveEvent(event);
        else event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        if (!ours(event)) {
            event->ignore();
            return;
        }
        const std::size_t gap = gapAt(event->position().toPoint());
        // Taken as a copy, so the view removes no rows of its own: the form
        // has moved or put in the entries already.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        stopAutoScroll();
        setState(NoState);
        viewport()->update();
        if (event->source() == this) {
            const int from = form_.MapsSelectedList.selectedIndex();
            if (from >= 0) form_.moveEntry(static_cast<std::size_t>(from), gap);
        } else {
            form_.dropAvailable(gap);
        }
    }

private:
    bool ours(const QDropEvent* event) const {
        return (event->source() == this || (available_ && event->source() == available_)) &&
               event->mimeData()->hasFormat(QString::fromLatin1(ListBoxItemModel::entriesMimeType()));
    }
    // The entries above the point: an entry's lower half counts it.
    std::size_t gapAt(const QPoint& point) const {
        const QModelIndex index = indexAt(point);
        if (!index.isValid()) return static_cast<std::size_t>(model()->rowCount());
        const bool below = point.y() >= visualRect(index).center().y();
        return static_cast<std::size_t>(index.row() + (below ? 1 : 0));
    }

    MapCycleEditForm& form_;
    const QListView* available_ = nullptr;
};

}  // namespace

MapCycleEditView::MapCycleEditView(MapCycleEditForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.CancelButton, parent),
      form_(model),
      dialogs_(dialogs),
      availableLabel_(new QLabel(QStringLiteral("&Available maps"), this)),
      availableFilter_(new QLineEdit(this)),
      available_(new QListView(this)),
      cycleLabel_(new QLabel(QStringLiteral("Map c&ycle"), this)),
      cycle_(new CycleList(model, this)),
      add_(new QPushButton(this)),
      insert_(new QPushButton(this)),
      remove_(new QPushButton(this)),
      moveUp_(new QPushButton(this)),
      moveDown_(new QPushButton(this)),
      mapLine_(new QLabel(this)),
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
    // Known maps are dragged into the cycle, and cycle entries within it.
    available_->setDragEnabled(true);
    available_->setDragDropMode(QAbstractItemView::DragOnly);
    available_->setDefaultDropAction(Qt::CopyAction);
    cycle_->setDragEnabled(true);
    static_cast<CycleList*>(cycle_)->acceptFrom(available_);
    for (QListView* list : {available_, cycle_})
        if (auto* items = dynamic_cast<ListBoxItemModel*>(list->model())) items->allowDragAndDrop();

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
    grid->addLayout(known, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(cycle_, 1, 2);
    auto* order = new QVBoxLayout;
    order->addWidget(moveUp_);
    order->addWidget(moveDown_);
    order->addStretch(1);
    grid->addLayout(order, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(commit_);
    bottom->addWidget(cancel_);

    mapLine_->setWordWrap(true);
    mapLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(mapLine_);
    layout->addWidget(warnings_);
    layout->addLayout(bottom);

    // The keyboard goes from the known maps through the buttons that move
    // them to the cycle, then to the buttons below.
    chainTabOrder({availableFilter_, available_, add_, insert_, remove_, cycle_, moveUp_, moveDown_, commit_, cancel_});
    available_->setFocus();
}

void MapCycleEditView::connectObservers() {
    bindFilter(bindings_, availableFilter_, form_.MapsAvailableFilter, dialogs_, QStringLiteral("Filter maps"));
    bind(bindings_, available_, form_.MapsAvailableList, TextKind::Game, &form_.MapsAvailableFilter);
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
        bind(bindings_, mapLine_, preview.MapPreviewLabel);
        bindings_.keep(preview.MapPreviewLabel.changed().connect([this] { growToFit(this); }));
        describeMaps(available_, preview.library());
        describeMaps(cycle_, preview.library());
    }
    bind(bindings_, warnings_, form_.WarningLabel);
    bindings_.keep(form_.WarningLabel.changed().connect([this] { growToFit(this); }));
    bind(bindings_, commit_, form_.CommitButton);
    bindShortcut(bindings_, commit_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.CommitButton);
    bind(bindings_, cancel_, form_.CancelButton);
}

}  // namespace vexmoor
