#include "views/layout.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLayout>
#include <QWidget>

namespace vexmoor {

int fieldWidth(const QWidget* field, int characters) {
    // The frame and text margins of a line edit take roughly two characters.
    return field->fontMetrics().averageCharWidth() * (characters + 2) + 8;
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void growToFit(QWidget* window) {
    QLayout* layout = window->layout();
    if (!layout) return;
    layout->activate();
    const int width = window->width();
    const int needed = std::max(layout->totalMinimumSize().height(), layout->hasHeightForWidth()
                                                                         ? layout->totalHeightForWidth(width)
                                                                         : layout->totalSizeHint().height());
    if (needed > window->height()) window->resize(width, needed);
}

}  // namespace vexmoor
