#include <gtest/gtest.h>

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
    writeBytes(players / "readme.txt", "not a model");
    fs::create_directories(dir.path() / "elsewhere" / "linked");
    fs::create_directory_symlink(dir.path() / "elsewhere" / "linked", players / "linked");
    for (const char* file :
         {"cipher.pcx", "cipher_i.pcx", "WeaPon.pcx", "Grunt.PCX", "notes.txt", "model.md2", "a b.pcx"})
        writeBytes(players / "male" / file, "x");
    fs::create_directory(players / "male" / "folder.pcx");

    EXPECT_EQ(ListModels(dir.text()), (Names{"cyborg", "female", "linked", "male"}));
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
