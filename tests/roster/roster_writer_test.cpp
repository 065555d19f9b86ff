#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "roster/roster_file.h"
#include "roster_test_support.h"
#include "support/fakes.h"
#include "support/roster_compare.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const char* const kHeadersOnly = "[bots]\r\n[teams]\r\n[view weapons]\r\n";

Roster sampleRoster() {
    Roster r;
    addBot(r, bot("Ed", "male/grunt", {2, 3, 1, 5, 0, 1, 50}), "male", "cipher");
    addBot(r, bot("Al Bo", "female/jezebel", {5, 4, 3, 0, 1, 0, 200}), "female", "athena");
    addTeam(r, {"Reds", "RD", "male/grunt", "[\"Ed\" \"Al Bo\"]"});
    addTeam(r, {"Blues", "BL", "female/athena", "[]"});
    addViewWeapon(r, "male/w_blaster.md2");
    return r;
}

TEST(RosterWriter, WritesEveryLineWithCrLfAndFieldsBackToBack) {
    EXPECT_EQ(rosterFileBytes(sampleRoster(), ModelSkinSource::AsRead),
              "[bots]\r\n"
              "\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n"
              "\"Al Bo\"\"female/jezebel\" 5  4  3  0  1  0  200 \r\n"
              "[teams]\r\n"
              "\"Reds\"\"RD\"\"male/grunt\"[\"Ed\" \"Al Bo\"]\r\n"
              "\"Blues\"\"BL\"\"female/athena\"[]\r\n"
              "[view weapons]\r\n"
              "\"male/w_blaster.md2\"\r\n");
}

TEST(RosterWriter, TakesTheModelSkinFromTheChosenSource) {
    const Roster r = sampleRoster();
    const std::string halves = rosterFileBytes(r, ModelSkinSource::Halves);
    EXPECT_NE(halves.find("\"Ed\"\"male/cipher\" 2 "), std::string::npos);
    EXPECT_NE(halves.find("\"Al Bo\"\"female/athena\" 5 "), std::string::npos);
    EXPECT_EQ(halves.find("male/grunt\" 2"), std::string::npos);
    // Teams always carry their own model/skin text.
    EXPECT_NE(halves.find("\"Reds\"\"RD\"\"male/grunt\""), std::string::npos);
}

TEST(RosterWriter, AnEmptyRosterWritesTheThreeHeaders) {
    EXPECT_EQ(rosterFileBytes(Roster{}, ModelSkinSource::AsRead), kHeadersOnly);
    Roster emptied;
    ASSERT_TRUE(readRosterBytes("", "bots.cfg", emptied));
    EXPECT_EQ(rosterFileBytes(emptied, ModelSkinSource::Halves), kHeadersOnly);
}

// How one value lands in the ping field (the last of the line).
TEST(RosterWriter, WritesValuesInTheRosterNumberFormat) {
    const struct {
        RosterValue value;
        const char* field;
    } cases[] = {
        {num(0), " 0 "},          {num(50), " 50 "},        {num(200), " 200 "},     {num(100), " 100 "},
        {num(-1), "-1 "},         {num(0.5), " .5 "},       {num(12.25), " 12.25 "}, {num(-0.5), "-.5 "},
        {num(1.0), " 1 "},        {word("high"), "high"},   {word(""), "\"\""},      {RosterValue{}, "\"\""},
        {word("a b"), "\"a b\""}, {word("x,y"), "\"x,y\""}, {word("3"), "\"3\""},    {word("1e5"), "\"1e5\""},
    };
    for (const auto& c : cases) {
        Roster r;
        BotRow row = bot("P", "m/s", {1, 1, 1, 1, 1, 1, 1});
        row.values[6] = c.value;
        addBot(r, row);
        EXPECT_EQ(rosterFileBytes(r, ModelSkinSource::AsRead),
                  std::string("[bots]\r\n\"P\"\"m/s\" 1  1  1  1  1  1 ") + c.field +
                      "\r\n[teams]\r\n[view weapons]\r\n")
            << c.field;
    }
}

TEST(RosterWriter, LeavesOutEntriesItsListsCannotHold) {
    Roster r = sampleRoster();
    r.BotCount = 5;
    r.TeamCount = -2;
    const std::string bytes = rosterFileBytes(r, ModelSkinSource::AsRead);
    EXPECT_NE(bytes.find("\"Al Bo\""), std::string::npos);
    EXPECT_EQ(bytes.find("\"Reds\""), std::string::npos);
}

struct RoundTripCase {
    const char* what;
    std::string file;
    std::string written;  // what the reader's roster writes back
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.what; }

class RosterRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RosterRoundTripTest, ReadsWritesAndReadsBackTheSame) {
    const RoundTripCase& c = GetParam();
    Roster first;
    ASSERT_TRUE(readRosterBytes(c.file, "bots.cfg", first));
    const std::string written = rosterFileBytes(first, ModelSkinSource::AsRead);
    EXPECT_EQ(written, c.written);

    Roster second;
    ASSERT_TRUE(readRosterBytes(written, "bots.cfg", second));
    EXPECT_EQ(second, first);
    EXPECT_EQ(rosterFileBytes(second, ModelSkinSource::AsRead), written);
}

INSTANTIATE_TEST_SUITE_P(
    Roster, RosterRoundTripTest,
    ::testing::Values(
        RoundTripCase{"canonical file comes back byte for byte",
                      "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n"
                      "\"Al Bo\"\"female/jezebel\" 5  4  3  0  1  0  200 \r\n"
                      "[teams]\r\n\"Reds\"\"RD\"\"male/grunt\"[\"Ed\" \"Al Bo\"]\r\n"
                      "[view weapons]\r\n\"male/w_blaster.md2\"\r\n",
                      "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n"
                      "\"Al Bo\"\"female/jezebel\" 5  4  3  0  1  0  200 \r\n"
                      "[teams]\r\n\"Reds\"\"RD\"\"male/grunt\"[\"Ed\" \"Al Bo\"]\r\n"
                      "[view weapons]\r\n\"male/w_blaster.md2\"\r\n"},
        RoundTripCase{"commas, LF, blanks and odd numbers are normalised",
                      "[bots]\n\"Ed\", \"male/grunt\", 1.0, 3, 1.50, 0, 0, 1, 12.25\n"
                      "[teams]\n\"Reds\",\"RD\",\"male/grunt\",[\"Ed\"]\n",
                      "[bots]\r\n\"Ed\"\"male/grunt\" 1  3  1.5  0  0  1  12.25 \r\n"
                      "[teams]\r\n\"Reds\"\"RD\"\"male/grunt\"[\"Ed\"]\r\n[view weapons]\r\n"},
        RoundTripCase{
            "a word in a numeric field is written back bare",
            "[bots]\r\n\"Ed\",\"male/grunt\",high,3,1,5,0,1,50\r\n",
            "[bots]\r\n\"Ed\"\"male/grunt\"high 3  1  5  0  1  50 \r\n[teams]\r\n[view weapons]\r\n"},
        RoundTripCase{
            "negative and fractional values", "[bots]\r\n\"Ed\",\"male/grunt\",-1,-2.5,.5,0,-0,1,0.125\r\n",
            "[bots]\r\n\"Ed\"\"male/grunt\"-1 -2.5  .5  0  0  1  .125 \r\n[teams]\r\n[view weapons]\r\n"},
        RoundTripCase{"adjacent words and empty values keep their places",
                      "[bots]\r\n\"Bot\",\"male/x\",abc,def,3,1,0,0,100\r\n\"B2\",\"m/"
                      "s\",,-1,\"\",x,\"4\",\"a b\",w\r\n"
                      "[teams]\r\n\"T\",\"t\",\"m/s\",\"\"\r\n\"U\",\"u\",\"m/s\",\"[a,b]\"\r\n",
                      "[bots]\r\n\"Bot\"\"male/x\"abc def 3  1  0  0  100 \r\n"
                      "\"B2\"\"m/s\"\"\"-1 \"\"x \"4\"\"a b\"w\r\n"
                      "[teams]\r\n\"T\"\"t\"\"m/s\"\"\"\r\n\"U\"\"u\"\"m/s\"\"[a,b]\"\r\n[view weapons]\r\n"},
        RoundTripCase{
            "headers the reader skips are not written back",
            "junk\r\n[Bots]\r\n[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5,0,1,50\r\n[Teams]\r\n",
            "[bots]\r\n\"Ed\"\"male/grunt\" 2  3  1  5  0  1  50 \r\n[teams]\r\n[view weapons]\r\n"}),
    caseName<RoundTripCase>);

