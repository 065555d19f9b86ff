// Two programs keeping earlier versions of the same file into one versions
// folder at the same moment, as two Vexmoor windows on one game directory
// do: each claims its numbers without taking the other's, and tidying up
// never removes a version the other is still writing. Not timed: the
// programs are only given a generous while to end.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/ports.h"
#include "history/version_store.h"
#include "platform/process_starter.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

TEST(VersionsAtOnce, TwoProgramsKeepingAHundredVersionsEachOfOneFileLoseNone) {
    constexpr int kEach = 100;
    const std::vector<std::string> names = {"first", "second"};
    TempDir temp;
    const fs::path root = temp.path() / "versions";
    // Without its final separator, so that no argument ends in a backslash before its quote.
    const std::string game = pathText(temp.path() / "game");
    const fs::path go = temp.path() / "go";
    const fs::path program = testProgram("vexmoor_version_keeper");
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };

    SystemProcessStarter starter;
    for (const std::string& name : names) {
        const std::string line = quoted(pathText(program)) + " " + quoted(pathText(root)) + " " +
                                 quoted(game) + " " + name + " " + std::to_string(kEach) + " " +
                                 std::to_string(2 * kEach) + " " + quoted(pathText(go)) + " " +
                                 quoted(pathText(temp.path() / (name + ".done")));
        ASSERT_EQ(starter.start(line, temp.path(), pathText(program)), std::nullopt);
    }
    writeBytes(go, "");
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(4);
    for (const std::string& name : names) {
        const fs::path done = temp.path() / (name + ".done");
        while (!fs::exists(done) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(fs::exists(done)) << name << " never ended";
        EXPECT_EQ(readBytes(done), "kept " + std::to_string(kEach)) << name;
    }

    const VersionStore store(root, {}, 2 * kEach);
    const auto versions = store.versions(game, KeptFile::Roster);
    ASSERT_TRUE(versions);
    std::set<std::string> held;
    std::set<std::uint64_t> numbers;
    for (const KeptVersion& version : versions.value()) {
        const auto bytes = store.bytesOf(game, KeptFile::Roster, version);
        EXPECT_TRUE(bytes) << version.number << ": " << bytes.error().describe();
        if (bytes) held.insert(bytes.value());
        numbers.insert(version.number);
    }
    std::set<std::string> expected;
    for (const std::string& name : names)
        for (int i = 1; i <= kEach; ++i) expected.insert(name + " " + std::to_string(i) + "\r\n");
    EXPECT_EQ(held, expected);
    EXPECT_EQ(numbers.size(), 2u * kEach);
    EXPECT_EQ(*numbers.rbegin(), 2u * kEach);
}

}  // namespace
}  // namespace vexmoor::testing
