#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_file.h"
#include "roster_test_support.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<BotRow> bots;
    std::vector<TeamRow> teams = {};
    std::vector<std::string> viewWeapons = {};
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.what; }

class RosterReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RosterReaderTest, ReadsTheRecords) {
    const ReadCase& c = GetParam();
    Roster roster;
    const Status status = readRosterBytes(c.bytes, "bots.cfg", roster);
    ASSERT_TRUE(status) << status.error().describe();
    EXPECT_EQ(botsOf(roster), c.bots);
    EXPECT_EQ(teamsOf(roster), c.teams);
    EXPECT_EQ(viewWeaponsOf(roster), c.viewWeapons);
}

const BotRow kEd = bot("Ed", "male/grunt", {2, 3, 1, 5, 0, 1, 50});
const BotRow kAl = bot("Al", "female/jezebel", {5, 5, 5, 0, 1, 0, 200});

INSTANTIATE_TEST_SUITE_P(
    Roster, RosterReaderTest,
    ::testing::Values(
        ReadCase{"empty file", "", {}}, ReadCase{"only blanks and line ends", "  \r\n\r\n \n", {}},
        ReadCase{"the three groups",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n"
                 "[teams]\r\n\"Reds\",\"RD\",\"male/grunt\",[\"Ed\" \"Al\"]\r\n"
                 "[view weapons]\r\n\"male/w_blaster.md2\"\r\n",
                 {kEd},
                 {{"Reds", "RD", "male/grunt", "[\"Ed\" \"Al\"]"}},
                 {"male/w_blaster.md2"}},
        ReadCase{"quoted items back to back, as the writer writes them",
                 "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n"
                 "\"Al\"\"female/jezebel\" 5  5  5  0  1  0  200 \r\n",
                 {kEd, kAl}},
        ReadCase{"bare LF line ends", "[bots]\n\"Ed\" \"male/grunt\" 2 3 1 5 0 1 50\n", {kEd}},
        ReadCase{"a record spread over two lines",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,\r\n5,0,1,50\r\n\"Al\",\"female/"
                 "jezebel\",5,5,5,0,1,0,200\r\n",
                 {kEd, kAl}},
        ReadCase{"a tenth item becomes the next bot's name",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50,\"Zed\"\r\n"
                 "\"female/jezebel\",5,5,5,0,1,0,200\r\n",
                 {kEd, bot("Zed", "female/jezebel", {5, 5, 5, 0, 1, 0, 200})}},
        ReadCase{"an upper-case header continues the current section",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[Bots]\r\n"
                 "\"Al\",\"female/jezebel\",5,5,5,0,1,0,200\r\n",
                 {kEd, kAl}},
        ReadCase{"an upper-case header before any section is skipped with what follows",
                 "[Bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[teams]\r\n\"Reds\",\"RD\",\"male/"
                 "grunt\",[]\r\n",
                 {},
                 {{"Reds", "RD", "male/grunt", "[]"}}},
        ReadCase{
            "only the first two characters of a header count",
            "[bogus\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[tx]\r\n\"Reds\",\"RD\",\"male/grunt\",[]\r\n"
            "[v\r\n\"w_one.md2\"\r\n",
            {kEd},
            {{"Reds", "RD", "male/grunt", "[]"}},
            {"w_one.md2"}},
        ReadCase{"items before the first header are skipped",
                 "\"stray\",\"x\"\r\n[view weapons]\r\n\"w_one.md2\"\r\n\"w_two.md2\"\r\n",
                 {},
                 {},
                 {"w_one.md2", "w_two.md2"}},
        ReadCase{"number forms",
                 "[bots]\r\n\"N\",\"m/s\",1.0,-1,.5,12.25,0,+3,1e2\r\n",
                 {bot("N", "m/s", {1, -1, 0.5, 12.25, 0, 3, 100})}},
        ReadCase{"words, quoted numbers and empty items",
                 "[bots]\r\n\"W\",\"m/s\",high,\"5\",,\"\",1x,-,50\r\n",
                 {{"W", "m/s", {word("high"), word("5"), {}, word(""), word("1x"), word("-"), num(50)}}}},
        ReadCase{
            "team members keep their brackets, quotes and blanks",
            "[teams]\r\n\"Reds\"\"RD\"\"male/grunt\"[\"Ed\" \"Al "
            "Bo\"]\r\n\"Blues\",\"BL\",\"female/athena\",[]\r\n",
            {},
            {{"Reds", "RD", "male/grunt", "[\"Ed\" \"Al Bo\"]"}, {"Blues", "BL", "female/athena", "[]"}}},
        ReadCase{"an unquoted view-weapon line is kept as it stands",
                 "[view weapons]\r\nw_blaster.md2\r\n",
                 {},
                 {},
                 {"w_blaster.md2"}},
        ReadCase{"blanks around items",
                 "[bots]\r\n  \"Ed\" , \"male/grunt\" ,  2 , 3,1 ,5, 0,1 , 50  \r\n",
                 {kEd}}),
    caseName<ReadCase>);

