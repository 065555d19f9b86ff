#include "views/summary_delegate.h"

#include <QApplication>
#include <QListView>
#include <QPainter>

#include "platform/codec.h"
#include "views/list_model.h"

namespace vexmoor {

namespace {

QFont summaryFont(const QFont& font) {
    QFont smaller = font;
    if (smaller.pointSizeF() > 0) smaller.setPointSizeF(smaller.pointSizeF() * 0.9);
    return smaller;
}

}  // namespace

void SummaryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString summary = index.data(kSummaryRole).toString();
    if (summary.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString name = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    QColor ink = item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setPen(ink);
    painter->setFont(item.font);
    const QFontMetrics nameMetrics(item.font);
    const QRect nameLine(text.left(), text.top() + 2, text.width(), nameMetrics.height());
    painter->drawText(nameLine, Qt::AlignLeft | Qt::AlignVCenter,
                      nameMetrics.elidedText(name, Qt::ElideRight, nameLine.width()));
    const QFont small = summaryFont(item.font);
    const QFontMetrics smallMetrics(small);
    ink.setAlphaF(selected ? 0.85f : 0.7f);
    painter->setPen(ink);
    painter->setFont(small);
    const QRect summaryLine(text.left(), nameLine.bottom() + 1, text.width(), smallMetrics.height());
    painter->drawText(summaryLine, Qt::AlignLeft | Qt::AlignVCenter,
                      smallMetrics.elidedText(summary, Qt::ElideRight, summaryLine.width()));
    painter->restore();
}

QSize SummaryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.data(kSummaryRole).toString().isEmpty()) return size;
    const QFontMetrics nameMetrics(option.font);
    const QFontMetrics smallMetrics(summaryFont(option.font));
    size.setHeight(nameMetrics.height() + smallMetrics.height() + 6);
    return size;
}

void showSummaries(QListView* list, std::function<std::string(const std::string&)> summaryOf) {
    if (auto* items = dynamic_cast<ListBoxItemModel*>(list->model()))
        items->setRoles([summaryOf = std::move(summaryOf)](const std::string& entry, int role) -> QVariant {
            if (role != kSummaryRole && role != Qt::ToolTipRole && role != Qt::AccessibleDescriptionRole)
                return {};
            const std::string summary = summaryOf(entry);
            return summary.empty() ? QVariant() : QVariant(toQString(summary));
        });
    list->setItemDelegate(new SummaryDelegate(list));
}

}  // namespace vexmoor
