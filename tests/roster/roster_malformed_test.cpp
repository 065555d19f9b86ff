#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "roster/roster_file.h"
#include "roster_test_support.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Small broken rosters beside this source file. A name beginning "error_"
// must be refused with the file and a line named; "clean_" must read.
// The source folder comes from the build: __FILE__ may be relative to a
// build folder elsewhere (a compiler cache rewrites it so).
fs::path malformedFolder() { return fs::path(VEXMOOR_TESTS_SOURCE_DIR) / "roster" / "malformed"; }

std::vector<fs::path> malformedFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(malformedFolder()))
        if (entry.path().extension() == ".cfg") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void expectSpareSlots(std::int16_t count, std::size_t slots, const fs::path& file) {
    EXPECT_GE(count, 0) << file;
    EXPECT_EQ(slots, count == 0 ? 0u : static_cast<std::size_t>(count) + 1) << file;
}

TEST(RosterMalformed, EachFileIsRefusedOrReadAsItsNameSays) {
    const auto files = malformedFiles();
    ASSERT_GE(files.size(), 10u) << "malformed folder not found at " << malformedFolder();
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        const bool shouldFail = name.starts_with("error_");
        ASSERT_TRUE(shouldFail || name.starts_with("clean_")) << name;

        Roster roster;
        const Status status = ReadRoster(file, roster);
        EXPECT_EQ(status.isOk(), !shouldFail) << name << ": " << (status ? "" : status.error().describe());
        if (!status) {
            EXPECT_EQ(status.error().file, file.string()) << name;
            EXPECT_GT(status.error().line, 0) << name;
        }
        expectSpareSlots(roster.BotCount, roster.BotNames.size(), file);
        expectSpareSlots(roster.BotCount, roster.BotPing.size(), file);
        expectSpareSlots(roster.TeamCount, roster.TeamMembers.size(), file);
        expectSpareSlots(roster.ViewWeaponCount, roster.ViewWeaponLines.size(), file);

        // Whatever was read can be written, and what the tidy step leaves of
        // the file reads without crashing either.
        Roster again;
        (void)readRosterBytes(rosterFileBytes(roster, ModelSkinSource::AsRead), "written", again);
        (void)readRosterBytes(tidiedRosterBytes(readBytes(file)), "tidied", again);
    }
}

}  // namespace
}  // namespace vexmoor::testing