TEST(RosterReader, EachGroupHasOneSpareEmptySlotOrNoneWhenItNeverHeldAnEntry) {
    Roster roster;
    ASSERT_TRUE(
        readRosterBytes("[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n"
                        "\"Al\",\"female/jezebel\",5,5,5,0,1,0,200\r\n",
                        "bots.cfg", roster));
    EXPECT_EQ(roster.BotCount, 2);
    for (const auto* list : {&roster.BotNames, &roster.BotModelSkins}) {
        ASSERT_EQ(list->size(), 3u);
        EXPECT_EQ(list->back(), "");
    }
    for (const auto* list :
         {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills, &roster.BotFavoriteWeapon,
          &roster.BotQuadFreak, &roster.BotCamper, &roster.BotPing}) {
        ASSERT_EQ(list->size(), 3u);
        EXPECT_TRUE(list->back().isEmpty());
    }
    // The reader does not split model/skin; the bot editor makes the halves and splits it.
    EXPECT_TRUE(roster.BotModels.empty());
    EXPECT_TRUE(roster.BotSkins.empty());
    EXPECT_EQ(roster.TeamCount, 0);
    EXPECT_TRUE(roster.TeamNames.empty());
    EXPECT_TRUE(roster.TeamMembers.empty());
    EXPECT_TRUE(roster.ViewWeaponLines.empty());
}

TEST(RosterReader, ASecondReadStartsAfresh) {
    Roster roster;
    ASSERT_TRUE(readRosterBytes(
        "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[view weapons]\r\n\"w\"\r\n", "bots.cfg", roster));
    ASSERT_TRUE(readRosterBytes("[teams]\r\n\"Reds\",\"RD\",\"male/grunt\",[]\r\n", "bots.cfg", roster));
    EXPECT_EQ(roster.BotCount, 0);
    EXPECT_TRUE(roster.BotNames.empty());
    EXPECT_EQ(roster.ViewWeaponCount, 0);
    EXPECT_TRUE(roster.ViewWeaponLines.empty());
    EXPECT_EQ(roster.TeamCount, 1);
    EXPECT_EQ(roster.TeamNames.size(), 2u);
}

struct FailCase {
    const char* what;
    std::string bytes;
    int line;
    const char* reason;
    std::vector<std::string> botNamesKept;
    int teamsKept;
};

void PrintTo(const FailCase& c, std::ostream* out) { *out << c.what; }

class RosterReaderFailureTest : public ::testing::TestWithParam<FailCase> {};

