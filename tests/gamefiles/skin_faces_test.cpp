#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/ports.h"
#include "gamefiles/skin_faces.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/game_file_writers.h"

namespace vexmoor::testing {
namespace {

TEST(SkinFaces, AFaceIsTheSkinsIconFoundInAnyCase) {
    TempDir dir;
    GameDirectoryBuilder game(dir.path() / "game");
    std::array<std::uint8_t, 768> palette{};
    palette[3] = 0xff;  // colour 1: red
    const std::string face = pcxPicture(2, 2, {1, 1, 1, 0}, palette);
    game.withModel("rook", {"slate.pcx", "moss.pcx", "rust.pcx"})
        .withFile("baseq2/players/rook/slate_i.pcx", face)
        .withFile("baseq2/players/rook/Moss_I.PCX", face)
        .withFile("baseq2/players/rook/rust_i.pcx", "not a picture");

    for (const char* skin : {"slate", "moss"}) {
        SCOPED_TRACE(skin);
        const auto read = readSkinFace(game.text(), "rook", skin);
        ASSERT_TRUE(read) << read.error().describe();
        EXPECT_EQ(read.value().rgb, (std::vector<std::uint8_t>{255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0}));
    }
    EXPECT_EQ(readSkinFace(game.text(), "rook", "rust").error().reason,
              "the file is too short for a picture header");
    EXPECT_EQ(readSkinFace(game.text(), "rook", "pitch").error().reason, kMissingFileReason);
    EXPECT_EQ(readSkinFace(game.text(), "wren", "ember").error().reason, kMissingFileReason);
    EXPECT_EQ(readSkinFace(game.text(), "", "").error().reason, kMissingFileReason);
}

}  // namespace
}  // namespace vexmoor::testing
