#include "support/game_file_writers.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vexmoor::testing {

namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void putFloat(std::string& out, float value) { put32(out, std::bit_cast<std::uint32_t>(value)); }

void putName(std::string& out, const std::string& name, std::size_t size) {
    std::string field = name.substr(0, size);
    field.resize(size, '\0');
    out += field;
}

std::uint16_t asShort(float value) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(value, -32768.f, 32767.f)));
}

}  // namespace

std::uint16_t MapBuilder::vertex(Vec at) {
    const auto [found, added] = vertexIndex_.emplace(std::array<float, 3>{at.x, at.y, at.z},
                                                     static_cast<std::uint16_t>(vertices_.size()));
    if (added) vertices_.push_back(at);
    return found->second;
}

std::uint32_t MapBuilder::plane(Vec normal, float distance) {
    for (std::size_t i = 0; i < planes_.size(); ++i) {
        const auto& [n, d] = planes_[i];
        if (n.x == normal.x && n.y == normal.y && n.z == normal.z && d == distance)
            return static_cast<std::uint32_t>(i);
    }
    planes_.emplace_back(normal, distance);
    return static_cast<std::uint32_t>(planes_.size() - 1);
}

std::uint16_t MapBuilder::surface(const std::string& texture, std::uint32_t flags) {
    const std::pair<std::string, std::uint32_t> wanted(texture, flags);
    const auto found = std::find(surfaces_.begin(), surfaces_.end(), wanted);
    if (found != surfaces_.end()) return static_cast<std::uint16_t>(found - surfaces_.begin());
    surfaces_.push_back(wanted);
    return static_cast<std::uint16_t>(surfaces_.size() - 1);
}

// As the map compiler does, a face looking down an axis lies on the plane
// looking up it, from the back.
void MapBuilder::face(Vec normal, const std::vector<Vec>& corners, const std::string& texture,
                      std::uint32_t flags) {
    const float distance = normal.x * corners[0].x + normal.y * corners[0].y + normal.z * corners[0].z;
    const bool back = normal.x + normal.y + normal.z == -1.f;
    Face made{back ? plane({-normal.x, -normal.y, -normal.z}, -distance) : plane(normal, distance),
              back,
              {},
              surface(texture, flags)};
    for (const Vec& corner : corners) made.corners.push_back(vertex(corner));
    faces_.push_back(std::move(made));
}

MapBuilder& MapBuilder::box(Vec a, Vec b, const std::string& texture, std::uint32_t flags) {
    face({0, 0, 1}, {{a.x, a.y, b.z}, {b.x, a.y, b.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}}, texture, flags);
    face({0, 0, -1}, {{a.x, a.y, a.z}, {a.x, b.y, a.z}, {b.x, b.y, a.z}, {b.x, a.y, a.z}}, texture, flags);
    face({1, 0, 0}, {{b.x, a.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}, {b.x, a.y, b.z}}, texture, flags);
    face({-1, 0, 0}, {{a.x, a.y, a.z}, {a.x, a.y, b.z}, {a.x, b.y, b.z}, {a.x, b.y, a.z}}, texture, flags);
    face({0, 1, 0}, {{a.x, b.y, a.z}, {a.x, b.y, b.z}, {b.x, b.y, b.z}, {b.x, b.y, a.z}}, texture, flags);
    face({0, -1, 0}, {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, a.y, b.z}, {a.x, a.y, b.z}}, texture, flags);
    return *this;
}

MapBuilder& MapBuilder::ramp(Vec a, Vec b, const std::string& texture) {
    const float rise = b.z - a.z;
    const float run = b.x - a.x;
    const float length = std::sqrt(rise * rise + run * run);
    face({-rise / length, 0, run / length},
         {{a.x, a.y, a.z}, {b.x, a.y, b.z}, {b.x, b.y, b.z}, {a.x, b.y, a.z}}, texture, 0);
    face({0, 0, -1}, {{a.x, a.y, a.z}, {a.x, b.y, a.z}, {b.x, b.y, a.z}, {b.x, a.y, a.z}}, texture, 0);
    face({1, 0, 0}, {{b.x, a.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}, {b.x, a.y, b.z}}, texture, 0);
    face({0, 1, 0}, {{a.x, b.y, a.z}, {b.x, b.y, b.z}, {b.x, b.y, a.z}}, texture, 0);
    face({0, -1, 0}, {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, a.y, b.z}}, texture, 0);
    return *this;
}

