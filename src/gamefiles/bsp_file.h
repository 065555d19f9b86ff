#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// A compiled map of the game (.bsp, "IBSP" version 38): a header of 19
// lumps (offset and length each, little-endian), then the lumps. Maps come
// from anywhere: every lump, count and index is checked before it is used.
// Errors carry the reason only; the caller knows which file it was.

inline constexpr std::size_t kBspHeaderSize = 160;
// The largest map whose floor plan is read: our own bound on memory and
// time, not the game's; its own maps stay far below.
inline constexpr std::uint64_t kBspMaxBytes = 32u << 20;

enum class BspLump {
    Entities,
    Planes,
    Vertices,
    Visibility,
    Nodes,
    SurfaceInfo,
    Faces,
    Lighting,
    Leaves,
    LeafFaces,
    LeafBrushes,
    Edges,
    FaceEdges,
    Models,
    Brushes,
    BrushSides,
    Unused,
    Areas,
    AreaPortals,
};
inline constexpr std::size_t kBspLumps = 19;

// The surface flags a floor plan looks at.
inline constexpr std::uint32_t kSurfaceSky = 0x4;
inline constexpr std::uint32_t kSurfaceWarp = 0x8;  // water, slime, lava
inline constexpr std::uint32_t kSurfaceNoDraw = 0x80;
inline constexpr std::uint32_t kSurfaceHint = 0x100;
inline constexpr std::uint32_t kSurfaceSkip = 0x200;

struct BspHeader {
    struct Lump {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    std::array<Lump, kBspLumps> lumps;
    const Lump& operator[](BspLump lump) const { return lumps[static_cast<std::size_t>(lump)]; }
};

// The header of a map file of fileSize bytes: every lump lies inside the file.
Result<BspHeader> readBspHeader(std::string_view head, std::uint64_t fileSize);

// Why the game refuses to load a map, by the checks its loader makes: a list
// whose length is not a whole number of its records (the game's "funny lump
// size"), no nodes, no leaves or no world model, more models, planes,
// surfaces or entity bytes than it holds; nothing when it loads the map. It
// sets no limit on edges, faces or vertices.
std::optional<std::string> gameRefusal(const BspHeader& header);
// The same for the faces of a whole map: a face whose edges leave the face edge list.
std::optional<std::string> gameRefusalOfFaces(std::string_view file, const BspHeader& header);

// What the entity list tells about a map.
struct MapSummary {
    // The world's "message": the line the game shows while the map loads,
    // as the game makes it (its "\n" line breaks, and any control character,
    // become one blank; no blank at either end; at most 63 bytes, as the
    // game keeps). A byte of 128 or more is the game's coloured form of
    // the byte less 128, so it is that byte here; the others as they are.
    std::string title;
    // Entities left in a deathmatch game (spawnflags without 2048, "not in
    // deathmatch"): info_player_deathmatch in any letter case, as the game
    // finds its spawn points, and item_flag_team1 and item_flag_team2 as
    // written, as the game spawns its items.
    int spawnPoints = 0;
    bool bothFlags = false;
};
Result<MapSummary> readMapSummary(std::string_view entities);

// The map seen from above: the world's floors (faces whose plane faces up,
// as steep as a player can walk), less sky, invisible, hint and trigger or
// clip surfaces; liquids marked. Every point lies inside the world's bounds.
struct FloorPlan {
    enum class Surface : std::uint8_t { Floor, Water, Slime, Lava };
    struct Point {
        float x = 0;
        float y = 0;
    };
    struct Face {
        std::uint32_t first = 0;  // into points
        std::uint32_t count = 0;
        float height = 0;  // the mean height of its corners
        Surface surface = Surface::Floor;
    };
    std::array<float, 3> mins{};
    std::array<float, 3> maxs{};
    std::vector<Point> points;
    std::vector<Face> faces;  // lowest first, so drawn in order the upper floors cover the lower
};
// `file` is the whole map, the file the header was read from.
Result<FloorPlan> readFloorPlan(std::string_view file, const BspHeader& header);

// Everything at once from a whole map held in memory; a map the game refuses
// gives the reason as its error.
struct MapFacts {
    MapSummary summary;
    FloorPlan plan;
};
Result<MapFacts> readMapBytes(std::string_view file);

}  // namespace vexmoor
