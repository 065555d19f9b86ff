#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/line_diff.h"

namespace vexmoor {
namespace {

using Kind = ShownLine::Kind;

struct DiffCase {
    const char* name;
    std::string from;
    std::string to;
    std::vector<ShownLine> shown;
    std::size_t changedLines;  // removed and added, at their fewest
};

// Two texts, what a reader is shown of their differences, and how many lines
// change at the fewest; every case also checks that the edits turn the first
// text into the second.
class LineDiffTable : public ::testing::TestWithParam<DiffCase> {};

TEST_P(LineDiffTable, ShowsTheFewestChangesAndTheirEditsMakeTheNewText) {
    const DiffCase& c = GetParam();
    EXPECT_EQ(shownDifferences(c.from, c.to), c.shown);
    const std::vector<LineEdit> edits = lineDiff(c.from, c.to);
    EXPECT_EQ(applyLineEdits(c.from, edits), c.to);
    std::size_t changed = 0;
    for (const LineEdit& edit : edits) changed += edit.kind == LineEdit::Kind::Same ? 0 : 1;
    EXPECT_EQ(changed, c.changedLines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineDiffTable,
    ::testing::Values(
        DiffCase{"Identical", "a\r\nb\r\n", "a\r\nb\r\n", {}, 0}, DiffCase{"BothEmpty", "", "", {}, 0},
        DiffCase{"Insertion",
                 "a\r\nb\r\nc\r\n",
                 "a\r\nb\r\nnew\r\nc\r\n",
                 {{Kind::Header, "Lines 1 to 3 of this version, lines 1 to 4 of the file now:"},
                  {Kind::Context, "  a"},
                  {Kind::Context, "  b"},
                  {Kind::Added, "+ new"},
                  {Kind::Context, "  c"}},
                 1},
        DiffCase{"Deletion",
                 "a\r\nb\r\nc\r\n",
                 "a\r\nc\r\n",
                 {{Kind::Header, "Lines 1 to 3 of this version, lines 1 to 2 of the file now:"},
                  {Kind::Context, "  a"},
                  {Kind::Removed, "- b"},
                  {Kind::Context, "  c"}},
                 1},
        DiffCase{"ChangedLine",
                 "[bots]\r\n\"Ash\"\"wren/ember\" 3 \r\n[teams]\r\n",
                 "[bots]\r\n\"Ash\"\"wren/frost\" 5 \r\n[teams]\r\n",
                 {{Kind::Header, "Lines 1 to 3 of this version, lines 1 to 3 of the file now:"},
                  {Kind::Context, "  [bots]"},
                  {Kind::Removed, "- \"Ash\"\"wren/ember\" 3 "},
                  {Kind::Added, "+ \"Ash\"\"wren/frost\" 5 "},
                  {Kind::Context, "  [teams]"}},
                 2},
        DiffCase{"OnlyLineEndsChanged",
                 "q2dm1\r\nq2dm2\r\nbase1",
                 "q2dm1\nq2dm2\r\nbase1\r\n",
                 {{Kind::Header, "Lines 1 to 3 of this version, lines 1 to 3 of the file now:"},
                  {Kind::Removed, "- q2dm1<CR><LF>"},
                  {Kind::Added, "+ q2dm1<LF>"},
                  {Kind::Context, "  q2dm2"},
                  {Kind::Removed, "- base1<no line end>"},
                  {Kind::Added, "+ base1<CR><LF>"}},
                 4},
        DiffCase{"FromEmpty",
                 "",
                 "a\r\nb",
                 {{Kind::Header, "No lines of this version, lines 1 to 2 of the file now:"},
                  {Kind::Added, "+ a"},
                  {Kind::Added, "+ b"}},
                 2},
        DiffCase{
            "ToEmpty",
            "only\r\n",
            "",
            {{Kind::Header, "Line 1 of this version, no lines of the file now:"}, {Kind::Removed, "- only"}},
            1},
        DiffCase{"CarriageReturnInsideALine",
                 "a\rb\n",
                 "ab\n",
                 {{Kind::Header, "Line 1 of this version, line 1 of the file now:"},
                  {Kind::Removed, "- a<CR>b"},
                  {Kind::Added, "+ ab"}},
                 2},
        DiffCase{"ChangesFarApartGetAGroupEach",
                 "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n",
                 "one\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\ntwelve\n",
                 {{Kind::Header, "Lines 1 to 4 of this version, lines 1 to 4 of the file now:"},
                  {Kind::Removed, "- 1"},
                  {Kind::Added, "+ one"},
                  {Kind::Context, "  2"},
                  {Kind::Context, "  3"},
                  {Kind::Context, "  4"},
                  {Kind::Header, "Lines 9 to 12 of this version, lines 9 to 12 of the file now:"},
                  {Kind::Context, "  9"},
                  {Kind::Context, "  10"},
                  {Kind::Context, "  11"},
                  {Kind::Removed, "- 12"},
                  {Kind::Added, "+ twelve"}},
                 4},
        DiffCase{"ChangesCloseTogetherShareOne",
                 "1\n2\n3\n4\n5\n6\n7\n8\n",
                 "one\n2\n3\n4\n5\n6\n7\neight\n",
                 {{Kind::Header, "Lines 1 to 8 of this version, lines 1 to 8 of the file now:"},
                  {Kind::Removed, "- 1"},
                  {Kind::Added, "+ one"},
                  {Kind::Context, "  2"},
                  {Kind::Context, "  3"},
                  {Kind::Context, "  4"},
                  {Kind::Context, "  5"},
                  {Kind::Context, "  6"},
                  {Kind::Context, "  7"},
                  {Kind::Removed, "- 8"},
                  {Kind::Added, "+ eight"}},
                 4},
        // The fewest: three lines kept, not one.
        DiffCase{"KeepsTheLongestCommonRun",
                 "x\na\nb\nc\n",
                 "a\nb\nc\nx\n",
                 {{Kind::Header, "Lines 1 to 4 of this version, lines 1 to 4 of the file now:"},
                  {Kind::Removed, "- x"},
                  {Kind::Context, "  a"},
                  {Kind::Context, "  b"},
                  {Kind::Context, "  c"},
                  {Kind::Added, "+ x"}},
                 2}),
    [](const ::testing::TestParamInfo<DiffCase>& param) { return std::string(param.param.name); });

TEST(LineDiff, SplitsLinesWithTheirEnds) {
    EXPECT_EQ(splitLines("a\r\nb\nc"), (std::vector<std::string_view>{"a\r\n", "b\n", "c"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(splitLines("\n\n"), (std::vector<std::string_view>{"\n", "\n"}));
}

TEST(LineDiff, EditsThatDoNotFitTheTextAreRefused) {
    const std::vector<LineEdit> edits = lineDiff("a\nb\n", "a\nc\n");
    EXPECT_EQ(applyLineEdits("a\nx\n", edits), std::nullopt);
    EXPECT_EQ(applyLineEdits("a\nb\nextra\n", edits), std::nullopt);
}

// Beyond the bound of the search the middle is shown as removed and added
// whole: still true, and quick however large the files.
TEST(LineDiff, ChangesBeyondTheSearchBoundAreShownWholeAndStillApply) {
    std::string from = "head\n";
    std::string to = "head\n";
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
