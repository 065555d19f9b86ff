#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vexmoor::testing {

// Writers of the game's binary files, for tests, benchmarks, fuzz seeds and
// the demo. Everything they make is our own invention.

// A compiled map (IBSP version 38) built from solid boxes and ramps: every
// lump the game's map loader reads, with the world model's faces, planes,
// edges and surfaces, one node over two leaves, and the entity list.
class MapBuilder {
public:
    struct Vec {
        float x = 0;
        float y = 0;
        float z = 0;
    };

    // A solid box; its faces carry the texture and surface flags given.
    MapBuilder& box(Vec min, Vec max, const std::string& texture = "vex/stone", std::uint32_t flags = 0);
    // A wedge over min..max rising along x, from min.z at min.x to max.z at max.x.
    MapBuilder& ramp(Vec min, Vec max, const std::string& texture = "vex/stone");
    // A key of the world's entity (the first): "message" is the title.
    MapBuilder& worldKey(const std::string& key, const std::string& value);
    // A point entity of that class at a place.
    MapBuilder& entity(const std::string& classname, Vec origin);
    // Replaces the whole entity list with these bytes.
    MapBuilder& entityText(std::string bytes);

    std::string bytes() const;

private:
    struct Face {
        std::uint32_t plane;
        bool back;
        std::vector<std::uint16_t> corners;
        std::uint16_t surface;
    };
    std::uint16_t vertex(Vec at);
    std::uint32_t plane(Vec normal, float distance);
    std::uint16_t surface(const std::string& texture, std::uint32_t flags);
    void face(Vec normal, const std::vector<Vec>& corners, const std::string& texture, std::uint32_t flags);
    std::string entityList() const;

    std::vector<Vec> vertices_;
    std::map<std::array<float, 3>, std::uint16_t> vertexIndex_;
    std::vector<std::pair<Vec, float>> planes_;
    std::vector<std::pair<std::string, std::uint32_t>> surfaces_;
    std::vector<Face> faces_;
    std::vector<std::pair<std::string, std::string>> world_{{"classname", "worldspawn"}};
    std::vector<std::pair<std::string, Vec>> entities_;
    bool rawEntities_ = false;
    std::string entityBytes_;
};

// The little-endian number at `at` of a file's bytes, and the bytes with
// another number there: damage made to measure.
std::uint32_t numberAt(const std::string& bytes, std::size_t at);
std::string patched(std::string bytes, std::size_t at, std::uint32_t value);
// Where a map's header keeps the offset of a lump (the length follows it).
constexpr std::size_t lumpEntry(int lump) { return 8 + 8 * static_cast<std::size_t>(lump); }

// A .pak archive holding these files (name, bytes), the directory last.
std::string pakArchive(const std::vector<std::pair<std::string, std::string>>& files);

// A PCX picture (version 5, 8 bits, run-length encoded) of palette indices,
// row by row, with its 256-colour palette.
std::string pcxPicture(int width, int height, const std::vector<std::uint8_t>& indices,
                       const std::array<std::uint8_t, 768>& palette);

}  // namespace vexmoor::testing
