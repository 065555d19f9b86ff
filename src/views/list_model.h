#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QAbstractListModel>

#include "core/controls.h"
#include "views/codec.h"

namespace vexmoor {

// A core list as a Qt item model: the rows are the list's own entries, read
// in place, so a list of thousands costs one reset, not an object per entry.
// Entries of a checked list carry a check box that reads and sets the
// list's marks.
class ListBoxItemModel : public QAbstractListModel {
public:
    // The entries are texts of the given kind (codec.h).
    explicit ListBoxItemModel(ListBox& list, QObject* parent = nullptr, TextKind kind = TextKind::Game);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Brings the rows in line with the list: the one change made since the
    // rows were last brought in line, or a reset. True when rows changed.
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
    ListBox* list_;
    Roles roles_;
    int rows_ = 0;
    std::uint64_t revision_ = 0;
    TextKind kind_;
};

}  // namespace vexmoor
