#pragma once

#include <initializer_list>

class QWidget;

namespace vexmoor {

// Small layout helpers the windows share.

// A width that fits the given number of average characters, plus the field's frame.
int fieldWidth(const QWidget* field, int characters);

// Chains the widgets' tab order in the order given.
void chainTabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace vexmoor