// Random rosters of words, empty values, whole numbers and fractions, with
// the characters that matter to the reader, come back from the file as they
// went in.
TEST(RosterWriter, EveryWritableRosterReadsBackTheSame) {
    std::mt19937 random(20261207);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::string pieces[] = {"a", "Z", "7", " ",  ",",    "-", ".",   "e",
                                  "[", "]", "#", "\t", "\xE9", "/", "\r\n"};
    const auto text = [&](std::size_t maxLength) {
        std::string t;
        for (std::size_t n = pick(maxLength + 1); n > 0; --n) t += pieces[pick(std::size(pieces))];
        return t;
    };
    const auto value = [&] {
        switch (pick(5)) {
            case 0:
                return RosterValue{};
            case 1:
                return num(static_cast<double>(pick(2001)) - 1000.0);
            case 2:
                return num((static_cast<double>(pick(200001)) - 100000.0) / 64.0);
            case 3:
                return num(static_cast<double>(pick(1000000)) / 1000.0);
            default:
                return word(text(6));
        }
    };
    for (int round = 0; round < 300; ++round) {
        Roster r;
        for (std::size_t n = pick(5); n > 0; --n) {
            BotRow row{text(8), text(8) + "/" + text(4), {}};
            for (auto& v : row.values) v = value();
            addBot(r, row);
        }
        for (std::size_t n = pick(4); n > 0; --n)
            addTeam(r, {text(6), text(3), text(6), pick(2) ? "[\"" + text(5) + "\"]" : text(6)});
        for (std::size_t n = pick(3); n > 0; --n) addViewWeapon(r, text(8));
        // A member list with '"' and ',', a name opening a header: refused, not written.
        if (unwritableRosterReason(r, ModelSkinSource::AsRead)) continue;

        const std::string written = rosterFileBytes(r, ModelSkinSource::AsRead);
        Roster back;
        ASSERT_TRUE(readRosterBytes(written, "bots.cfg", back)) << written;
        ASSERT_EQ(back, asWritten(r)) << written;
    }
}

TEST(RosterWriteFile, RefusesTextsTheFileCannotCarry) {
    const Roster good = sampleRoster();
    for (auto spoil :
         {+[](Roster& r) { r.BotNames.set(0, "Ed\"s"); }, +[](Roster& r) { r.TeamShortNames[1] = "\""; },
          +[](Roster& r) { r.BotPing[1] = word("a\" b"); },
          +[](Roster& r) { r.TeamMembers[0] = "[\"Big, Ed\"]"; },
          +[](Roster& r) { r.ViewWeaponLines[0] = "w\"x"; }, +[](Roster& r) { r.BotNames.set(1, "[b]"); },
          +[](Roster& r) { r.TeamNames[0] = "[x"; }}) {
        Roster roster = good;
        spoil(roster);
        EXPECT_TRUE(unwritableRosterReason(roster, ModelSkinSource::AsRead).has_value());
    }
    EXPECT_FALSE(unwritableRosterReason(good, ModelSkinSource::AsRead).has_value());
}

TEST(RosterWriteFile, WritesTheFileAndSaysSo) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    writeBytes(path, "old");
    FakeDialogs dialogs;
    const Roster roster = sampleRoster();

    ASSERT_TRUE(WriteRoster(path, roster, ModelSkinSource::Halves, dialogs));
    EXPECT_EQ(readBytes(path), rosterFileBytes(roster, ModelSkinSource::Halves));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Bots.cfg file written.");
    EXPECT_EQ(dialogs.shown[0].title, "vexmoor");
    EXPECT_EQ(dialogs.shown[0].icon, Icon::None);
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::Ok);

    Roster readBack;
    ASSERT_TRUE(ReadRoster(path, readBack));
    EXPECT_EQ(botsOf(readBack)[0], bot("Ed", "male/cipher", {2, 3, 1, 5, 0, 1, 50}));
    EXPECT_EQ(teamsOf(readBack), teamsOf(roster));
}

TEST(RosterWriteFile, CreatesAMissingFileInAnExistingFolder) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    fs::create_directories(path.parent_path());
    FakeDialogs dialogs;
    ASSERT_TRUE(WriteRoster(path, Roster{}, ModelSkinSource::AsRead, dialogs));
    EXPECT_EQ(readBytes(path), kHeadersOnly);
}

enum class Before { OldFile, Nothing, Folder };

struct WriteFailureCase {
    const char* what;
    void (*arrange)(const fs::path& rosterFile);
    Before before;
};

void PrintTo(const WriteFailureCase& c, std::ostream* out) { *out << c.what; }

class RosterWriteFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(RosterWriteFailureTest, TellsTheUserAndLeavesFileAndRosterAsTheyWere) {
    const WriteFailureCase& c = GetParam();
    TempDir dir;
    const auto path = rosterPath(dir.text());
    const std::string old = "[bots]\r\n\"Old\"\"male/grunt\" 1  1  1  1  1  1  1 \r\n";
    GetParam().arrange(path);
    if (c.before == Before::OldFile) {
        ASSERT_EQ(readBytes(path), old);
    }
    const Roster roster = sampleRoster();
    const Roster copy = roster;
    FakeDialogs dialogs;

    const Status status = WriteRoster(path, roster, ModelSkinSource::AsRead, dialogs);

