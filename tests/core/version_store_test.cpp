#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/version_store.h"
#include "support/fakes.h"

namespace vexmoor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

constexpr std::string_view kGame = "/games/quake2/";

struct StoreTest : ::testing::Test {
    TempDir temp;
    std::int64_t clock = 1'700'000'000;
    VersionStore store{temp.path() / "versions", [this] { return clock++; }};

    std::vector<KeptVersion> versions(KeptFile file = KeptFile::Roster, std::string_view game = kGame) {
        auto listed = store.versions(game, file);
        EXPECT_TRUE(listed.isOk());
        return listed ? listed.value() : std::vector<KeptVersion>{};
    }
    std::vector<std::string> entries(KeptFile file = KeptFile::Roster) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(store.folderOf(kGame, file)))
            names.push_back(pathText(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(StoreTest, KeepsTheBytesAsTheyAreWithWhenAndWhy) {
    const std::string bytes = "# a comment\r\n\"Ash\"\"wren/ember\" 3 \n\xE9\0end"s;
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, bytes, "start-up tidy", "1 bot, 0 teams").value());

    const auto kept = versions();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].number, 1u);
    EXPECT_EQ(kept[0].keptAt, 1'700'000'000);
    EXPECT_EQ(kept[0].action, "start-up tidy");
    EXPECT_EQ(kept[0].summary, "1 bot, 0 teams");
    EXPECT_EQ(kept[0].size, bytes.size());
    EXPECT_EQ(store.bytesOf(kGame, KeptFile::Roster, kept[0]).value(), bytes);
    // The copy can be opened as it stands, beside its description.
    EXPECT_EQ(entries(), (std::vector<std::string>{"000001-bots.cfg", "000001.info"}));
    EXPECT_EQ(readBytes(store.folderOf(kGame, KeptFile::Roster) / "000001-bots.cfg"), bytes);
    EXPECT_TRUE(versions(KeptFile::Chat).empty());
}

TEST_F(StoreTest, TheSameBytesAreNotKeptTwiceInARow) {
    ASSERT_TRUE(store.keep(kGame, KeptFile::Chat, "one", "chat Commit Changes", "").value());
    EXPECT_FALSE(store.keep(kGame, KeptFile::Chat, "one", "chat Commit Changes", "").value());
    ASSERT_TRUE(store.keep(kGame, KeptFile::Chat, "two", "chat Commit Changes", "").value());
    ASSERT_TRUE(store.keep(kGame, KeptFile::Chat, "one", "restore", "").value());

    const auto kept = versions(KeptFile::Chat);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].number, 3u);  // newest first
    EXPECT_EQ(kept[0].action, "restore");
    EXPECT_EQ(kept[2].number, 1u);
}

TEST_F(StoreTest, KeepsTheNewestHundredOfEachFile) {
    for (int i = 1; i <= 105; ++i)
        ASSERT_TRUE(
            store.keep(kGame, KeptFile::MapCycle, "map" + std::to_string(i), "map cycle Commit Changes", ""));
    const auto kept = versions(KeptFile::MapCycle);
    ASSERT_EQ(kept.size(), VersionStore::kKeptPerFile);
    EXPECT_EQ(kept.front().number, 105u);
    EXPECT_EQ(kept.back().number, 6u);
    EXPECT_EQ(store.bytesOf(kGame, KeptFile::MapCycle, kept.back()).value(), "map6");
    EXPECT_EQ(entries(KeptFile::MapCycle).size(), 2 * VersionStore::kKeptPerFile);
}

TEST_F(StoreTest, EachGameDirectoryHasAFolderOfItsOwn) {
    const std::string other = "/other/quake2/";
    EXPECT_NE(VersionStore::folderName(kGame), VersionStore::folderName(other));
    EXPECT_TRUE(VersionStore::folderName(kGame).starts_with("quake2-"));
    EXPECT_EQ(VersionStore::folderName("/games/quake2"), VersionStore::folderName(kGame));
    // Names that are no safe folder names still give one.
    EXPECT_EQ(VersionStore::folderName("/games/..quake ii: \xE9/").substr(0, 12), "quake_ii___-");
    EXPECT_TRUE(VersionStore::folderName("/").starts_with("game-"));

    ASSERT_TRUE(store.keep(kGame, KeptFile::Settings, "mine", "Save Settings", ""));
    ASSERT_TRUE(store.keep(other, KeptFile::Settings, "theirs", "Save Settings", ""));
    const auto mine = versions(KeptFile::Settings);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(store.bytesOf(kGame, KeptFile::Settings, mine[0]).value(), "mine");
    EXPECT_EQ(versions(KeptFile::Settings, other).size(), 1u);
}

