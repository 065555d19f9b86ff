// The version store, and the guard every rewrite goes through on top of it.
#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/ports.h"
#include "history/rewrite_guard.h"
#include "history/version_store.h"
#include "support/fakes.h"

namespace vexmoor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::readBytes;
using testing::writeBytes;
using Texts = std::vector<std::string>;

constexpr std::string_view kGame = "/games/quake2/";

// A store on a clock of its own, and the guard over it for a game directory
// in the test's folder, whose roster the guard watches over.
struct Versions {
    testing::TempDir temp;
    fs::path root = temp.path() / "versions";
    std::string game = temp.text() + "game" + kPathSeparator;
    fs::path file = gamePath(game, "eraser\\bots.cfg");
    std::string inForce = game;
    std::int64_t clock = 1'700'000'000;
    VersionStore store{root, [this] { return clock++; }};
    testing::FakeDialogs dialogs;
    RewriteGuard guard{
        store, dialogs, [this] { return inForce; },
        [](KeptFile, std::string_view bytes) { return std::to_string(bytes.size()) + " bytes"; }};

    Versions() { fs::create_directories(file.parent_path()); }
    bool keep(KeptFile which, const std::string& bytes, const char* action = "Commit Changes",
              std::string_view under = kGame) {
        return store.keep(under, which, bytes, action, "").value();
    }
    // The file's versions, newest first, as "number action: bytes (summary)".
    Texts kept(KeptFile which = KeptFile::Roster, std::string_view under = kGame) const {
        Texts shown;
        const auto versions = store.versions(under, which);
        for (const KeptVersion& version : versions.value())
            shown.push_back(std::to_string(version.number) + " " + version.action + ": " +
                            store.bytesOf(under, which, version).value() +
                            (version.summary.empty() ? "" : " (" + version.summary + ")"));
        return shown;
    }
    Texts keptOfTheRoster() const { return kept(KeptFile::Roster, game); }
};

struct StoreTest : Versions, ::testing::Test {};
struct GuardTest : Versions, ::testing::Test {};

// ---- The store.

