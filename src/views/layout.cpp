#include "views/layout.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
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

void showAsWarning(QLabel* label) {
    label->setWordWrap(true);
    QPalette palette = label->palette();
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    palette.setColor(QPalette::WindowText, dark ? QColor(0xff, 0xb8, 0x6c) : QColor(0x8a, 0x3b, 0x00));
    label->setPalette(palette);
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