MapBuilder& MapBuilder::worldKey(const std::string& key, const std::string& value) {
    world_.emplace_back(key, value);
    return *this;
}

MapBuilder& MapBuilder::entity(const std::string& classname, Vec origin) {
    entities_.emplace_back(classname, origin);
    return *this;
}

MapBuilder& MapBuilder::entityText(std::string bytes) {
    rawEntities_ = true;
    entityBytes_ = std::move(bytes);
    return *this;
}

std::string MapBuilder::entityList() const {
    if (rawEntities_) return entityBytes_;
    const auto number = [](float value) { return std::to_string(static_cast<int>(std::lround(value))); };
    std::string text = "{\n";
    for (const auto& [key, value] : world_) text += '"' + key + "\" \"" + value + "\"\n";
    text += "}\n";
    for (const auto& [classname, at] : entities_)
        text += "{\n\"classname\" \"" + classname + "\"\n\"origin\" \"" + number(at.x) + ' ' + number(at.y) +
                ' ' + number(at.z) + "\"\n}\n";
    // The compiler ends the list as a text of the C language.
    return text + '\0';
}

std::string MapBuilder::bytes() const {
    std::vector<std::string> lumps(19);
    std::string& entities = lumps[0];
    std::string& planes = lumps[1];
    std::string& vertices = lumps[2];
    std::string& nodes = lumps[4];
    std::string& surfaces = lumps[5];
    std::string& faces = lumps[6];
    std::string& leaves = lumps[8];
    std::string& leafFaces = lumps[9];
    std::string& edges = lumps[11];
    std::string& faceEdges = lumps[12];
    std::string& models = lumps[13];
    std::string& areas = lumps[17];

    entities = entityList();
    auto allPlanes = planes_;
    if (allPlanes.empty()) allPlanes.emplace_back(Vec{0, 0, 1}, 0.f);
    for (const auto& [normal, distance] : allPlanes) {
        putFloat(planes, normal.x);
        putFloat(planes, normal.y);
        putFloat(planes, normal.z);
        putFloat(planes, distance);
        const float n[3] = {std::fabs(normal.x), std::fabs(normal.y), std::fabs(normal.z)};
        const auto axis = static_cast<std::uint32_t>(std::max_element(n, n + 3) - n);
        put32(planes, n[axis] == 1.f ? axis : axis + 3);
    }
    Vec mins{0, 0, 0};
    Vec maxs{0, 0, 0};
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        const Vec& v = vertices_[i];
        putFloat(vertices, v.x);
        putFloat(vertices, v.y);
        putFloat(vertices, v.z);
        mins = i == 0 ? v : Vec{std::min(mins.x, v.x), std::min(mins.y, v.y), std::min(mins.z, v.z)};
        maxs = i == 0 ? v : Vec{std::max(maxs.x, v.x), std::max(maxs.y, v.y), std::max(maxs.z, v.z)};
    }
    for (const auto& [texture, flags] : surfaces_) {
        // Texture axes: one unit of the world a texel, in x and y.
        for (const float axis : {1.f, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f}) putFloat(surfaces, axis);
        put32(surfaces, flags);
        put32(surfaces, 0);
        putName(surfaces, texture, 32);
        put32(surfaces, 0xffffffffu);
    }
    // Edge 0 stands for nothing: a face edge of -0 could not walk it backwards.
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::uint32_t> edgeIndex;
    put32(edges, 0);
    std::uint32_t edgeCount = 1;
    for (const Face& face : faces_) {
        put16(faces, face.plane);
        put16(faces, face.back ? 1 : 0);
        put32(faces, static_cast<std::uint32_t>(faceEdges.size() / 4));
        put16(faces, static_cast<std::uint32_t>(face.corners.size()));
        put16(faces, face.surface);
        put32(faces, 0xffffffffu);  // no light styles
        put32(faces, 0xffffffffu);  // no light map
        for (std::size_t c = 0; c < face.corners.size(); ++c) {
            const std::uint16_t from = face.corners[c];
            const std::uint16_t to = face.corners[(c + 1) % face.corners.size()];
            // An edge two faces share is stored once; the second walks it backwards.
            if (const auto shared = edgeIndex.find({to, from}); shared != edgeIndex.end()) {
                put32(faceEdges, static_cast<std::uint32_t>(-static_cast<std::int32_t>(shared->second)));
                continue;
            }
            edgeIndex[{from, to}] = edgeCount;
            put16(edges, from);
            put16(edges, to);
            put32(faceEdges, edgeCount++);
        }
    }
    const auto faceCount = static_cast<std::uint32_t>(faces_.size());
    for (const Vec& corner : {mins, maxs}) {
        putFloat(models, corner.x);
        putFloat(models, corner.y);
        putFloat(models, corner.z);
    }
    for (int i = 0; i < 3; ++i) putFloat(models, 0);
    put32(models, 0);  // head node
    put32(models, 0);  // first face
    put32(models, faceCount);

    // One node splits the world into a solid leaf and the leaf holding every face.
    put32(nodes, 0);
    put32(nodes, static_cast<std::uint32_t>(-1));
    put32(nodes, static_cast<std::uint32_t>(-2));
    for (const Vec& corner : {mins, maxs}) {
        put16(nodes, asShort(corner.x));
        put16(nodes, asShort(corner.y));
        put16(nodes, asShort(corner.z));
    }
    put16(nodes, 0);
    put16(nodes, std::min<std::uint32_t>(faceCount, 0xffff));
    for (const bool solid : {true, false}) {
        put32(leaves, solid ? 1 : 0);  // contents
        put16(leaves, 0xffff);         // no cluster
        put16(leaves, solid ? 0 : 1);  // area
        for (const Vec& corner : {mins, maxs}) {
            put16(leaves, asShort(corner.x));
            put16(leaves, asShort(corner.y));
            put16(leaves, asShort(corner.z));
        }
        put16(leaves, 0);
        put16(leaves, solid ? 0 : std::min<std::uint32_t>(faceCount, 0xffff));
        put16(leaves, 0);
        put16(leaves, 0);
    }
    for (std::uint32_t f = 0; f < std::min<std::uint32_t>(faceCount, 0xffff); ++f) put16(leafFaces, f);
    areas.assign(16, '\0');  // area 0 stands for none; area 1 holds the world

    std::string file = "IBSP";
    put32(file, 38);
    std::uint32_t offset = 160;
    for (const std::string& lump : lumps) {
        put32(file, offset);
        put32(file, static_cast<std::uint32_t>(lump.size()));
        offset += static_cast<std::uint32_t>((lump.size() + 3) / 4 * 4);
    }
    for (const std::string& lump : lumps) {
        file += lump;
        file.append((4 - lump.size() % 4) % 4, '\0');
    }
    return file;
}

