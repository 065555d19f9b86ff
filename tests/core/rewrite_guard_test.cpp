#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/rewrite_guard.h"
#include "support/fakes.h"

namespace vexmoor {
namespace {

namespace fs = std::filesystem;
using testing::FakeDialogs;
using testing::TempDir;
using testing::writeBytes;

using Texts = std::vector<std::string>;

struct GuardTest {
    TempDir temp;
    fs::path file = temp.path() / "bots.cfg";
    FakeDialogs dialogs;
    VersionStore store{temp.path() / "versions"};
    RewriteGuard guard{
        store, dialogs, [this] { return temp.text(); },
        [](KeptFile, std::string_view bytes) { return std::to_string(bytes.size()) + " bytes"; }};

    // The roster's versions, newest first, as "action: bytes (summary)".
    Texts kept() const {
        Texts shown;
        const auto versions = store.versions(temp.text(), KeptFile::Roster);
        for (const KeptVersion& version : versions.value())
            shown.push_back(version.action + ": " +
                            store.bytesOf(temp.text(), KeptFile::Roster, version).value() + " (" +
                            version.summary + ")");
        return shown;
    }
};

struct OutsideCase {
    const char* name;
    std::optional<std::string> read;    // what Vexmoor read; nothing: there was no file
    std::optional<std::string> onDisk;  // what the file holds at the rewrite; nothing: gone
    std::optional<Answer> answer;       // to "changed outside Vexmoor"; nothing: not asked
    bool goesOn;
    const char* kept;  // the version kept, as "action: bytes (summary)"; none: nothing kept
};

class OutsideChange : public ::testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideChange, IsAskedAboutAndTheOtherVersionKept) {
    const OutsideCase& c = GetParam();
    GuardTest t;
    if (c.read) {
        writeBytes(t.file, *c.read);
        t.guard.remember(t.file, *c.read);
    } else {
        t.guard.rememberMissing(t.file);
    }
    if (c.onDisk)
        writeBytes(t.file, *c.onDisk);
    else
        fs::remove(t.file);
    if (c.answer) t.dialogs.answers.push_back(*c.answer);

    EXPECT_EQ(t.guard.mayRewrite(KeptFile::Roster, t.file, "Commit Changes"), c.goesOn);
    EXPECT_EQ(t.dialogs.texts(),
              c.answer ? Texts{RewriteGuard::changedOutsideQuestion(t.file).text} : Texts{});
    EXPECT_EQ(t.kept(), c.kept ? Texts{c.kept} : Texts{});
    // Nothing the guard does touches the file itself.
    EXPECT_EQ(fs::exists(t.file), c.onDisk.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutsideChange,
    ::testing::Values(OutsideCase{"Unchanged", "read", "read", std::nullopt, true,
                                  "Commit Changes: read (4 bytes)"},
                      OutsideCase{"ChangedAndLeft", "read", "theirs", Answer::No, false, nullptr},
                      OutsideCase{"ChangedAndReplaced", "read", "theirs", Answer::Yes, true,
                                  "changed outside Vexmoor: theirs (6 bytes)"},
                      OutsideCase{"SameSizeOtherBytes", "abcd", "abce", Answer::No, false, nullptr},
                      OutsideCase{"RemovedAndLeft", "read", std::nullopt, Answer::No, false, nullptr},
                      OutsideCase{"RemovedAndWrittenAgain", "read", std::nullopt, Answer::Yes, true, nullptr},
                      // An empty file is still a file.
                      OutsideCase{"MadeSinceThereWasNone", std::nullopt, "", Answer::Yes, true,
                                  "changed outside Vexmoor:  (0 bytes)"},
                      OutsideCase{"StillNone", std::nullopt, std::nullopt, std::nullopt, true, nullptr}),
    [](const ::testing::TestParamInfo<OutsideCase>& param) { return std::string(param.param.name); });

TEST(RewriteGuard, AFileNothingWasRememberedOfIsKeptWithoutAQuestion) {
    GuardTest t;
    writeBytes(t.file, "as found");
    EXPECT_TRUE(t.guard.mayRewrite(KeptFile::Roster, t.file, "Delete Team"));
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.kept(), Texts{"Delete Team: as found (8 bytes)"});
}

// The version cannot be kept: told why and asked, No by default.
TEST(RewriteGuard, AVersionThatCannotBeKeptIsToldAndAsked) {
    GuardTest t;
    writeBytes(t.file, "read");
    t.guard.remember(t.file, "read");
    writeBytes(t.temp.path() / "versions", "in the way");
    EXPECT_FALSE(t.guard.mayRewrite(KeptFile::Roster, t.file, "team Save"));
    t.dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(t.guard.mayRewrite(KeptFile::Roster, t.file, "team Save"));
    const std::string asked = "Vexmoor could not keep an earlier version of " + pathText(t.file) +
                              " before rewriting it.\r\n\r\n" + pathText(t.temp.path() / "versions") +
                              ": it is in the way: a file where a folder should be\r\n\r\nWrite the file all "
                              "the same? What it holds now could not be brought back.";
    EXPECT_EQ(t.dialogs.texts(), (Texts{asked, asked}));
    EXPECT_EQ(t.dialogs.shown[0].title, "Earlier version not kept");
}

TEST(RewriteGuard, AFileThatCannotBeReadCannotBeKeptEither) {
    GuardTest t;
    fs::create_directories(t.file);
    EXPECT_FALSE(t.guard.mayRewrite(KeptFile::Roster, t.file, "Commit Changes"));
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_NE(t.dialogs.shown[0].text.find("it is a folder, not a file"), std::string::npos);
}

// A restore keeps the file as it is, whatever Vexmoor read of it: the user has just seen it.
TEST(RewriteGuard, ARestoreKeepsTheFileAsItIsWithoutComparing) {
    GuardTest t;
    t.guard.remember(t.file, "read");
    writeBytes(t.file, "changed by hand");
    EXPECT_TRUE(t.guard.mayRestore(KeptFile::Roster, t.file));
    fs::remove(t.file);
    EXPECT_TRUE(t.guard.mayRestore(KeptFile::Roster, t.file));
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.kept(), Texts{"restore: changed by hand (15 bytes)"});
}

}  // namespace
}  // namespace vexmoor
