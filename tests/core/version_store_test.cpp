#include <gtest/gtest.h>

#include <iterator>
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
    fs::path root = temp.path() / "versions";
    std::int64_t clock = 1'700'000'000;
    VersionStore store{root, [this] { return clock++; }};

    bool keep(KeptFile file, const std::string& bytes, const char* action = "Commit Changes",
              std::string_view game = kGame) {
        return store.keep(game, file, bytes, action, "").value();
    }
    // The file's versions, newest first, each as its number, action and bytes.
    std::vector<std::string> kept(KeptFile file, std::string_view game = kGame) {
        std::vector<std::string> shown;
        const auto versions = store.versions(game, file);
        for (const KeptVersion& version : versions.value())
            shown.push_back(std::to_string(version.number) + " " + version.action + ": " +
                            store.bytesOf(game, file, version).value());
        return shown;
    }
};

TEST_F(StoreTest, KeepsTheBytesAsTheyAreWithWhenAndWhy) {
    const std::string bytes = "# a comment\r\n\"Ash\"\"wren/ember\" 3 \n\xE9\0end"s;
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, bytes, "start-up tidy", "1 bot, 0 teams").value());

    const auto versions = store.versions(kGame, KeptFile::Roster).value();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0], (KeptVersion{1, 1'700'000'000, "start-up tidy", "1 bot, 0 teams", bytes.size(),
                                        contentHash(bytes)}));
    EXPECT_EQ(store.bytesOf(kGame, KeptFile::Roster, versions[0]).value(), bytes);
    // The copy can be opened as it stands.
    EXPECT_EQ(readBytes(store.folderOf(kGame, KeptFile::Roster) / "000001-bots.cfg"), bytes);
    EXPECT_TRUE(kept(KeptFile::Chat).empty());
}

TEST_F(StoreTest, TheSameBytesAreNotKeptTwiceInARow) {
    EXPECT_TRUE(keep(KeptFile::Chat, "one"));
    EXPECT_FALSE(keep(KeptFile::Chat, "one"));
    EXPECT_TRUE(keep(KeptFile::Chat, "two"));
    EXPECT_TRUE(keep(KeptFile::Chat, "one", "restore"));
    EXPECT_EQ(kept(KeptFile::Chat),
              (std::vector<std::string>{"3 restore: one", "2 Commit Changes: two", "1 Commit Changes: one"}));
}

TEST_F(StoreTest, KeepsTheNewestHundredOfEachFile) {
    for (int i = 1; i <= 105; ++i) ASSERT_TRUE(keep(KeptFile::MapCycle, "map" + std::to_string(i)));
    const auto versions = kept(KeptFile::MapCycle);
    ASSERT_EQ(versions.size(), VersionStore::kKeptPerFile);
    EXPECT_EQ(versions.front(), "105 Commit Changes: map105");
    EXPECT_EQ(versions.back(), "6 Commit Changes: map6");
    const fs::directory_iterator files(store.folderOf(kGame, KeptFile::MapCycle));
    EXPECT_EQ(std::distance(begin(files), end(files)), 2 * VersionStore::kKeptPerFile);
}

TEST_F(StoreTest, EachGameDirectoryHasAFolderOfItsOwn) {
    const std::string other = "/other/quake2/";
    EXPECT_NE(VersionStore::folderName(kGame), VersionStore::folderName(other));
    EXPECT_TRUE(VersionStore::folderName(kGame).starts_with("quake2-"));
    EXPECT_EQ(VersionStore::folderName("/games/quake2"), VersionStore::folderName(kGame));
    // Names that are no safe folder names still give one.
    EXPECT_EQ(VersionStore::folderName("/games/..quake ii: \xE9/").substr(0, 12), "quake_ii___-");
    EXPECT_TRUE(VersionStore::folderName("/").starts_with("game-"));

    ASSERT_TRUE(keep(KeptFile::Settings, "mine", "Save Settings"));
    ASSERT_TRUE(keep(KeptFile::Settings, "theirs", "Save Settings", other));
    EXPECT_EQ(kept(KeptFile::Settings), std::vector<std::string>{"1 Save Settings: mine"});
    EXPECT_EQ(kept(KeptFile::Settings, other), std::vector<std::string>{"1 Save Settings: theirs"});
}

TEST_F(StoreTest, AFolderThatCannotTakeTheVersionIsToldAndLeftAsItWas) {
    writeBytes(root, "a file in the way");
    EXPECT_EQ(store.keep(kGame, KeptFile::Roster, "bytes", "Commit Changes", "").error().describe(),
              pathText(root) + ": it is in the way: a file where a folder should be");
    EXPECT_EQ(readBytes(root), "a file in the way");
#ifndef _WIN32
    fs::remove(root);
    fs::create_directories(root);
    testing::makeReadOnly(root);
    EXPECT_EQ(store.keep(kGame, KeptFile::Roster, "bytes", "Commit Changes", "").error().describe(),
              pathText(root) + ": the folder is read-only");
    EXPECT_TRUE(fs::is_empty(root));
#endif
}

TEST_F(StoreTest, PassesOverWhatIsNotAWholeVersion) {
    ASSERT_TRUE(keep(KeptFile::Roster, "first"));
    ASSERT_TRUE(keep(KeptFile::Roster, "second"));
    const fs::path folder = store.folderOf(kGame, KeptFile::Roster);
    writeBytes(folder / "000002.info", "not a description");
    writeBytes(folder / "000007-bots.cfg", "bytes whose description never came");
    writeBytes(folder / "notes.txt", "the user's own");
    EXPECT_EQ(kept(KeptFile::Roster), std::vector<std::string>{"1 Commit Changes: first"});

    // A copy changed after it was kept is not what its description says.
    writeBytes(folder / "000001-bots.cfg", "FIRST");
    EXPECT_FALSE(store.bytesOf(kGame, KeptFile::Roster, store.versions(kGame, KeptFile::Roster).value()[0]));

    // The next version is numbered past everything there; leftovers go.
    ASSERT_TRUE(keep(KeptFile::Roster, "third"));
    EXPECT_EQ(store.versions(kGame, KeptFile::Roster).value()[0].number, 8u);
    EXPECT_FALSE(fs::exists(folder / "000007-bots.cfg"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
}

TEST(VersionInfo, ReadsWhatItWritesAndNothingElse) {
    const KeptVersion version{42, -5, "team Save", "3 bots, 1 team", 1234, 0xFEDCBA9876543210ull};
    EXPECT_EQ(parseVersionInfo(versionInfoText(version), 42), version);
    // Line breaks in an action or summary stay on their line.
    EXPECT_EQ(parseVersionInfo(versionInfoText({1, 0, "a\r\nb", "c\nd", 0, 0}), 1)->summary, "c d");

    const std::string good = versionInfoText(version);
    const std::string head = "Vexmoor earlier version\nkept: ";
    for (const std::string& bad :
         {""s, "Vexmoor earlier version\n"s, "x" + good, good.substr(0, good.find("hash")),
          head + "1\nsize: -3\nhash: 0000000000000000\n", head + "1\nsize: 3\nhash: 00\n",
          head + "99999999999999999999\nsize: 3\nhash: 0000000000000000\n"})
        EXPECT_EQ(parseVersionInfo(bad, 1), std::nullopt) << bad;
}

// Contents of one size: the print is all that tells them apart.
TEST(ContentPrint, TellsContentsApart) {
    EXPECT_NE(printOf("abc"), printOf("abd"));
    EXPECT_NE(printOf("twelve bytes"), printOf("twelve bytez"));
}

}  // namespace
}  // namespace vexmoor