    ASSERT_FALSE(status) << c.what;
    EXPECT_EQ(status.error().file, path.string());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const Message& message = dialogs.shown[0];
    EXPECT_EQ(message.text,
              "Bots.cfg was not written: " + status.error().describe() + ". The file on disk is unchanged.");
    EXPECT_NE(message.text.find(path.string()), std::string::npos);
    EXPECT_EQ(message.icon, Icon::Critical);
    EXPECT_EQ(message.title, "vexmoor");
    EXPECT_EQ(message.buttons, Buttons::Ok);
    switch (c.before) {
        case Before::OldFile:
            EXPECT_EQ(readBytes(path), old) << c.what;
            break;
        case Before::Nothing:
            EXPECT_FALSE(fs::exists(path)) << c.what;
            break;
        case Before::Folder:
            EXPECT_TRUE(fs::is_directory(path)) << c.what;
            break;
    }
    if (fs::exists(path.parent_path())) {
        for (const auto& entry : fs::directory_iterator(path.parent_path())) {
            EXPECT_EQ(entry.path().filename(), "bots.cfg") << "left behind: " << entry.path();
        }
    }
    EXPECT_EQ(roster, copy);
}

void writeOld(const fs::path& path) {
    writeBytes(path, "[bots]\r\n\"Old\"\"male/grunt\" 1  1  1  1  1  1  1 \r\n");
}

const WriteFailureCase kWriteFailureCases[] = {
    {"read-only file",
     [](const fs::path& p) {
         writeOld(p);
         makeReadOnly(p);
     },
     Before::OldFile},
#ifndef _WIN32
    // Windows writes into a folder marked read-only all the same.
    {"read-only folder",
     [](const fs::path& p) {
         writeOld(p);
         makeReadOnly(p.parent_path());
     },
     Before::OldFile},
#endif
    {"no eraser folder", [](const fs::path&) {}, Before::Nothing},
    {"a folder where the file should be", [](const fs::path& p) { fs::create_directories(p); },
     Before::Folder},
};

INSTANTIATE_TEST_SUITE_P(Roster, RosterWriteFailureTest, ::testing::ValuesIn(kWriteFailureCases),
                         caseName<WriteFailureCase>);

TEST(RosterWriteFile, RefusesARosterWhoseCountsItsListsCannotHold) {
    TempDir dir;
    const auto path = rosterPath(dir.text());
    writeBytes(path, "keep");
    for (auto spoil : {+[](Roster& r) { r.BotCount = -1; }, +[](Roster& r) { r.TeamCount = 7; },
                       +[](Roster& r) { r.ViewWeaponCount = -3; }, +[](Roster& r) { r.BotPing.resize(1); }}) {
        Roster roster = sampleRoster();
        spoil(roster);
        FakeDialogs dialogs;
        EXPECT_FALSE(WriteRoster(path, roster, ModelSkinSource::AsRead, dialogs));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].icon, Icon::Critical);
        EXPECT_EQ(readBytes(path), "keep");
    }
}

// Most bot lines are written straight into a buffer; a line too long for it,
// or one with a value other than a whole number or empty, is written piece by
// piece. Both give the same bytes.
TEST(RosterWriter, LongLinesAndUnusualValuesWriteAsUsualOnesDo) {
    Roster r;
    const std::string longName(600, 'x');
    addBot(r, bot("Ed", "rook/slate", {2, 3, 1, 5, 0, 1, 50}), "rook", "moss");
    addBot(r, bot(longName, "rook/slate", {2, 3, 1, 5, 0, 1, 50}), "rook", "moss");
    BotRow odd = bot("Odd", "wren/ember", {-4, 3, 1, 5, 0, 1, 0});
    odd.values[1] = RosterValue{};
    odd.values[6] = num(12.25);
    addBot(r, odd, "wren", "frost");
    const std::string values = " 2  3  1  5  0  1  50 \r\n";
    EXPECT_EQ(rosterFileBytes(r, ModelSkinSource::AsRead),
              "[bots]\r\n\"Ed\"\"rook/slate\"" + values + "\"" + longName + "\"\"rook/slate\"" + values +
                  "\"Odd\"\"wren/ember\"-4 \"\" 1  5  0  1  12.25 \r\n[teams]\r\n[view weapons]\r\n");
    EXPECT_EQ(rosterFileBytes(r, ModelSkinSource::Halves),
              "[bots]\r\n\"Ed\"\"rook/moss\"" + values + "\"" + longName + "\"\"rook/moss\"" + values +
                  "\"Odd\"\"wren/frost\"-4 \"\" 1  5  0  1  12.25 \r\n[teams]\r\n[view weapons]\r\n");
}

}  // namespace
}  // namespace vexmoor::testing
