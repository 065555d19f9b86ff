#include "history/line_diff.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace vexmoor {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

namespace {

using Index = std::ptrdiff_t;

struct Step {
    LineEdit::Kind kind;
    Index line;  // in the first text for Same and Removed, in the second for Added
};

// Myers' greedy search for the shortest way from one list of line numbers
// to another. Round d holds, for every diagonal k = x - y it can reach with
// d edits, the furthest x; a path only ever stays within both lists, so
// every step the search takes back is a real line.
class ShortestEdits {
public:
    ShortestEdits(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
        : a_(a), b_(b), n_(static_cast<Index>(a.size())), m_(static_cast<Index>(b.size())) {}

    // The steps, or nothing when more than maxEdits edits are needed.
    std::optional<std::vector<Step>> find(std::size_t maxEdits) {
        rounds_.push_back({snake(0, 0)});
        if (rounds_[0][0] == n_ && n_ == m_) return backtrack(0);
        for (Index d = 1; d <= static_cast<Index>(maxEdits); ++d) {
            std::vector<Index> round(static_cast<std::size_t>(d) + 1, -1);
            for (Index k = -d; k <= d; k += 2) {
                const auto from = start(d, k);
                if (!from) continue;
                const Index x = snake(from->x, from->x - k);
                round[static_cast<std::size_t>((k + d) / 2)] = x;
                if (x == n_ && x - k == m_) {
                    rounds_.push_back(std::move(round));
                    return backtrack(d);
                }
            }
            rounds_.push_back(std::move(round));
        }
        return std::nullopt;
    }

private:
    struct Start {
        Index fromDiagonal;
        Index x;
    };

    // The furthest x on diagonal k after round d, or -1 where it was out of reach.
    Index furthest(Index d, Index k) const {
        if (k < -d || k > d) return -1;
        return rounds_[static_cast<std::size_t>(d)][static_cast<std::size_t>((k + d) / 2)];
    }

    // Where a path of round d on diagonal k begins: one line down from
    // diagonal k + 1 (a line added) or one line right from k - 1 (a line
    // removed), whichever reaches further and stays within both lists.
    std::optional<Start> start(Index d, Index k) const {
        const Index down = furthest(d - 1, k + 1);
        const Index right = furthest(d - 1, k - 1);
        const bool canGoDown = down >= 0 && down - k <= m_;
        const bool canGoRight = right >= 0 && right + 1 <= n_;
        if (canGoRight && (!canGoDown || right + 1 >= down)) return Start{k - 1, right + 1};
        if (canGoDown) return Start{k + 1, down};
        return std::nullopt;
    }

    Index snake(Index x, Index y) const {
        while (x < n_ && y < m_ && a_[static_cast<std::size_t>(x)] == b_[static_cast<std::size_t>(y)]) {
            ++x;
            ++y;
        }
        return x;
    }

    std::vector<Step> backtrack(Index rounds) const {
        std::vector<Step> steps;
        Index x = n_;
        Index y = m_;
        for (Index d = rounds; d > 0; --d) {
            const Index k = x - y;
            const Start from = *start(d, k);
            for (; x > from.x; --x, --y) steps.push_back({LineEdit::Kind::Same, x - 1});
            if (from.fromDiagonal == k + 1) {
                --y;
                steps.push_back({LineEdit::Kind::Added, y});
            } else {
                --x;
                steps.push_back({LineEdit::Kind::Removed, x});
            }
        }
        for (; x > 0; --x) steps.push_back({LineEdit::Kind::Same, x - 1});
        std::reverse(steps.begin(), steps.end());
        return steps;
    }

    const std::vector<std::uint32_t>& a_;
    const std::vector<std::uint32_t>& b_;
    Index n_;
    Index m_;
    std::vector<std::vector<Index>> rounds_;
};

// Within each run of changes, the removed lines first: the same edits, read
// as a reader expects them.
void removedBeforeAdded(std::vector<LineEdit>& edits) {
    auto run = edits.begin();
    while (run != edits.end()) {
        if (run->kind == LineEdit::Kind::Same) {
            ++run;
            continue;
        }
        const auto end = std::find_if(run, edits.end(),
                                      [](const LineEdit& edit) { return edit.kind == LineEdit::Kind::Same; });
        std::stable_partition(run, end,
                              [](const LineEdit& edit) { return edit.kind == LineEdit::Kind::Removed; });
        run = end;
    }
}

}  // namespace

std::vector<LineEdit> lineDiff(std::string_view from, std::string_view to) {
    const std::vector<std::string_view> a = splitLines(from);
    const std::vector<std::string_view> b = splitLines(to);
    // What both begin and end with needs no search.
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;

    std::vector<LineEdit> edits;
    edits.reserve(a.size() + b.size() - prefix - suffix);
    for (std::size_t i = 0; i < prefix; ++i) edits.push_back({LineEdit::Kind::Same, a[i]});

    // The lines between as numbers, one per distinct line.
    std::unordered_map<std::string_view, std::uint32_t> numbers;
    const auto numbered = [&numbers](const std::vector<std::string_view>& lines, std::size_t first,
                                     std::size_t last) {
        std::vector<std::uint32_t> result;
        result.reserve(last - first);
        for (std::size_t i = first; i < last; ++i)
            result.push_back(
                numbers.try_emplace(lines[i], static_cast<std::uint32_t>(numbers.size())).first->second);
        return result;
    };
    const std::vector<std::uint32_t> middleA = numbered(a, prefix, a.size() - suffix);
    const std::vector<std::uint32_t> middleB = numbered(b, prefix, b.size() - suffix);
    const auto lineOf = [&](const Step& step) {
        const auto at = prefix + static_cast<std::size_t>(step.line);
        return step.kind == LineEdit::Kind::Added ? b[at] : a[at];
    };
    if (const auto steps = ShortestEdits(middleA, middleB).find(kMaxShortestEdits)) {
        for (const Step& step : *steps) edits.push_back({step.kind, lineOf(step)});
    } else {
        for (std::size_t i = prefix; i < a.size() - suffix; ++i)
            edits.push_back({LineEdit::Kind::Removed, a[i]});
        for (std::size_t i = prefix; i < b.size() - suffix; ++i)
            edits.push_back({LineEdit::Kind::Added, b[i]});
    }

    for (std::size_t i = a.size() - suffix; i < a.size(); ++i) edits.push_back({LineEdit::Kind::Same, a[i]});
    removedBeforeAdded(edits);
    return edits;
}

std::optional<std::string> applyLineEdits(std::string_view from, const std::vector<LineEdit>& edits) {
    const std::vector<std::string_view> lines = splitLines(from);
    std::string result;
    std::size_t next = 0;
    for (const LineEdit& edit : edits) {
        if (edit.kind == LineEdit::Kind::Added) {
            result += edit.line;
            continue;
        }
        if (next >= lines.size() || lines[next] != edit.line) return std::nullopt;
        if (edit.kind == LineEdit::Kind::Same) result += edit.line;
        ++next;
    }
    if (next != lines.size()) return std::nullopt;
    return result;
}

namespace {

std::string_view endOf(std::string_view line) {
    if (line.ends_with("\r\n")) return line.substr(line.size() - 2);
    if (line.ends_with('\n')) return line.substr(line.size() - 1);
    return {};
}

std::string_view withoutEnd(std::string_view line) {
    return line.substr(0, line.size() - endOf(line).size());
}

std::string endShown(std::string_view end) {
    if (end == "\r\n") return "<CR><LF>";
    if (end == "\n") return "<LF>";
    return "<no line end>";
}

std::string shownText(std::string_view marker, std::string_view line, bool withEnd) {
    std::string text(marker);
    for (const char c : withoutEnd(line)) {
        if (c == '\r')
            text += "<CR>";
        else
            text += c;
    }
    if (withEnd) text += endShown(endOf(line));
    return text;
}

// "line 4", "lines 4 to 9", "no lines"
std::string linesText(std::size_t first, std::size_t count) {
    if (count == 0) return "no lines";
    if (count == 1) return "line " + std::to_string(first);
    return "lines " + std::to_string(first) + " to " + std::to_string(first + count - 1);
}

std::string headerText(std::size_t fromFirst, std::size_t fromCount, std::size_t toFirst,
                       std::size_t toCount) {
    std::string text = linesText(fromFirst, fromCount) + " of this version, " + linesText(toFirst, toCount) +
                       " of the file now:";
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

}  // namespace

std::vector<ShownLine> shownDifferences(std::string_view from, std::string_view to, std::size_t context) {
    std::vector<ShownLine> shown;
    if (from == to) return shown;
    const std::vector<LineEdit> edits = lineDiff(from, to);
    const auto changed = [&edits](std::size_t i) { return edits[i].kind != LineEdit::Kind::Same; };

    // Where each edit stands in either text, counted from 1.
    std::vector<std::size_t> fromLine(edits.size() + 1, 1);
    std::vector<std::size_t> toLine(edits.size() + 1, 1);
    for (std::size_t i = 0; i < edits.size(); ++i) {
        fromLine[i + 1] = fromLine[i] + (edits[i].kind != LineEdit::Kind::Added ? 1 : 0);
        toLine[i + 1] = toLine[i] + (edits[i].kind != LineEdit::Kind::Removed ? 1 : 0);
    }

    std::size_t i = 0;
    while (i < edits.size()) {
        if (!changed(i)) {
            ++i;
            continue;
        }
        // A group runs from `context` lines before its first change to
        // `context` lines after its last; changes closer than twice that share one.
        const std::size_t first = i >= context ? i - context : 0;
        std::size_t lastChange = i;
        for (std::size_t j = i + 1; j < edits.size() && j <= lastChange + 2 * context + 1; ++j)
            if (changed(j)) lastChange = j;
        const std::size_t end = std::min(edits.size(), lastChange + context + 1);

        shown.push_back({ShownLine::Kind::Header, headerText(fromLine[first], fromLine[end] - fromLine[first],
                                                             toLine[first], toLine[end] - toLine[first])});
        std::size_t j = first;
        while (j < end) {
            if (!changed(j)) {
                shown.push_back({ShownLine::Kind::Context, shownText("  ", edits[j].line, false)});
                ++j;
                continue;
            }
            std::size_t added = j;
            while (added < end && edits[added].kind == LineEdit::Kind::Removed) ++added;
            std::size_t stop = added;
            while (stop < end && edits[stop].kind == LineEdit::Kind::Added) ++stop;
            // The n-th removed and the n-th added line of a run are the
            // pairs that may differ only in their ends.
            const auto endsOnly = [&](std::size_t removed, std::size_t addedLine) {
                return addedLine < stop &&
                       withoutEnd(edits[removed].line) == withoutEnd(edits[addedLine].line);
            };
            for (std::size_t r = j; r < added; ++r)
                shown.push_back(
                    {ShownLine::Kind::Removed, shownText("- ", edits[r].line, endsOnly(r, added + (r - j)))});
            for (std::size_t a = added; a < stop; ++a) {
                const std::size_t removed = j + (a - added);
                shown.push_back({ShownLine::Kind::Added,
                                 shownText("+ ", edits[a].line, removed < added && endsOnly(removed, a))});
            }
            j = stop;
        }
        i = end;
    }
    return shown;
}

}  // namespace vexmoor
