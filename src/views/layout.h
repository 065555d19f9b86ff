#pragma once

#include <initializer_list>

class QLabel;
class QWidget;

namespace vexmoor {

// Small layout helpers the windows share.

// A width that fits the given number of average characters, plus the field's frame.
int fieldWidth(const QWidget* field, int characters);

// Chains the widgets' tab order in the order given.
void chainTabOrder(std::initializer_list<QWidget*> widgets);

// A line of warnings: wrapped, in a colour that stands out on a light or a
// dark window alike.
void showAsWarning(QLabel* label);

// Makes a window tall enough for its word-wrapped texts at its present
// width. It never shrinks, so the buttons stay where the user found them.
void growToFit(QWidget* window);

}  // namespace vexmoor
