// Feeds two arbitrary texts to the line differences: the bytes before the
// first NUL are the earlier version, the rest the file as it is now. The
// edits must turn the version into the file, keep every line of both in
// order, and what a reader is shown must be nothing exactly when the two are
// the same, and otherwise groups that each begin with their header.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "history/line_diff.h"

using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = bytes.find('\0');
    const std::string_view from = bytes.substr(0, cut);
    const std::string_view to = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);

    const std::vector<vexmoor::LineEdit> edits = vexmoor::lineDiff(from, to);
    require(vexmoor::applyLineEdits(from, edits) == std::string(to));
    std::string before, after;
    for (const vexmoor::LineEdit& edit : edits) {
        if (edit.kind != vexmoor::LineEdit::Kind::Added) before += edit.line;
        if (edit.kind != vexmoor::LineEdit::Kind::Removed) after += edit.line;
    }
    require(before == from && after == to);

    const std::vector<vexmoor::ShownLine> shown = vexmoor::shownDifferences(from, to);
    require(shown.empty() == (from == to));
    require(shown.empty() || shown.front().kind == vexmoor::ShownLine::Kind::Header);
    for (const vexmoor::ShownLine& line : shown) {
        const std::string_view text = line.text;
        switch (line.kind) {
            case vexmoor::ShownLine::Kind::Removed:
                require(text.starts_with("- "));
                break;
            case vexmoor::ShownLine::Kind::Added:
                require(text.starts_with("+ "));
                break;
            case vexmoor::ShownLine::Kind::Context:
                require(text.starts_with("  "));
                break;
            case vexmoor::ShownLine::Kind::Header:
                break;
        }
        // One line each, whatever the texts held.
        require(text.find('\n') == std::string_view::npos && text.find('\r') == std::string_view::npos);
    }
    return 0;
}
