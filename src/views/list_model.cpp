#include "views/list_model.h"

#include <algorithm>

#include "platform/codec.h"

namespace vexmoor {

ListBoxItemModel::ListBoxItemModel(ListBox& list, QObject* parent, TextKind kind, const FilterText* filter)
    : QAbstractListModel(parent),
      list_(&list),
      rows_(static_cast<int>(list.count())),
      revision_(list.itemsRevision()),
      kind_(kind),
      filter_(filter) {
    if (filter_ && !filter_->text().empty()) refilter();
}

void ListBoxItemModel::refilter() {
    filterText_ = filter_ ? filter_->text() : std::string();
    shown_.clear();
    if (filtered()) shown_ = filter_->shownIndexes(*list_);
    rows_ = filtered() ? static_cast<int>(shown_.size()) : static_cast<int>(list_->count());
}

std::size_t ListBoxItemModel::entryOf(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return filtered() ? shown_[r] : r;
}

int ListBoxItemModel::rowOf(std::size_t entry) const {
    if (!filtered()) return entry < static_cast<std::size_t>(rows_) ? static_cast<int>(entry) : -1;
    const auto found = std::lower_bound(shown_.begin(), shown_.end(), entry);
    return found != shown_.end() && *found == entry ? static_cast<int>(found - shown_.begin()) : -1;
}

int ListBoxItemModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListBoxItemModel::data(const QModelIndex& index, int role) const {
    if (!list_ || !index.isValid() || index.row() >= rows_) return {};
    const std::size_t row = entryOf(index.row());
    // A list that shows another's entries reads them where they are; fewer
    // than the rows, it draws the rest empty until it follows.
    if (row >= list_->count()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return toQString(list_->items()[row], kind_);
        case Qt::CheckStateRole:
            if (list_->mode() != ListBox::Mode::Checked) return {};
            return list_->isSelected(row) ? Qt::Checked : Qt::Unchecked;
        default:
            return roles_ ? roles_(std::string(list_->items()[row]), role) : QVariant();
    }
}

Qt::ItemFlags ListBoxItemModel::flags(const QModelIndex& index) const {
    if (!list_ || !index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (list_->mode() == ListBox::Mode::Checked) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ListBoxItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!list_ || role != Qt::CheckStateRole || list_->mode() != ListBox::Mode::Checked || !index.isValid() ||
        index.row() >= rows_)
        return false;
    // The list decides; the view redraws from it when it tells of the change.
    list_->setSelected(entryOf(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

void ListBoxItemModel::rolesChanged() {
    if (rows_ > 0) Q_EMIT dataChanged(index(0), index(rows_ - 1));
}

bool ListBoxItemModel::follow() {
    if (!list_) return false;
    const bool filterChanged = filter_ && filter_->text() != filterText_;
    if (filterChanged || filtered()) {
        if (!filterChanged && list_->itemsRevision() == revision_) return false;
        // A filtered list's rows are made anew: which rows an entry change
        // moves is the filter's to say.
        beginResetModel();
        refilter();
        endResetModel();
        revision_ = list_->itemsRevision();
        return true;
    }
    if (list_->itemsRevision() == revision_ && static_cast<std::size_t>(rows_) == list_->count())
        return false;
    const ListBox::ItemsChange& change = list_->lastItemsChange();
    const int row = static_cast<int>(change.index);
    const int count = static_cast<int>(list_->count());
    const bool single = change.from == revision_ && list_->itemsRevision() == revision_ + 1;
    using Kind = ListBox::ItemsChange::Kind;
    if (single && change.kind == Kind::Inserted && count == rows_ + 1) {
        beginInsertRows({}, row, row);
        rows_ = count;
        endInsertRows();
    } else if (single && change.kind == Kind::Removed && count == rows_ - 1) {
        beginRemoveRows({}, row, row);
        rows_ = count;
        endRemoveRows();
    } else if (single && change.kind == Kind::Replaced && count == rows_) {
        Q_EMIT dataChanged(index(row), index(row));
    } else {
        beginResetModel();
        rows_ = count;
        endResetModel();
    }
    revision_ = list_->itemsRevision();
    return true;
}

void ListBoxItemModel::marksChanged() {
    if (rows_ > 0) Q_EMIT dataChanged(index(0), index(rows_ - 1), {Qt::CheckStateRole});
}

}  // namespace vexmoor

namespace vexmoor {

void ListBoxItemModel::detach() {
    beginResetModel();
    list_ = nullptr;
    rows_ = 0;
    endResetModel();
}

}  // namespace vexmoor
