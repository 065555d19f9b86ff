// The readers of the game's archives, maps and pictures: files of each kind
// as the game has them, and each kind of damage a download may bring.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "core/ports.h"
#include "gamefiles/bsp_file.h"
#include "gamefiles/pak_file.h"
#include "gamefiles/pcx_file.h"
#include "support/fakes.h"
#include "support/game_file_writers.h"

namespace vexmoor::testing {
namespace {

struct Damage {
    const char* what;
    std::string bytes;
    std::string reason;
};

// Each damaged file is refused, with its own reason.
template <std::size_t N, class Read>
void expectRefused(const Damage (&damages)[N], Read read) {
    for (const auto& [what, bytes, reason] : damages) {
        SCOPED_TRACE(what);
        const auto result = read(bytes);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().reason, reason);
    }
}

TEST(PakReader, ReadsTheDirectoryAndFindsNamesAsTheGameDoes) {
    const std::string archive = pakArchive({{"maps/q2dm1.bsp", "first"}, {"MAPS/Q2DM2.BSP", "second!"}});
    const auto read = readPakBytes(archive);
    ASSERT_TRUE(read) << read.error().describe();
    ASSERT_EQ(read.value().entries.size(), 2u);
    const PakEntry* found = read.value().find("maps/q2dm2.bsp");
    ASSERT_TRUE(found);
    EXPECT_EQ(archive.substr(found->offset, found->length), "second!");
    EXPECT_EQ(read.value().find("maps/q2dm3.bsp"), nullptr);
}

// The game reads the directory alone and opens an entry only when it needs
// it: damaged entries and a part of one left over hide nothing, and of two
// entries of one name the first counts.
TEST(PakReader, TakesWhatTheGameTakesAndMarksEntriesItCannotOpen) {
    std::string archive = pakArchive({{"maps/far.bsp", "far"},
                                      {"maps/gone.bsp", "neg"},
                                      {"maps/q2dm1.bsp", "first"},
                                      {"MAPS/Q2DM1.BSP", "second"}});
    const std::size_t directory = numberAt(archive, 4);
    archive = patched(patched(archive, directory + 60, 4000), directory + 64 + 56, 0x80000000u);
    archive = patched(archive + std::string(40, '\0'), 8, 4 * 64 + 40);
    const auto read = readPakBytes(archive);
    ASSERT_TRUE(read) << read.error().describe();
    const PakDirectory& pak = read.value();
    ASSERT_EQ(pak.entries.size(), 4u);
    EXPECT_EQ(pak.damagedEntries, 2u);
    EXPECT_EQ(pak.damage(pak.entries[0]), "the entry runs past the end of the archive");
    EXPECT_EQ(pak.damage(pak.entries[1]), "the entry has a negative offset or length");
    const PakEntry* found = pak.find("Maps/Q2dm1.bsp");
    ASSERT_EQ(found, &pak.entries[2]);
    EXPECT_EQ(pak.damage(*found), std::nullopt);
    EXPECT_EQ(archive.substr(found->offset, found->length), "first");
}

TEST(PakReader, RefusesEveryKindOfDamageWithItsReason) {
    const std::string good = pakArchive({{"maps/a.bsp", "abc"}});
    const std::size_t entries = 4097 * kPakEntrySize;
    const Damage damages[] = {
        {"short header", "PACK\x0c", "the file is too short for an archive header"},
        {"another kind of file", "PK\x03\x04" + good.substr(4),
         "the file is not a .pak archive (it does not begin with PACK)"},
        {"negative directory", patched(good, 4, 0x80000000u), "the directory's offset or length is negative"},
        {"directory past the end", good.substr(0, good.size() - 1),
         "the directory runs past the end of the file"},
        {"directory over the header", patched(good, 4, 4), "the directory overlaps the header"},
        {"more files than the game takes", patched(good + std::string(entries, '\0'), 8, entries),
         "the archive holds 4,097 files; the game stops at start with more than 4,096"},
    };
    expectRefused(damages, [](const std::string& bytes) { return readPakBytes(bytes); });
}

std::string knownMap() {
    return MapBuilder()
        .box({0, 0, -16}, {256, 256, 0})
        .box({512, 0, 112}, {768, 256, 128})
        .ramp({256, 64, 0}, {512, 192, 128})
        .box({32, 32, -8}, {96, 96, 4}, "vex/water", kSurfaceWarp)
        .box({160, 32, -8}, {224, 96, 4}, "vex/lava1", kSurfaceWarp)
        .box({-64, -64, 256}, {832, 320, 272}, "vex/sky", kSurfaceSky)
        .box({0, 0, 0}, {32, 32, 300}, "vex/clip", kSurfaceNoDraw)
        .box({600, 100, 128}, {620, 120, 400}, "e1u1/Trigger")
        .worldKey("message", "The Edge")
        .entity("info_player_deathmatch", {128, 128, 24})
        .entity("info_player_deathmatch", {640, 128, 152})
        .entity("item_flag_team1", {0, 0, 24})
        .entity("item_flag_team2", {640, 0, 24})
        .bytes();
}

TEST(MapReader, ReadsTheTitleWhatTheMapHoldsAndItsFloors) {
    const auto read = readMapBytes(knownMap());
    ASSERT_TRUE(read) << read.error().describe();
    const MapSummary& summary = read.value().summary;
    EXPECT_EQ(summary.title, "The Edge");
    EXPECT_EQ(summary.spawnPoints, 2);
    EXPECT_TRUE(summary.bothFlags);

    // Floors only, lowest first: the two floors, the ramp between and the
    // two pools; sky, clip and trigger left out.
    const FloorPlan& plan = read.value().plan;
    using Surface = FloorPlan::Surface;
    std::vector<std::pair<float, Surface>> floors;
    for (const auto& face : plan.faces) floors.emplace_back(face.height, face.surface);
    EXPECT_EQ(floors, (std::vector<std::pair<float, Surface>>{{0.f, Surface::Floor},
                                                              {4.f, Surface::Water},
                                                              {4.f, Surface::Lava},
                                                              {64.f, Surface::Floor},
                                                              {128.f, Surface::Floor}}));
    EXPECT_EQ(plan.mins, (std::array<float, 3>{-64, -64, -16}));
    EXPECT_EQ(plan.maxs, (std::array<float, 3>{832, 320, 400}));
    // The upper floor's corners, in the map's x and y.
    const FloorPlan::Face& upper = plan.faces.back();
    ASSERT_EQ(upper.count, 4u);
    for (std::uint32_t i = 0; i < upper.count; ++i) {
        const FloorPlan::Point& corner = plan.points[upper.first + i];
        EXPECT_TRUE((corner.x == 512 || corner.x == 768) && (corner.y == 0 || corner.y == 256));
    }
}

TEST(MapReader, MakesTheTitleAsTheGameShowsIt) {
    const struct {
        const char* message;
        const char* title;
    } titles[] = {
        {"  Moor\\nand\\n\\n  Mire\\n", "Moor and Mire"},
        {"Back\\slash and a last \\", "Back\\lash and a last \\"},
        {"Tab\tand\x01"
         "control",
         "Tab and control"},
        // The game draws a byte of 128 or more as the byte less 128, coloured.
        {"\xc3\xef\xec\xe4 Zero", "Cold Zero"},
        {"Red\x8aLine\xff", "Red Line"},
        {"0123456789012345678901234567890123456789012345678901234567890123456789",
         "012345678901234567890123456789012345678901234567890123456789012"},
    };
    for (const auto& [message, title] : titles) {
        SCOPED_TRACE(message);
        const auto read = readMapSummary(MapBuilder().worldKey("message", message).bytes().substr(160));
        ASSERT_TRUE(read) << read.error().describe();
        EXPECT_EQ(read.value().title, title);
    }
    // Only the world, the first entity, gives the map its title.
    const auto notWorld = readMapSummary("{ \"classname\" \"light\" \"message\" \"Lamp\" }");
    ASSERT_TRUE(notWorld);
    EXPECT_EQ(notWorld.value().title, "");
}

// Spawn points as the game finds them, in any letter case; flags as it
// spawns its items, by their exact names; neither when the entity is left
// out of deathmatch.
TEST(MapReader, CountsWhatADeathmatchGameKeeps) {
    const struct {
        const char* entities;
        int spawnPoints;
        bool bothFlags;
    } cases[] = {
        {R"({ "classname" "Info_Player_DeathMatch" } { "classname" "info_player_deathmatch" })", 2, false},
        {R"({ "classname" "info_player_deathmatch" "spawnflags" "2049" })", 0, false},
        {R"({ "classname" "info_player_deathmatch" "SpawnFlags" " -1" })", 0, false},
        {R"({ "classname" "item_flag_team1" } { "classname" "item_flag_team2" })", 0, true},
        {R"({ "classname" "Item_Flag_Team1" } { "classname" "item_flag_team2" })", 0, false},
        {R"({ "classname" "item_flag_team1" } { "classname" "item_flag_team2" "spawnflags" "2048" })", 0,
         false},
    };
    for (const auto& [entities, spawnPoints, bothFlags] : cases) {
        SCOPED_TRACE(entities);
        const auto read = readMapSummary(std::string(R"({ "classname" "worldspawn" } )") + entities);
        ASSERT_TRUE(read) << read.error().describe();
        EXPECT_EQ(read.value().spawnPoints, spawnPoints);
        EXPECT_EQ(read.value().bothFlags, bothFlags);
    }
}

// The map with one of its lists moved to the end of the file and grown by
// `extra` records of zeros, which the game reads as sound.
std::string grown(const std::string& map, BspLump lump, std::size_t recordSize, std::size_t extra) {
    const std::size_t entry = lumpEntry(static_cast<int>(lump));
    const std::string records = map.substr(numberAt(map, entry), numberAt(map, entry + 4));
    const auto size = static_cast<std::uint32_t>(records.size() + extra * recordSize);
    return patched(patched(map + records + std::string(extra * recordSize, '\0'), entry,
                           static_cast<std::uint32_t>(map.size())),
                   entry + 4, size);
}

TEST(MapReader, SetsNoLimitTheGameDoesNotHave) {
    const auto expected = readMapBytes(knownMap());
    ASSERT_TRUE(expected);
    for (const auto& [lump, recordSize, records] :
         {std::tuple{BspLump::Edges, 4u, 128001u}, std::tuple{BspLump::Faces, 20u, 65537u},
          std::tuple{BspLump::Vertices, 12u, 65537u}}) {
        SCOPED_TRACE(records);
        const auto read = readMapBytes(grown(knownMap(), lump, recordSize, records));
        ASSERT_TRUE(read) << read.error().describe();
        EXPECT_EQ(read.value().plan.faces.size(), expected.value().plan.faces.size());
    }
}

TEST(MapReader, RefusesEveryKindOfDamageWithItsReason) {
    const std::string good = knownMap();
    const auto lengthOf = [](BspLump lump) { return lumpEntry(static_cast<int>(lump)) + 4; };
    const std::size_t models = numberAt(good, lumpEntry(static_cast<int>(BspLump::Models)));
    const std::size_t faces = numberAt(good, lumpEntry(static_cast<int>(BspLump::Faces)));
    // A list over the game's limit, in a file with room for it.
    const std::string roomy = patched(
        patched(MapBuilder().bytes() + std::string(48 * 1025, '\0'), lengthOf(BspLump::Models) - 4, 160),
        lengthOf(BspLump::Models), 48 * 1025);
    // A floor walked seven times over: a plan larger than the file would be.
    std::string looped = MapBuilder().box({0, 0, -16}, {256, 256, 0}).bytes();
    const std::size_t floor = numberAt(looped, lumpEntry(static_cast<int>(BspLump::Faces)));
    const auto size = static_cast<std::uint32_t>(looped.size());
    for (int i = 0; i < 7; ++i) looped += looped.substr(floor, 20);
    looped = patched(patched(looped, lengthOf(BspLump::Faces) - 4, size), lengthOf(BspLump::Faces), 140);
    looped = patched(looped, numberAt(looped, lumpEntry(static_cast<int>(BspLump::Models))) + 44, 7);
    const Damage damages[] = {
        {"short header", good.substr(0, 100), "the file is too short for a map header"},
        {"another kind of file", "VBSP" + good.substr(4),
         "the file is not a compiled map (it does not begin with IBSP)"},
        {"wrong version", patched(good, 4, 46), "the map is of version 46, not 38 (a Quake 2 map)"},
        {"lump past the end", patched(good, lengthOf(BspLump::Faces), 0x100000),
         "the face list runs past the end of the file"},
        {"part of a record", patched(good, lengthOf(BspLump::Faces), 21),
         "the face list is not a whole number of 20-byte faces"},
        {"world's faces past their list", patched(good, models + 44, 1000),
         "the world's faces run past the end of the face list"},
        {"face's edges past their list", patched(good, faces + 4, 100000),
         "face 0's edges run past the end of the face edge list"},
        {"a plane the map lacks", patched(good, faces, 0xffff), "face 0 names a plane the map does not have"},
        {"empty entity list", MapBuilder().entityText(std::string(1, '\0')).bytes(),
         "the entity list is empty"},
        {"entity list cut off", MapBuilder().entityText("{ \"classname\" \"worldspawn\"").bytes(),
         "the entity list ends inside an entity"},
        {"quote never closed", MapBuilder().entityText("{ \"classname\" \"worldsp").bytes(),
         "the entity list ends inside a quoted text"},
        {"no entity", MapBuilder().entityText("classname worldspawn").bytes(),
         "the entity list holds \"classname\" where an entity should begin"},
        {"more models than the game allows", roomy,
         "the model list holds more than 1024 models, more than the game allows"},
        {"a floor walked over and over", looped, "the floors use more edges than the face edge list holds"},
        // The game refuses these as well (its "funny lump size", "no nodes", ...).
        {"part of a node", patched(good, lengthOf(BspLump::Nodes), 27),
         "the node list is not a whole number of 28-byte nodes"},
        {"no nodes", patched(good, lengthOf(BspLump::Nodes), 0), "the map has no nodes"},
        {"no leaves", patched(good, lengthOf(BspLump::Leaves), 0), "the map has no leaves"},
        {"another face's edges past their list", patched(good, faces + 20 * 5 + 4, 100000),
         "face 5's edges run past the end of the face edge list"},
    };
    expectRefused(damages, [](const std::string& bytes) { return readMapBytes(bytes); });
}

std::array<std::uint8_t, 768> greys() {
    std::array<std::uint8_t, 768> palette{};
    for (std::size_t i = 0; i < 768; ++i) palette[i] = static_cast<std::uint8_t>(i / 3);
    return palette;
}

TEST(PictureReader, ReadsTheGamesPictures) {
    // Three pixels wide (a padded line), a run and a value that needs a run of one.
    const std::vector<std::uint8_t> pixels = {7, 7, 7, 200, 1, 2};
    const auto read = readPcxBytes(pcxPicture(3, 2, pixels, greys()));
    ASSERT_TRUE(read) << read.error().describe();
    EXPECT_EQ(read.value().width, 3);
    EXPECT_EQ(read.value().height, 2);
    EXPECT_EQ(read.value().rgb,
              (std::vector<std::uint8_t>{7, 7, 7, 7, 7, 7, 7, 7, 7, 200, 200, 200, 1, 1, 1, 2, 2, 2}));

    TempDir dir;
    writeBytes(dir.path() / "a_i.pcx", std::string(kPcxMaxBytes + 1, '\x0a'));
    EXPECT_EQ(readPcxFile(dir.path() / "a_i.pcx").error().reason, "the picture file is larger than 4 MiB");
    EXPECT_EQ(readPcxFile(dir.path() / "b_i.pcx").error().reason, kMissingFileReason);
}

TEST(PictureReader, RefusesEveryKindOfDamageWithItsReason) {
    const std::string good = pcxPicture(4, 4, std::vector<std::uint8_t>(16, 3), greys());
    std::string eightPlanes = good;
    eightPlanes[65] = 3;
    const Damage damages[] = {
        {"short header", good.substr(0, 100), "the file is too short for a picture header"},
        {"another kind of file", "\x89PNG" + good.substr(4), "the file is not a PCX picture"},
        {"three planes", eightPlanes,
         "the picture is not of the game's kind (version 5, run-length encoded, 8 bits, one plane)"},
        {"no palette", good.substr(0, good.size() - 769), "the picture has no 256-colour palette at its end"},
        {"data cut short", good.substr(0, 130) + good.substr(good.size() - 769),
         "the picture's data ends before its last line"},
        {"too large", patched(good, 8, 5000), "the picture is larger than 1024 pixels a side"},
        {"lines shorter than the width", patched(good, 66, 2),
         "the picture's lines are shorter than its width"},
    };
    expectRefused(damages, [](const std::string& bytes) { return readPcxBytes(bytes); });
}

}  // namespace
}  // namespace vexmoor::testing