TEST_P(RosterReaderFailureTest, NamesTheRecordAndKeepsWhatWasReadBefore) {
    const FailCase& c = GetParam();
    Roster roster;
    const Status status = readRosterBytes(c.bytes, "eraser/bots.cfg", roster);
    ASSERT_FALSE(status) << c.what;
    EXPECT_EQ(status.error().file, "eraser/bots.cfg");
    EXPECT_EQ(status.error().line, c.line) << c.what;
    EXPECT_EQ(status.error().reason, c.reason) << c.what;

    std::vector<std::string> names;
    for (const auto& row : botsOf(roster)) names.push_back(row.name);
    EXPECT_EQ(names, c.botNamesKept);
    EXPECT_EQ(roster.TeamCount, c.teamsKept);
    // The half-read record leaves nothing behind: the spare slot stays empty.
    const auto botSlots = roster.BotCount == 0 ? 0u : static_cast<std::size_t>(roster.BotCount) + 1;
    EXPECT_EQ(roster.BotNames.size(), botSlots);
    EXPECT_EQ(roster.BotPing.size(), botSlots);
    if (!roster.BotNames.empty()) {
        EXPECT_EQ(roster.BotNames.back(), "");
    }
    const auto teamSlots = roster.TeamCount == 0 ? 0u : static_cast<std::size_t>(roster.TeamCount) + 1;
    EXPECT_EQ(roster.TeamMembers.size(), teamSlots);
    if (!roster.TeamNames.empty()) {
        EXPECT_EQ(roster.TeamNames.back(), "");
        EXPECT_EQ(roster.TeamShortNames.back(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roster, RosterReaderFailureTest,
    ::testing::Values(
        FailCase{"bot cut short after its name",
                 "[bots]\r\n\"Ed\"\r\n",
                 2,
                 "the file ends inside a bot record",
                 {},
                 0},
        FailCase{"bot cut short in its values",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n\"Al\",\"female/jezebel\",5,5\r\n",
                 3,
                 "the file ends inside a bot record",
                 {"Ed"},
                 0},
        FailCase{"a trailing comma does not make an empty last value",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,\r\n",
                 2,
                 "the file ends inside a bot record",
                 {},
                 0},
        FailCase{"an unclosed quote swallows the rest of the file",
                 "[bots]\r\n\"Ed\",\"male/grunt,2,3,1,5,0,1,50\r\n",
                 2,
                 "the file ends inside a bot record",
                 {},
                 0},
        FailCase{"team cut short",
                 "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[teams]\r\n\"Reds\",\"RD\",\"m/s\",[]\r\n"
                 "\"Blues\",\"BL\"\r\n",
                 5,
                 "the file ends inside a team record",
                 {"Ed"},
                 1},
        FailCase{"record begins on a later line of a spread record",
                 "[bots]\r\n\r\n\r\n   \"Ed\",\r\n\"male/grunt\",2\r\n",
                 4,
                 "the file ends inside a bot record",
                 {},
                 0}),
    caseName<FailCase>);

// One record more than a 16-bit count can hold, in each group.
struct LimitCase {
    const char* header;
    const char* record;
    const char* reason;
    std::int16_t Roster::*count;
};

void PrintTo(const LimitCase& c, std::ostream* out) { *out << c.header; }

class RosterLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RosterLimitTest, RefusesTheRecordPastTheLimitAndKeepsTheRest) {
    const LimitCase& c = GetParam();
    std::string bytes = std::string(c.header) + "\r\n";
    for (int i = 0; i <= kMaxRosterCount; ++i) bytes += c.record;
    Roster roster;
    const Status status = readRosterBytes(bytes, "bots.cfg", roster);
    ASSERT_FALSE(status);
    EXPECT_EQ(roster.*c.count, kMaxRosterCount);
    EXPECT_EQ(status.error().line, kMaxRosterCount + 2);  // header on line 1
    EXPECT_EQ(status.error().reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Roster, RosterLimitTest,
    ::testing::Values(LimitCase{"[bots]", "\"B\"\"m/s\" 1  1  1  0  0  0  50 \r\n",
                                "the file holds more than 32767 bots", &Roster::BotCount},
                      LimitCase{"[teams]", "\"T\"\"t\"\"m/s\"[]\r\n", "the file holds more than 32767 teams",
                                &Roster::TeamCount},
                      LimitCase{"[view weapons]", "\"w.md2\"\r\n",
                                "the file holds more than 32767 view weapons", &Roster::ViewWeaponCount}));

TEST(RosterReadFile, ReadsTheFileAndReportsTheOnesItCannotRead) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    Roster roster;

    const Status missing = ReadRoster(path, roster);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().file, path.string());

    std::filesystem::create_directories(path);  // a folder where the file should be
    EXPECT_FALSE(ReadRoster(path, roster));
    std::filesystem::remove(path);

    writeBytes(path, "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n\"Al\"\r\n");
    const Status cut = ReadRoster(path, roster);
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().describe(), path.string() + ", line 3: the file ends inside a bot record");
    EXPECT_EQ(roster.BotCount, 1);

    writeBytes(path, "[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n");
    ASSERT_TRUE(ReadRoster(path, roster));
    EXPECT_EQ(botsOf(roster), std::vector<BotRow>{kEd});
}

}  // namespace
}  // namespace vexmoor::testing
