#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/line_diff.h"

namespace vexmoor {
namespace {

struct DiffCase {
    const char* name;
    std::string from;
    std::string to;
    std::string shown;         // the lines a reader is shown, one per line
    std::size_t changedLines;  // removed and added, at their fewest
};

// What a shown line is follows from how it begins: "- ", "+ ", two blanks, or a header.
ShownLine::Kind kindByMarker(const std::string& text) {
    if (text.starts_with("- ")) return ShownLine::Kind::Removed;
    if (text.starts_with("+ ")) return ShownLine::Kind::Added;
    return text.starts_with("  ") ? ShownLine::Kind::Context : ShownLine::Kind::Header;
}

// Two texts, what a reader is shown of their differences, and how many lines
// change at the fewest; every case also checks that the edits turn the first
// text into the second.
class LineDiffTable : public ::testing::TestWithParam<DiffCase> {};

TEST_P(LineDiffTable, ShowsTheFewestChangesAndTheirEditsMakeTheNewText) {
    const DiffCase& c = GetParam();
    std::string shown;
    for (const ShownLine& line : shownDifferences(c.from, c.to)) {
        shown += (shown.empty() ? "" : "\n") + line.text;
        EXPECT_EQ(line.kind, kindByMarker(line.text)) << line.text;
    }
    EXPECT_EQ(shown, c.shown);
    const std::vector<LineEdit> edits = lineDiff(c.from, c.to);
    EXPECT_EQ(applyLineEdits(c.from, edits), c.to);
    std::size_t changed = 0;
    for (const LineEdit& edit : edits) changed += edit.kind == LineEdit::Kind::Same ? 0 : 1;
    EXPECT_EQ(changed, c.changedLines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineDiffTable,
    ::testing::Values(
        DiffCase{"Identical", "a\r\nb\r\n", "a\r\nb\r\n", "", 0}, DiffCase{"BothEmpty", "", "", "", 0},
        DiffCase{"Insertion", "a\r\nb\r\nc\r\n", "a\r\nb\r\nnew\r\nc\r\n",
                 "Lines 1 to 3 of this version, lines 1 to 4 of the file now:\n  a\n  b\n+ new\n  c", 1},
        DiffCase{"Deletion", "a\r\nb\r\nc\r\n", "a\r\nc\r\n",
                 "Lines 1 to 3 of this version, lines 1 to 2 of the file now:\n  a\n- b\n  c", 1},
        DiffCase{"ChangedLine", "[bots]\r\n\"Ash\"\"wren/ember\" 3 \r\n[teams]\r\n",
                 "[bots]\r\n\"Ash\"\"wren/frost\" 5 \r\n[teams]\r\n",
                 "Lines 1 to 3 of this version, lines 1 to 3 of the file now:\n  [bots]\n"
                 "- \"Ash\"\"wren/ember\" 3 \n+ \"Ash\"\"wren/frost\" 5 \n  [teams]",
                 2},
        DiffCase{"OnlyLineEndsChanged", "q2dm1\r\nq2dm2\r\nbase1", "q2dm1\nq2dm2\r\nbase1\r\n",
                 "Lines 1 to 3 of this version, lines 1 to 3 of the file now:\n- q2dm1<CR><LF>\n+ q2dm1<LF>\n"
                 "  q2dm2\n- base1<no line end>\n+ base1<CR><LF>",
                 4},
        DiffCase{"FromEmpty", "", "a\r\nb",
                 "No lines of this version, lines 1 to 2 of the file now:\n+ a\n+ b", 2},
        DiffCase{"ToEmpty", "only\r\n", "", "Line 1 of this version, no lines of the file now:\n- only", 1},
        DiffCase{"CarriageReturnInsideALine", "a\rb\n", "ab\n",
                 "Line 1 of this version, line 1 of the file now:\n- a<CR>b\n+ ab", 2},
        // Six unchanged lines between two changes share their context; seven part them.
        DiffCase{"ChangesCloseTogetherShareAGroupAndFarApartGetOneEach",
                 "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n",
                 "one\n2\n3\n4\n5\n6\n7\neight\n9\n10\n11\n12\n13\n14\n15\nsixteen\n",
                 "Lines 1 to 11 of this version, lines 1 to 11 of the file now:\n- 1\n+ one\n  2\n  3\n  4\n"
                 "  5\n  6\n  7\n- 8\n+ eight\n  9\n  10\n  11\n"
                 "Lines 13 to 16 of this version, lines 13 to 16 of the file now:\n  13\n  14\n  15\n"
                 "- 16\n+ sixteen",
                 6},
        // The fewest: three lines kept (an empty one among them), not one.
        DiffCase{"KeepsTheLongestCommonRun", "x\na\n\nc\n", "a\n\nc\nx\n",
                 "Lines 1 to 4 of this version, lines 1 to 4 of the file now:\n- x\n  a\n  \n  c\n+ x", 2}),
    [](const ::testing::TestParamInfo<DiffCase>& param) { return std::string(param.param.name); });

TEST(LineDiff, EditsThatDoNotFitTheTextAreRefused) {
    const std::vector<LineEdit> edits = lineDiff("a\nb\n", "a\nc\n");
    EXPECT_EQ(applyLineEdits("a\nx\n", edits), std::nullopt);
    EXPECT_EQ(applyLineEdits("a\nb\nextra\n", edits), std::nullopt);
}

// Beyond the bound of the search the middle is shown as removed and added
// whole: still true, and quick however large the files.
TEST(LineDiff, ChangesBeyondTheSearchBoundAreShownWholeAndStillApply) {
    std::string from = "head\n", to = "head\n";
    for (std::size_t i = 0; i < kMaxShortestEdits; ++i) {
        from += "same " + std::to_string(i) + "\nold " + std::to_string(i) + "\n";
        to += "same " + std::to_string(i) + "\nnew " + std::to_string(i) + "\n";
    }
    from += "tail\n";
    to += "tail\n";
    const std::vector<LineEdit> edits = lineDiff(from, to);
    EXPECT_EQ(applyLineEdits(from, edits), to);
    // "head" and "same 0" begin both, "tail" ends both; the rest goes and comes back whole.
    const std::size_t middle = 2 * kMaxShortestEdits - 1;
    ASSERT_EQ(edits.size(), 3 + 2 * middle);
    for (std::size_t i = 0; i < middle; ++i) {
        EXPECT_EQ(edits[2 + i].kind, LineEdit::Kind::Removed);
        EXPECT_EQ(edits[2 + middle + i].kind, LineEdit::Kind::Added);
    }
}

}  // namespace
}  // namespace vexmoor
