#pragma once

#include <QStyledItemDelegate>

#include <functional>
#include <string>

class QListView;

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

// Shows each entry of a list bound to a core list with its summary under it,
// also as its tooltip and accessible description.
void showSummaries(QListView* list, std::function<std::string(const std::string& entry)> summaryOf);

}  // namespace vexmoor
