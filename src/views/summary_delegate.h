#pragma once

#include <QStyledItemDelegate>

namespace vexmoor {

// The role of an entry's summary line (a game setup's mode, map and bots).
inline constexpr int kSummaryRole = Qt::UserRole + 1;

// Draws each entry's text with its summary in a second, dimmer line under it.
class SummaryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vexmoor