std::uint32_t numberAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
}

std::string patched(std::string bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string pakArchive(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string data;
    std::string directory;
    for (const auto& [name, bytes] : files) {
        putName(directory, name, 56);
        put32(directory, static_cast<std::uint32_t>(12 + data.size()));
        put32(directory, static_cast<std::uint32_t>(bytes.size()));
        data += bytes;
    }
    std::string archive = "PACK";
    put32(archive, static_cast<std::uint32_t>(12 + data.size()));
    put32(archive, static_cast<std::uint32_t>(directory.size()));
    return archive + data + directory;
}

std::string pcxPicture(int width, int height, const std::vector<std::uint8_t>& indices,
                       const std::array<std::uint8_t, 768>& palette) {
    const int perLine = (width + 1) / 2 * 2;
    std::string file{0x0a, 5, 1, 8};
    for (const int value : {0, 0, width - 1, height - 1, 72, 72})
        put16(file, static_cast<std::uint32_t>(value));
    file.append(48, '\0');
    file += '\0';
    file += '\1';  // planes
    put16(file, static_cast<std::uint32_t>(perLine));
    put16(file, 1);  // a palette of colours
    file.append(128 - file.size(), '\0');
    for (int y = 0; y < height; ++y) {
        // Runs stay within a line, as the game's own pictures are written.
        for (int x = 0; x < perLine;) {
            const std::uint8_t value =
                x < width ? indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                    static_cast<std::size_t>(x)]
                          : 0;
            int run = 1;
            while (x + run < width && run < 63 &&
                   indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x + run)] == value)
                ++run;
            if (run > 1 || value >= 0xc0) file += static_cast<char>(0xc0 | run);
            file += static_cast<char>(value);
            x += run;
        }
    }
    file += '\x0c';
    for (const std::uint8_t c : palette) file += static_cast<char>(c);
    return file;
}

}  // namespace vexmoor::testing
