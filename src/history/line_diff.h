#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexmoor {

// Line differences between two texts, for showing what bringing back an
// earlier version of a file would change.

// A text cut into lines, each with its line end ("\n" or "\r\n"); the last
// line may have none. An empty text has no lines.
std::vector<std::string_view> splitLines(std::string_view text);

// One step of turning one text into another: a line both hold, a line only
// the first holds, a line only the second holds. The lines keep their ends,
// so two lines that differ only there are different lines.
struct LineEdit {
    enum class Kind { Same, Removed, Added };
    Kind kind;
    std::string_view line;  // in `from` for Same and Removed, in `to` for Added

    bool operator==(const LineEdit&) const = default;
};

// A change no longer than this many removed and added lines is found at its
// shortest (Myers' algorithm); a longer one is shown as every line between
// the common beginning and end removed and added, which is as true and
// costs no time or memory to speak of.
inline constexpr std::size_t kMaxShortestEdits = 1000;

// The edits that turn `from` into `to`: every line of both, in order. Within
// a run of changes the removed lines come before the added ones.
std::vector<LineEdit> lineDiff(std::string_view from, std::string_view to);

// The text the edits make of `from`, or nothing when they do not fit it (a
// kept or removed line that `from` does not hold at that place).
std::optional<std::string> applyLineEdits(std::string_view from, const std::vector<LineEdit>& edits);

// The differences as a reader sees them: the changed lines with a few lines
// of context around them, in groups that each begin with a header naming
// their lines. Removed lines begin with "- ", added ones with "+ ", context
// with two blanks. Lines are shown without their ends, except where a
// removed and an added line differ only there: then both show theirs
// ("<CR><LF>", "<LF>", "<no line end>"). A carriage return inside a line
// shows as "<CR>".
struct ShownLine {
    enum class Kind { Header, Context, Removed, Added };
    Kind kind;
    std::string text;

    bool operator==(const ShownLine&) const = default;
};

std::vector<ShownLine> shownDifferences(std::string_view from, std::string_view to, std::size_t context = 3);

}  // namespace vexmoor
