#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "roster/catalogue.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

TEST(Catalogue, ListsModelFoldersAndTheirSkinsInByteOrder) {
    TempDir dir;
    const fs::path players = dir.path() / "baseq2" / "players";
    for (const char* model : {"male", "female", "cyborg", ".hidden"}) fs::create_directories(players / model);
#ifdef _WIN32
    // Windows hides a folder by a mark, not by its name.
    SetFileAttributesW((players / ".hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
    writeBytes(players / "readme.txt", "not a model");
#ifndef _WIN32
    // A link to a model folder elsewhere counts as the folder. (Windows lets
    // only privileged users make links, and the C++ library there cannot.)
    fs::create_directories(dir.path() / "elsewhere" / "linked");
    fs::create_directory_symlink(dir.path() / "elsewhere" / "linked", players / "linked");
#endif
    for (const char* file :
         {"cipher.pcx", "cipher_i.pcx", "WeaPon.pcx", "Grunt.PCX", "notes.txt", "model.md2", "a b.pcx"})
        writeBytes(players / "male" / file, "x");
    fs::create_directory(players / "male" / "folder.pcx");

#ifdef _WIN32
    EXPECT_EQ(ListModels(dir.text()), (Names{"cyborg", "female", "male"}));
#else
    EXPECT_EQ(ListModels(dir.text()), (Names{"cyborg", "female", "linked", "male"}));
#endif
    EXPECT_EQ(ListSkins(dir.text(), "male"), (Names{"Grunt", "a b", "cipher", "folder"}));
    EXPECT_EQ(ListSkins(dir.text(), "female"), Names{});
    EXPECT_EQ(ListSkins(dir.text(), "missing"), Names{});
}

TEST(Catalogue, AMissingPlayersFolderGivesNoModels) {
    TempDir dir;
    EXPECT_EQ(ListModels(dir.text()), Names{});
}

}  // namespace
}  // namespace vexmoor::testing
