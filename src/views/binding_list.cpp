#include "views/binding.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QPointer>

#include "views/binding_common.h"
#include "views/list_model.h"

// The binders of the lists: a list view (with a check mark per entry or a
// filter when the model has one) and a drop-down list.
namespace vexmoor {

using namespace binding_common;

void bind(Bindings& bindings, QListView* view, ListBox& model, TextKind kind, FilterText* filter) {
    view->setObjectName(q(model.name()));
    view->setUniformItemSizes(true);
    auto* items = new ListBoxItemModel(model, view, kind, filter);
    QItemSelectionModel* const previous = view->selectionModel();
    view->setModel(items);
    delete previous;
    const ListBox::Mode mode = model.mode();
    view->setSelectionMode(mode == ListBox::Mode::Single     ? QAbstractItemView::SingleSelection
                           : mode == ListBox::Mode::Multiple ? QAbstractItemView::MultiSelection
                                                             : QAbstractItemView::NoSelection);
    struct State : Guard {
        std::uint64_t selection = ~std::uint64_t{0};
        int selected = -1;
    };
    const auto state = std::make_shared<State>();
    const auto sync = [view, items, &model, state, mode] {
        Syncing syncing(*state);
        showCommon(view, model);
        const bool rowsChanged = items->follow();
        if (!rowsChanged && model.selectionRevision() == state->selection) return;
        state->selection = model.selectionRevision();
        QItemSelectionModel* selection = view->selectionModel();
        if (mode == ListBox::Mode::Checked) {
            items->marksChanged();
        } else if (mode == ListBox::Mode::Single) {
            const int selected = model.selectedIndex();
            // A choice filtered out stays the list's; the rows show none.
            const int row = selected >= 0 ? items->rowOf(static_cast<std::size_t>(selected)) : -1;
            if (row >= 0) {
                const QModelIndex index = items->index(row);
                if (selection->currentIndex() != index || !selection->isSelected(index))
                    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
                if (selected != state->selected || rowsChanged) view->scrollTo(index);
            } else {
                selection->clearSelection();
            }
            state->selected = selected;
        } else {
            // The marks of the rows shown, as ranges of rows set in one go.
            QItemSelection marked;
            const int rows = items->rowCount();
            const auto marks = [&](int row) { return model.isSelected(items->entryOf(row)); };
            for (int row = 0; row < rows;) {
                if (!marks(row)) {
                    ++row;
                    continue;
                }
                const int first = row;
                while (row < rows && marks(row)) ++row;
                marked.select(items->index(first), items->index(row - 1));
            }
            selection->select(marked, QItemSelectionModel::ClearAndSelect);
        }
    };
    follow(bindings, model, sync);
    if (filter) bindings.keep(filter->changed().connect(sync));
    // The model may go before the view: from then on the view shows nothing of it.
    bindings.keep(Connection([items = QPointer<ListBoxItemModel>(items)] {
        if (items) items->detach();
    }));
    // Every change of the selection the model did not make is the user's:
    // a click, the keyboard, or assistive technology's "select".
    bindings.keep(QObject::connect(
        view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
        [view, items, &model, state, mode, sync, alive = bindings.alive()](const QItemSelection& selected,
                                                                           const QItemSelection& deselected) {
            if (state->syncing || mode == ListBox::Mode::Checked) return;
            if (mode == ListBox::Mode::Single) {
                const auto rows = view->selectionModel()->selectedRows();
                if (!rows.isEmpty())
                    model.setSelectedIndex(static_cast<int>(items->entryOf(rows.front().row())));
                else if (model.noneAllowed())
                    model.setSelectedIndex(-1);
                // Whatever the model kept is what the list shows: a choice it
                // would not give up (Ctrl+click on it) is shown chosen again.
                if (!*alive) return;
                state->selection = ~std::uint64_t{0};
            } else {
                // Read the whole change first: each model change redraws the list.
                std::vector<std::pair<std::size_t, bool>> marks;
                for (const auto& [ranges, mark] : {std::pair{&selected, true}, std::pair{&deselected, false}})
                    for (const QItemSelectionRange& range : *ranges)
                        for (int row = range.top(); row <= range.bottom(); ++row)
                            marks.emplace_back(items->entryOf(row), mark);
                for (const auto& [row, mark] : marks) {
                    if (!*alive) return;
                    model.setSelected(row, mark);
                }
            }
            if (*alive) sync();
        }));
}

void bind(Bindings& bindings, QComboBox* combo, ListBox& model, TextKind kind) {
    combo->setObjectName(q(model.name()));
    const auto state = std::make_shared<Guard>();
    const auto sync = [combo, &model, state, kind] {
        Syncing syncing(*state);
        showCommon(combo, model);
        QStringList items;
        for (const auto& item : model.items()) items << toQString(item, kind);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (items != shown) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(model.selectedIndex());
    };
    follow(bindings, model, sync);
    // Any change of the choice the model did not make is the user's, also
    // one made through assistive technology rather than the popup.
    bindings.keep(QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                                   [&model, state, sync, alive = bindings.alive()](int index) {
                                       if (state->syncing) return;
                                       if (index >= 0) model.setSelectedIndex(index);
                                       if (*alive) sync();
                                   }));
}

}  // namespace vexmoor
