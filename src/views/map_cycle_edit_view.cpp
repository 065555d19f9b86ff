#include "views/map_cycle_edit_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/map_preview_view.h"

namespace vexmoor {

MapCycleEditView::MapCycleEditView(MapCycleEditForm& model, QWidget* parent)
    : SideWindow(model, model.CancelButton, parent),
      form_(model),
      availableLabel_(new QLabel(QStringLiteral("&Available maps"), this)),
      available_(new QListView(this)),
      availableCount_(new QLabel(this)),
      cycleCount_(new QLabel(this)),
      cycleLabel_(new QLabel(QStringLiteral("Map c&ycle"), this)),
      cycle_(new QListView(this)),
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
    grid->addWidget(availableLabel_, 0, 0);
    grid->addWidget(cycleLabel_, 0, 2);
    grid->addWidget(availableCount_, 1, 0);
    grid->addWidget(cycleCount_, 1, 2);
    grid->addWidget(available_, 2, 0);
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
    chainTabOrder({available_, add_, insert_, remove_, cycle_, moveUp_, moveDown_, commit_, cancel_});
    if (mapPlan_) setTabOrder(moveDown_, mapPlan_->findChild<QWidget*>(QStringLiteral("MapPreview")));
    available_->setFocus();
}

void MapCycleEditView::connectObservers() {
    bind(bindings_, available_, form_.MapsAvailableList);
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
    bind(bindings_, cancel_, form_.CancelButton);
}

}  // namespace vexmoor
