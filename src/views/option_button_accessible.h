#pragma once

class QRadioButton;

namespace vexmoor {

// An option button keeps its group exclusive through its model rather than
// through Qt, and Qt then presents it to assistive technology as a check
// box. A marked button is presented as the radio button it is, named by its
// caption, showing whether it is chosen, and chosen by its action exactly as
// by a click.
void markAsOptionButton(QRadioButton* button);

}  // namespace vexmoor