TEST_F(StoreTest, AFolderThatCannotTakeTheVersionIsToldAndLeftAsItWas) {
    writeBytes(temp.path() / "versions", "a file in the way");
    const auto blocked = store.keep(kGame, KeptFile::Roster, "bytes", "Commit Changes", "");
    ASSERT_FALSE(blocked.isOk());
    EXPECT_EQ(blocked.error().file, pathText(temp.path() / "versions"));
    EXPECT_EQ(readBytes(temp.path() / "versions"), "a file in the way");
#ifndef _WIN32
    fs::remove(temp.path() / "versions");
    fs::create_directories(temp.path() / "versions");
    testing::makeReadOnly(temp.path() / "versions");
    const auto readOnly = store.keep(kGame, KeptFile::Roster, "bytes", "Commit Changes", "");
    ASSERT_FALSE(readOnly.isOk());
    EXPECT_EQ(readOnly.error().describe(), pathText(temp.path() / "versions") + ": the folder is read-only");
    EXPECT_TRUE(fs::is_empty(temp.path() / "versions"));
#endif
}

TEST_F(StoreTest, PassesOverWhatIsNotAWholeVersion) {
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, "first", "Commit Changes", ""));
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, "second", "Commit Changes", ""));
    const fs::path folder = store.folderOf(kGame, KeptFile::Roster);
    writeBytes(folder / "000002.info", "not a description");
    writeBytes(folder / "000007-bots.cfg", "bytes whose description never came");
    writeBytes(folder / "notes.txt", "the user's own");
    ASSERT_EQ(versions().size(), 1u);

    // A copy changed after it was kept is not what its description says.
    writeBytes(folder / "000001-bots.cfg", "FIRST");
    EXPECT_FALSE(store.bytesOf(kGame, KeptFile::Roster, versions()[0]).isOk());

    // The next version is numbered past everything there; leftovers go.
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, "third", "Commit Changes", ""));
    EXPECT_EQ(versions()[0].number, 8u);
    EXPECT_FALSE(fs::exists(folder / "000007-bots.cfg"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
}

TEST(VersionInfo, ReadsWhatItWritesAndNothingElse) {
    const KeptVersion version{42, -5, "team Save", "3 bots, 1 team", 1234, 0xFEDCBA9876543210ull};
    EXPECT_EQ(parseVersionInfo(versionInfoText(version), 42), version);
    // Line breaks in an action or summary stay on their line.
    const KeptVersion broken{1, 0, "a\r\nb", "c\nd", 0, 0};
    EXPECT_EQ(parseVersionInfo(versionInfoText(broken), 1)->summary, "c d");

    const std::string good = versionInfoText(version);
    for (const std::string& bad :
         {std::string(), std::string("Vexmoor earlier version\n"), "x" + good,
          good.substr(0, good.find("hash")),
          std::string("Vexmoor earlier version\nkept: 1\nsize: -3\nhash: 0000000000000000\n"),
          std::string("Vexmoor earlier version\nkept: 1\nsize: 3\nhash: 00\n"),
          std::string(
              "Vexmoor earlier version\nkept: 99999999999999999999\nsize: 3\nhash: 0000000000000000\n")})
        EXPECT_EQ(parseVersionInfo(bad, 1), std::nullopt) << bad;
}

TEST(ContentPrint, TellsContentsApart) {
    EXPECT_EQ(printOf("abc"), printOf("abc"));
    EXPECT_NE(printOf("abc"), printOf("abd"));
    EXPECT_NE(contentHash("twelve bytes"), contentHash("twelve bytez"));
    EXPECT_NE(contentHash(std::string(9, '\0')), contentHash(std::string(8, '\0')));
    EXPECT_NE(printOf(""), ContentPrint{});  // an empty file is still a file
}

}  // namespace
}  // namespace vexmoor
