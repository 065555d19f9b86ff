#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "roster/roster_file.h"
#include "roster_test_support.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

struct TidyCase {
    const char* what;
    std::string before;
    std::string after;
};

void PrintTo(const TidyCase& c, std::ostream* out) { *out << c.what; }

class RosterTidyTest : public ::testing::TestWithParam<TidyCase> {};

TEST_P(RosterTidyTest, KeepsOnlyHeaderAndRecordLinesInOrder) {
    const TidyCase& c = GetParam();
    TempDir dir;
    const auto path = rosterPath(dir.text());
    writeBytes(path, c.before);
    FakeDialogs dialogs;
    const Status status = CheckRosterFile(path, dialogs);
    ASSERT_TRUE(status) << status.error().describe();
    EXPECT_EQ(readBytes(path), c.after);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(tidiedRosterBytes(c.before), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Roster, RosterTidyTest,
    ::testing::Values(
        TidyCase{"empty stays empty", "", ""},
        TidyCase{"tidy file unchanged",
                 "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n[teams]\r\n[view weapons]\r\n",
                 "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n[teams]\r\n[view weapons]\r\n"},
        TidyCase{
            "comments, blank and indented lines go; the rest keeps its order",
            "# the bots of our server\r\n[bots]\r\n\r\n// first\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n"
            "  \"Indented\",\"male/grunt\",2,3,1,5,0,1,50\r\n\t\"Tabbed\"\r\n"
            "[view weapons]\r\nw_unquoted.md2\r\n\"w_quoted.md2\"\r\n; end\r\n",
            "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[view weapons]\r\n\"w_quoted.md2\"\r\n"},
        TidyCase{"bare LF lines are rewritten with CR LF",
                 "[bots]\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\n\nnote\n",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n"},
        TidyCase{"a last line without a line end is kept and ended", "[bots]\r\n\"Ed\"",
                 "[bots]\r\n\"Ed\"\r\n"},
        TidyCase{"a bare CR is part of its line", "[bots]\rjunk\r\n\r\r\n", "[bots]\rjunk\r\n"},
        TidyCase{"only comments leave an empty file", "comment\r\n\r\n  \r\n", ""}),
    caseName<TidyCase>);

TEST(RosterCheck, CreatesAMissingFileEmptyAndSaysSo) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    fs::create_directories(path.parent_path());
    FakeDialogs dialogs;

    ASSERT_TRUE(CheckRosterFile(path, dialogs));

    ASSERT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "No bots.cfg file found. One has been created.");
    EXPECT_EQ(dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.shown[0].title, "vexmoor");

    Roster roster;
    ASSERT_TRUE(ReadRoster(path, roster));
    EXPECT_EQ(roster.BotCount, 0);
}

TEST(RosterCheck, WithoutAnEraserFolderReportsAndCreatesNothing) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    FakeDialogs dialogs;
    const Status status = CheckRosterFile(path, dialogs);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, path.string());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST(RosterCheck, LeavesAnUnreadableRosterAlone) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    fs::create_directories(path / "keep");  // a folder stands where the file should be
    FakeDialogs dialogs;
    const Status status = CheckRosterFile(path, dialogs);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, path.string());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(fs::is_directory(path / "keep"));
}

#ifndef _WIN32
// A link that points at itself cannot be opened, yet the writer could replace
// it; the tidy step must not.
TEST(RosterCheck, LeavesARosterItCannotOpenAlone) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    fs::create_directories(path.parent_path());
    fs::create_symlink("bots.cfg", path);
    FakeDialogs dialogs;
    EXPECT_FALSE(CheckRosterFile(path, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "bots.cfg");
}
#endif

TEST(RosterCheck, AReadOnlyRosterThatIsAlreadyTidyStartsWithoutComplaint) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    const std::string tidy = "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n";
    writeBytes(path, tidy);
    makeReadOnly(path);
    FakeDialogs dialogs;
    const Status status = CheckRosterFile(path, dialogs);
    EXPECT_TRUE(status) << status.error().describe();
    EXPECT_EQ(readBytes(path), tidy);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(RosterCheck, AReadOnlyRosterThatNeedsTidyingIsReportedAndKept) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    const std::string untidy = "# comment\r\n[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n";
    writeBytes(path, untidy);
    makeReadOnly(path);
    FakeDialogs dialogs;
    const Status status = CheckRosterFile(path, dialogs);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, path.string());
    EXPECT_EQ(readBytes(path), untidy);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Start-up reads the roster from what the tidy step hands back, and the tidy
// step rewrites only a file that needs it: both must agree with the bytes.
TEST(RosterCheck, TidyingHandsBackWhatTheFileNowHolds) {
    const std::pair<std::string, std::string> cases[] = {
        {"[bots]\r\n\"Ed\"\r\n", "[bots]\r\n\"Ed\"\r\n"},
        {"[bots]\r\n\"Ed\"\r\n# last\r\n", "[bots]\r\n\"Ed\"\r\n"},
        {"[bots]\r\n\"Ed\"\r\n\r\n", "[bots]\r\n\"Ed\"\r\n"},
        {"[bots]\r\n\"Ed\r\r\n", "[bots]\r\n\"Ed\r\n"},
        {"[bots]\r\r\n\t\"Ed\"\r\r\n", "[bots]\r\n"},
        {"[bots]\r\n\"Ed\"\n", "[bots]\r\n\"Ed\"\r\n"},
        {"[bots]\r\n\"Ed\"", "[bots]\r\n\"Ed\"\r\n"},
        {"x\r\n[bots]\r\n", "[bots]\r\n"},
    };
    for (const auto& [before, after] : cases) {
        TempDir dir;
        const auto path = rosterPath(dir.text());
        writeBytes(path, before);
        FakeDialogs dialogs;
        const auto held = tidyRosterFile(path, dialogs);
        ASSERT_TRUE(held) << held.error().describe();
        EXPECT_EQ(held.value(), after) << before;
        EXPECT_EQ(readBytes(path), after) << before;
    }

    TempDir dir;
    const auto missing = rosterPath(dir.text());
    fs::create_directories(missing.parent_path());
    FakeDialogs dialogs;
    const auto created = tidyRosterFile(missing, dialogs);
    ASSERT_TRUE(created);
    EXPECT_EQ(created.value(), "");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace vexmoor::testing