TEST_F(StoreTest, KeepsTheBytesAsTheyAreWithWhenAndWhy) {
    const std::string bytes = "# a comment\r\n\"Ash\"\"wren/ember\" 3 \n\xE9\0end"s;
    ASSERT_TRUE(store.keep(kGame, KeptFile::Roster, bytes, "start-up tidy", "1 bot, 0 teams").value());

    const auto versions = store.versions(kGame, KeptFile::Roster).value();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(
        versions[0],
        (KeptVersion{
            1, 1'700'000'000, "start-up tidy", "1 bot, 0 teams", bytes.size(), contentHash(bytes), {}}));
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
              (Texts{"3 restore: one", "2 Commit Changes: two", "1 Commit Changes: one"}));
}

TEST_F(StoreTest, KeepsTheNewestHundredOfEachFile) {
    for (int i = 1; i <= 105; ++i) ASSERT_TRUE(keep(KeptFile::MapCycle, "map" + std::to_string(i)));
    const Texts versions = kept(KeptFile::MapCycle);
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

    ASSERT_TRUE(keep(KeptFile::Chat, "mine"));
    ASSERT_TRUE(keep(KeptFile::Chat, "theirs", "Commit Changes", other));
    EXPECT_EQ(kept(KeptFile::Chat), Texts{"1 Commit Changes: mine"});
    EXPECT_EQ(kept(KeptFile::Chat, other), Texts{"1 Commit Changes: theirs"});
}

// The settings file's versions are filed under its own path, whatever game
// directory it names; those an older Vexmoor filed under a game directory
// are offered after them and, being older, are the first to go.
TEST_F(StoreTest, SettingsVersionsFiledUnderAGameDirectoryAreOfferedWithTheirOwnAndGoFirst) {
    const std::string settings = temp.text() + "vexmoor.ini";
    VersionStore three{root, [this] { return clock++; }, 3};
    for (const auto& [under, bytes] :
         {std::pair{"/games/a/", "a1"}, {"/games/b/", "b1"}, {"/games/a/", "a2"}})
        ASSERT_TRUE(three.keep(under, KeptFile::Settings, bytes, "Save Settings", "").value());
    ASSERT_TRUE(three.keep(settings, KeptFile::Settings, "own1", "Save Settings", "").value());
    // Another settings file's own folder holds none of this one's versions.
    ASSERT_TRUE(
        three.keep(temp.text() + "other/vexmoor.ini", KeptFile::Settings, "x", "Save Settings", "").value());
    EXPECT_EQ(kept(KeptFile::Settings, settings),
              (Texts{"1 Save Settings: own1", "2 Save Settings: a2", "1 Save Settings: b1"}));

    ASSERT_TRUE(three.keep(settings, KeptFile::Settings, "own2", "Save Settings", "").value());
    EXPECT_EQ(kept(KeptFile::Settings, settings),
              (Texts{"2 Save Settings: own2", "1 Save Settings: own1", "2 Save Settings: a2"}));
    EXPECT_TRUE(fs::is_empty(store.folderOf("/games/b/", KeptFile::Settings)));
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

// A copy changed after it was kept is the Earlier Versions window's test.
// Bytes without a description may be a version another program is keeping
// right now: only those older than that takes are removed.
TEST_F(StoreTest, PassesOverWhatIsNotAWholeVersion) {
    ASSERT_TRUE(keep(KeptFile::Roster, "first"));
    ASSERT_TRUE(keep(KeptFile::Roster, "second"));
    const fs::path folder = store.folderOf(kGame, KeptFile::Roster);
    writeBytes(folder / "000002.info", "not a description");
    writeBytes(folder / "000005-bots.cfg", "bytes whose description never came");
    fs::last_write_time(folder / "000005-bots.cfg", fs::file_time_type::clock::now() - std::chrono::hours(1));
    writeBytes(folder / "000007-bots.cfg", "bytes whose description is coming");
    writeBytes(folder / "notes.txt", "the user's own");
    EXPECT_EQ(kept(), Texts{"1 Commit Changes: first"});

    // The next version is numbered past everything there.
    ASSERT_TRUE(keep(KeptFile::Roster, "third"));
    EXPECT_EQ(kept()[0], "8 Commit Changes: third");
    EXPECT_FALSE(fs::exists(folder / "000005-bots.cfg"));
    EXPECT_TRUE(fs::exists(folder / "000007-bots.cfg"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
}

TEST(VersionInfo, ReadsWhatItWritesAndNothingElse) {
    const KeptVersion version{42, -5, "team Save", "3 bots, 1 team", 1234, 0xFEDCBA9876543210ull, {}};
    EXPECT_EQ(parseVersionInfo(versionInfoText(version), 42), version);
    // Line breaks in an action or summary stay on their line.
    EXPECT_EQ(parseVersionInfo(versionInfoText({1, 0, "a\r\nb", "c\nd", 0, 0, {}}), 1)->summary, "c d");

    const std::string good = versionInfoText(version);
    const std::string head = "Vexmoor earlier version\nkept: ";
    for (const std::string& bad :
         {""s, "Vexmoor earlier version\n"s, "x" + good, good.substr(0, good.find("hash")),
          head + "1\nsize: -3\nhash: 0000000000000000\n", head + "1\nsize: 3\nhash: 00\n",
          head + "99999999999999999999\nsize: 3\nhash: 0000000000000000\n"})
        EXPECT_EQ(parseVersionInfo(bad, 1), std::nullopt) << bad;
}

// ---- The guard.

struct OutsideCase {
    const char* name;
    std::optional<std::string> read;    // what Vexmoor read; nothing: there was no file
    std::optional<std::string> onDisk;  // what the file holds at the rewrite; nothing: gone
    std::optional<Answer> answer;       // to "changed outside Vexmoor"; nothing: not asked
    bool goesOn;
    const char* kept;  // the version kept; none: nothing kept
};

class OutsideChange : public Versions, public ::testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideChange, IsAskedAboutAndTheOtherVersionKept) {
    const OutsideCase& c = GetParam();
    if (c.read) {
        writeBytes(file, *c.read);
        guard.remember(file, *c.read);
    } else {
        guard.rememberMissing(file);
    }
    if (c.onDisk)
        writeBytes(file, *c.onDisk);
    else
        fs::remove(file);
    if (c.answer) dialogs.answers.push_back(*c.answer);

    EXPECT_EQ(guard.mayRewrite(KeptFile::Roster, file, "Commit Changes"), c.goesOn);
    EXPECT_EQ(dialogs.texts(), c.answer ? Texts{RewriteGuard::changedOutsideQuestion(file).text} : Texts{});
    for (const Message& asked : dialogs.shown)
        EXPECT_TRUE(asked.buttons == Buttons::YesNo && asked.defaultAnswer == Answer::No);
    EXPECT_EQ(keptOfTheRoster(), c.kept ? Texts{c.kept} : Texts{});
    // Nothing the guard does touches the file itself.
    EXPECT_EQ(fs::exists(file), c.onDisk.has_value());
}

// Same-sized contents differ only in their print; an empty file is still a file.
INSTANTIATE_TEST_SUITE_P(
    Cases, OutsideChange,
    ::testing::Values(
        OutsideCase{"Unchanged", "read", "read", std::nullopt, true, "1 Commit Changes: read (4 bytes)"},
        OutsideCase{"ChangedAndLeft", "read", "theirs", Answer::No, false, nullptr},
        OutsideCase{"ChangedAndReplaced", "read", "theirs", Answer::Yes, true,
                    "1 changed outside Vexmoor: theirs (6 bytes)"},
        OutsideCase{"SameSizeOtherBytes", "twelve bytes", "twelve bytez", Answer::No, false, nullptr},
        // A file gone has nothing to protect and no version to keep.
        OutsideCase{"Removed", "read", std::nullopt, std::nullopt, true, nullptr},
        OutsideCase{"MadeSinceThereWasNone", std::nullopt, "", Answer::Yes, true,
                    "1 changed outside Vexmoor:  (0 bytes)"},
        OutsideCase{"StillNone", std::nullopt, std::nullopt, std::nullopt, true, nullptr}),
    [](const ::testing::TestParamInfo<OutsideCase>& param) { return std::string(param.param.name); });

TEST_F(GuardTest, AFileNothingWasRememberedOfIsKeptWithoutAQuestion) {
    writeBytes(file, "as found");
    EXPECT_TRUE(guard.mayRewrite(KeptFile::Roster, file, "Delete Team"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(keptOfTheRoster(), Texts{"1 Delete Team: as found (8 bytes)"});
}

// The version cannot be kept, for the versions folder or the file itself:
// told why and asked, No by default.
TEST_F(GuardTest, AVersionThatCannotBeKeptIsToldAndAsked) {
    writeBytes(file, "read");
    guard.remember(file, "read");
    writeBytes(root, "in the way");
    EXPECT_FALSE(guard.mayRewrite(KeptFile::Roster, file, "team Save"));
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(guard.mayRewrite(KeptFile::Roster, file, "team Save"));
    fs::remove(file);
    fs::create_directories(file);
    EXPECT_FALSE(guard.mayRewrite(KeptFile::Roster, file, "team Save"));

    const auto asked = [this](const std::string& why) {
        return "Vexmoor could not keep an earlier version of " + pathText(file) +
               " before rewriting it.\r\n\r\n" + why +
               "\r\n\r\nWrite the file all the same? What it holds now could not be brought back.";
    };
    const std::string blocked = asked(pathText(root) + ": it is in the way: a file where a folder should be");
    EXPECT_EQ(dialogs.texts(),
              (Texts{blocked, blocked, asked(pathText(file) + ": it is a folder, not a file")}));
    for (const Message& question : dialogs.shown)
        EXPECT_TRUE(question.title == "Earlier version not kept" && question.buttons == Buttons::YesNo);
}

// A game's file goes back only to the game directory it was read from, and
// only while that is the one in force (written another way or not); its
// versions go to that directory's folder. The settings file is no game's.
TEST_F(GuardTest, AGameFileIsWrittenOnlyWhileItsGameDirectoryIsTheOneInForce) {
    writeBytes(file, "read");
    guard.remember(file, "read");
    inForce = temp.text() + "other" + kPathSeparator;
    EXPECT_FALSE(guard.mayRewrite(KeptFile::Roster, file, "Commit Changes"));
    EXPECT_EQ(dialogs.texts(), Texts{RewriteGuard::otherDirectoryRefusal(file, game, inForce).text});
    const fs::path settings = temp.path() / "vexmoor.ini";
    writeBytes(settings, "settings");
    EXPECT_TRUE(guard.mayRewrite(KeptFile::Settings, settings, "Save Settings"));
    EXPECT_EQ(kept(KeptFile::Settings, pathText(settings)), Texts{"1 Save Settings: settings (8 bytes)"});

    inForce = game + "eraser" + kPathSeparator + ".." + kPathSeparator;
    EXPECT_TRUE(guard.mayRewrite(KeptFile::Roster, file, "Commit Changes"));
    EXPECT_EQ(keptOfTheRoster(), Texts{"1 Commit Changes: read (4 bytes)"});
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(FiledUnder, IsTheGameDirectoryAGameFilesPathWasMadeFromOrTheSettingsFilesOwnPath) {
    EXPECT_EQ(RewriteGuard::filedUnder(KeptFile::Roster, gamePath("/g/q 2/", "eraser\\bots.cfg")), "/g/q 2/");
    EXPECT_EQ(RewriteGuard::filedUnder(KeptFile::MapCycle, gamePath("/g/q2/", "eraser\\maps.txt")), "/g/q2/");
    EXPECT_EQ(RewriteGuard::filedUnder(KeptFile::Settings, pathFromText("/c/vexmoor.ini")), "/c/vexmoor.ini");
}

// A restore keeps the file as it is, whatever Vexmoor read of it: the user has just seen it.
TEST_F(GuardTest, ARestoreKeepsTheFileAsItIsWithoutComparing) {
    guard.remember(file, "read");
    writeBytes(file, "changed by hand");
    EXPECT_TRUE(guard.mayRestore(KeptFile::Roster, file));
    fs::remove(file);
    EXPECT_TRUE(guard.mayRestore(KeptFile::Roster, file));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(keptOfTheRoster(), Texts{"1 restore: changed by hand (15 bytes)"});
}

}  // namespace
}  // namespace vexmoor
