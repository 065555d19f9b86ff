#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractListModel>

#include "core/controls.h"
#include "platform/codec.h"

namespace vexmoor {

// A core list as a Qt item model: the rows are the list's own entries, read
// in place, so a list of thousands costs one reset, not an object per entry.
// Entries of a checked list carry a check box that reads and sets the
// list's marks. With a filter the rows are the entries it shows, in order;
// the marks of the others stay in the list, untouched.
class ListBoxItemModel : public QAbstractListModel {
public:
    // The entries are texts of the given kind (codec.h).
    explicit ListBoxItemModel(ListBox& list, QObject* parent = nullptr, TextKind kind = TextKind::Game,
                              const FilterText* filter = nullptr);

    // The list's index of a row, and the row of an index (-1 when its entry
    // is filtered out).
    std::size_t entryOf(int row) const;
    int rowOf(std::size_t entry) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Brings the rows in line with the list and its filter: the one change
    // made since the rows were last brought in line, or a reset. True when
    // rows changed.
    bool follow();
    // Check marks changed: tells the view to redraw them.
    void marksChanged();
    // What the further roles answer changed: every row is drawn again.
    void rolesChanged();
    // The entries as the core list holds them.
    std::vector<std::string> entries() const { return list_ ? list_->items() : std::vector<std::string>(); }
    // The list is going away: the model shows nothing from now on.
    void detach();

    // Further roles of an entry (its tooltip, accessible description or
    // icon), which the window draws from what the entry stands for; the
    // entry's text stays the list's own. Asked for every role but the text
    // and the check mark, so it answers the others at once.
    using Roles = std::function<QVariant(const std::string& entry, int role)>;
    void setRoles(Roles roles) { roles_ = std::move(roles); }

private:
    bool filtered() const { return filter_ && !filterText_.empty(); }
    void refilter();

    ListBox* list_;
    Roles roles_;
    int rows_ = 0;
    std::uint64_t revision_ = 0;
    TextKind kind_;
    const FilterText* filter_;
    // The filter text the rows show, and while it is not empty the entries shown.
    std::string filterText_;
    std::vector<std::size_t> shown_;
};

}  // namespace vexmoor
