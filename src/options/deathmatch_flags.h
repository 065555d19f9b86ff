#pragma once

#include <string>

#include "core/controls.h"

namespace vexmoor {

// The deathmatch flags total: a plain sum, not a set of bits, so adding the
// same value twice carries into the next bit.
struct DeathmatchFlags {
    double total = 0;
};

enum class FlagKind {
    Enable,    // checking adds the value
    Inverted,  // unchecking adds the value
};

// Each state change adds or subtracts the box's value exactly once; any state
// other than 0 or 1 leaves the total alone.
void wireFlagBox(CheckBox& box, double value, FlagKind kind, DeathmatchFlags& flags);

// The fragment is the fixed text followed by the number text of the new state.
void wireNumberFragment(CheckBox& box, std::string fixedText);

// Checked: the fixed text followed by the companion's text (or the fixed text
// alone when there is no companion); otherwise empty. An edit of the companion
// while the box is checked rebuilds the fragment.
void wirePresentOrEmpty(CheckBox& box, std::string fixedText, TextBox* companion = nullptr);

}  // namespace vexmoor
