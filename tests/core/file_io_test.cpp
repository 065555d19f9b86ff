#include "core/ports.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kOld = "\"old\"\r\n1,0\r\n";
const std::string kNew = std::string("\"new\"\r\n\0\xff\r\n", 12);

TEST(SafeWriter, WritesTheBytesExactlyAndLeavesNothingElseBehind) {
    TempDir dir;
    const fs::path file = dir.path() / "vexmoor.ini";

    ASSERT_TRUE(writeWholeFile(file, kNew));
    EXPECT_EQ(readBytes(file), kNew);
    ASSERT_TRUE(writeWholeFile(file, "short"));
    EXPECT_EQ(readBytes(file), "short");
    ASSERT_TRUE(writeWholeFile(file, ""));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"vexmoor.ini"});
}

TEST(SafeWriter, KeepsTheOldFilesPermissions) {
    TempDir dir;
    const fs::path file = dir.path() / "bots.cfg";
    writeBytes(file, kOld);
#ifdef _WIN32
    // What Windows keeps of a file besides its content are its marks.
    constexpr DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), marks));

    ASSERT_TRUE(writeWholeFile(file, kNew));
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & marks, marks);
#else
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode, fs::perm_options::replace);

    ASSERT_TRUE(writeWholeFile(file, kNew));
    EXPECT_EQ(fs::status(file).permissions(), mode);
#endif
    EXPECT_EQ(readBytes(file), kNew);
}

// A version's number is claimed by making its file: of two makers, one is told.
TEST(NewFile, IsMadeOnlyWhereThereIsNoneAndLeavesOneThereAlone) {
    TempDir dir;
    const fs::path file = dir.path() / "000001-bots.cfg";
    ASSERT_TRUE(writeNewFile(file, kNew));
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(writeNewFile(file, kOld).error().describe(), pathText(file) + ": " + kFileExistsReason);
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"000001-bots.cfg"});
}

struct FailureCase {
    const char* what;
    std::function<fs::path(const fs::path& dir)> prepare;  // returns the file to write
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.what; }

std::string caseIndex(const ::testing::TestParamInfo<FailureCase>& param) {
    return "Case" + std::to_string(param.index);
}

class SafeWriterFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SafeWriterFailure, LeavesTheOldFileByteIdenticalAndNamesTheFile) {
    TempDir dir;
    const fs::path file = GetParam().prepare(dir.path());
    const bool hadFile = fs::exists(file);
    const std::string before = hadFile ? readBytes(file) : std::string();
    const auto foldersBefore =
        fs::exists(file.parent_path()) ? entriesOf(file.parent_path()) : std::vector<std::string>{};

    const Status status = writeWholeFile(file, kNew);

    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, file.string());
    EXPECT_NE(status.error().describe().find(file.string()), std::string::npos);
    EXPECT_FALSE(status.error().reason.empty());
    EXPECT_EQ(fs::exists(file), hadFile);
    if (hadFile && fs::is_regular_file(file)) {
        EXPECT_EQ(readBytes(file), before);
    }
    if (fs::exists(file.parent_path())) {
        EXPECT_EQ(entriesOf(file.parent_path()), foldersBefore);
    }
}

const FailureCase kFailureCases[] = {
    {"read-only file",
     [](const fs::path& dir) {
         writeBytes(dir / "vexmoor.ini", kOld);
         makeReadOnly(dir / "vexmoor.ini");
         return dir / "vexmoor.ini";
     }},
#ifndef _WIN32
    // Windows writes into a folder marked read-only all the same.
    {"read-only folder",
     [](const fs::path& dir) {
         writeBytes(dir / "eraser" / "bots.cfg", kOld);
         makeReadOnly(dir / "eraser");
         return dir / "eraser" / "bots.cfg";
     }},
    {"read-only folder without the file",
     [](const fs::path& dir) {
         fs::create_directories(dir / "eraser");
         makeReadOnly(dir / "eraser");
         return dir / "eraser" / "bots.cfg";
     }},
#endif
    {"missing folder", [](const fs::path& dir) { return dir / "missing" / "vexmoor.ini"; }},
    {"a folder where the file should be",
     [](const fs::path& dir) {
         fs::create_directories(dir / "vexmoor.ini");
         return dir / "vexmoor.ini";
     }},
};

INSTANTIATE_TEST_SUITE_P(File, SafeWriterFailure, ::testing::ValuesIn(kFailureCases), caseIndex);

TEST(FileReading, TellsAMissingFileFromAnUnreadableOneAndReadsBytesExactly) {
    TempDir dir;
    const auto missing = readWholeFile(dir.path() / "none.ini");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().reason, kMissingFileReason);

    fs::create_directories(dir.path() / "folder.ini");
    const auto folder = readWholeFile(dir.path() / "folder.ini");
    ASSERT_FALSE(folder);
    EXPECT_NE(folder.error().reason, kMissingFileReason);
    EXPECT_EQ(folder.error().file, (dir.path() / "folder.ini").string());

    writeBytes(dir.path() / "file.ini", kNew);
    const auto bytes = readWholeFile(dir.path() / "file.ini");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes.value(), kNew);

    EXPECT_TRUE(regularFileExists(dir.path() / "file.ini"));
    EXPECT_FALSE(regularFileExists(dir.path() / "folder.ini"));
    EXPECT_FALSE(regularFileExists(dir.path() / "none.ini"));
}

}  // namespace
}  // namespace vexmoor::testing
