#include "options/deathmatch_flags.h"

#include "core/number_text.h"

namespace vexmoor {

void wireFlagBox(CheckBox& box, double value, FlagKind kind, DeathmatchFlags& flags) {
    box.onChange([&box, value, kind, &flags] {
        const int adding = kind == FlagKind::Enable ? 1 : 0;
        if (box.state() == adding) flags.total += value;
        else if (box.state() == 1 - adding) flags.total -= value;
    });
}

void wireNumberFragment(CheckBox& box, std::string fixedText) {
    // The start fragment reads as the rule would for the start state, but the
    // rule itself puts the number text (with its sign blank) after the fixed
    // text, so the two differ by a blank for some boxes. Both are meant.
    box.onChange([&box, fixedText] { box.setFragment(fixedText + numberText(box.state())); });
}

void wirePresentOrEmpty(CheckBox& box, std::string fixedText, TextBox* companion) {
    const auto rebuild = [&box, fixedText, companion] {
        if (box.state() == 1) box.setFragment(fixedText + (companion ? companion->text() : std::string()));
        else box.setFragment({});
    };
    box.onChange(rebuild);
    if (companion) {
        companion->onChange([&box, rebuild] {
            if (box.state() == 1) rebuild();
        });
    }
}

}  // namespace vexmoor
