#include "views/layout.h"

#include <QFontMetrics>
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

}  // namespace vexmoor
