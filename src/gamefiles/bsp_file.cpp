#include "gamefiles/bsp_file.h"

#include <algorithm>
#include <cmath>

#include "gamefiles/binary.h"

namespace vexmoor {

namespace {

Error damaged(std::string reason) { return Error{{}, 0, std::move(reason)}; }

// Each list as the game's loader takes it: the size of its records (1 for
// bytes, 0 for the list it never reads) and the most records it holds (0:
// no limit of its own).
struct LumpKind {
    const char* name;
    std::size_t recordSize;
    std::size_t limit;
    const char* records;
};

constexpr LumpKind kLumps[kBspLumps] = {
    {"entity list", 1, 0x40000, "bytes"},
    {"plane list", 20, 65536, "planes"},
    {"vertex list", 12, 0, "vertices"},
    {"visibility data", 1, 0, "bytes"},
    {"node list", 28, 0, "nodes"},
    {"surface list", 76, 8192, "surfaces"},
    {"face list", 20, 0, "faces"},
    {"lighting data", 1, 0, "bytes"},
    {"leaf list", 28, 0, "leaves"},
    {"leaf face list", 2, 0, "leaf faces"},
    {"leaf brush list", 2, 0, "leaf brushes"},
    {"edge list", 4, 0, "edges"},
    {"face edge list", 4, 0, "face edges"},
    {"model list", 48, 1024, "models"},
    {"brush list", 12, 0, "brushes"},
    {"brush side list", 4, 0, "brush sides"},
    {"unused list", 0, 0, ""},
    {"area list", 8, 0, "areas"},
    {"area portal list", 8, 0, "area portals"},
};

const LumpKind& kindOf(BspLump lump) { return kLumps[static_cast<std::size_t>(lump)]; }

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string loweredText(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lowered(c);
    return result;
}

bool sameKey(std::string_view a, std::string_view b) { return loweredText(a) == loweredText(b); }

// The entity list's words as the game reads them: blanks and control
// characters separate, "//" starts a comment to the line end, double quotes
// enclose a text that may hold blanks.
class EntityWords {
public:
    explicit EntityWords(std::string_view text) : text_(text) {}

    // False at the end; an error inside a quoted text that never ends.
    Result<bool> next(std::string_view& word) {
        for (;;) {
            while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) <= ' ') ++at_;
            if (text_.substr(at_, 2) != "//") break;
            at_ = std::min(text_.find('\n', at_), text_.size());
        }
        if (at_ >= text_.size()) return false;
        if (text_[at_] == '"') {
            const std::size_t end = text_.find('"', at_ + 1);
            if (end == std::string_view::npos) return damaged("the entity list ends inside a quoted text");
            word = text_.substr(at_ + 1, end - at_ - 1);
            at_ = end + 1;
            return true;
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) > ' ') ++at_;
        word = text_.substr(start, at_ - start);
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// The message as the game shows it: "\n" breaks the line and a backslash
// before anything else stays a backslash (the character after it is lost);
// the game keeps 63 bytes; then line breaks and other control characters
// become blanks, one for a run, none at either end. A byte of 128 or more
// the game draws as the coloured form of the byte less 128, so that is the
// letter shown; one that comes out a control character (or DEL) is none.
std::string titleOf(std::string_view message) {
    std::string kept;
    for (std::size_t i = 0; i < message.size() && kept.size() < 63; ++i) {
        if (message[i] == '\\' && i + 1 < message.size())
            kept += message[++i] == 'n' ? '\n' : '\\';
        else
            kept += static_cast<char>(static_cast<unsigned char>(message[i]) & 0x7f);
    }
    std::string title;
    bool blank = false;
    for (const char c : kept) {
        if (c <= ' ' || c == 0x7f) {
            blank = true;
            continue;
        }
        if (blank && !title.empty()) title += ' ';
        blank = false;
        title += c;
    }
    return title;
}

// A number as C's atoi reads it on the game's system: blanks skipped, a
// sign, digits up to the first other character, held within 32 bits.
std::int64_t atoiNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    const bool minus = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min<std::int64_t>(value * 10 + (text[at] - '0'), std::int64_t{1} << 31);
    return minus ? -value : std::min<std::int64_t>(value, 0x7fffffff);
}

// Entities the game removes before a deathmatch starts.
constexpr std::int64_t kNotInDeathmatch = 2048;

// The last part of a texture's name ("e1u1/trigger" gives "trigger").
std::string_view lastPart(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

constexpr float kWalkable = 0.7f;  // the steepest floor a player walks up
constexpr float kTolerance = 16;   // how far past the world's bounds a corner is taken as on them
constexpr float kLargestBound = 1 << 20;

}  // namespace

Result<BspHeader> readBspHeader(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < kBspHeaderSize || fileSize < kBspHeaderSize)
        return damaged("the file is too short for a map header");
    if (head.substr(0, 4) != "IBSP")
        return damaged("the file is not a compiled map (it does not begin with IBSP)");
    if (const std::int32_t version = binary::i32(head, 4); version != 38)
        return damaged("the map is of version " + std::to_string(version) + ", not 38 (a Quake 2 map)");
    BspHeader header;
    for (std::size_t i = 0; i < kBspLumps; ++i) {
        BspHeader::Lump& lump = header.lumps[i];
        lump = {binary::u32(head, 8 + i * 8), binary::u32(head, 12 + i * 8)};
        const std::string the = std::string("the ") + kLumps[i].name;
        if (lump.offset > 0x7fffffffu || lump.length > 0x7fffffffu)
            return damaged(the + "'s offset or length is negative");
        if (std::uint64_t{lump.offset} + lump.length > fileSize)
            return damaged(the + " runs past the end of the file");
    }
    return header;
}

std::optional<std::string> gameRefusal(const BspHeader& header) {
    for (std::size_t i = 0; i < kBspLumps; ++i) {
        const LumpKind& kind = kLumps[i];
        const std::uint32_t length = header.lumps[i].length;
        if (kind.recordSize == 0) continue;
        const std::string the = std::string("the ") + kind.name;
        if (length % kind.recordSize != 0)
            return the + " is not a whole number of " + std::to_string(kind.recordSize) + "-byte " +
                   kind.records;
        if (kind.limit != 0 && length / kind.recordSize > kind.limit)
            return the + " holds more than " + std::to_string(kind.limit) + " " + kind.records +
                   ", more than the game allows";
    }
    if (header[BspLump::Nodes].length == 0) return "the map has no nodes";
    if (header[BspLump::Leaves].length == 0) return "the map has no leaves";
    if (header[BspLump::Models].length == 0) return "the map has no world model";
    return std::nullopt;
}

std::optional<std::string> gameRefusalOfFaces(std::string_view file, const BspHeader& header) {
    const std::string_view faces = file.substr(header[BspLump::Faces].offset, header[BspLump::Faces].length);
    const std::uint64_t faceEdges = header[BspLump::FaceEdges].length / kindOf(BspLump::FaceEdges).recordSize;
    for (std::size_t at = 0; at + 20 <= faces.size(); at += 20) {
        const std::int32_t firstEdge = binary::i32(faces, at + 4);
        const std::int16_t edgeCount = binary::i16(faces, at + 8);
        if (edgeCount < 0 || firstEdge < 0 || std::uint64_t(firstEdge) + std::uint64_t(edgeCount) > faceEdges)
            return "face " + std::to_string(at / 20) + "'s edges run past the end of the face edge list";
    }
    return std::nullopt;
}

Result<MapSummary> readMapSummary(std::string_view entities) {
    // The list is a text of the C language: it ends at the first zero byte.
    EntityWords words(entities.substr(0, entities.find('\0')));
    MapSummary summary;
    bool flag1 = false;
    bool flag2 = false;
    int count = 0;
    std::string_view word;
    for (;;) {
        auto more = words.next(word);
        if (!more) return more.error();
        if (!more.value()) break;
        if (word.empty() || word.front() != '{')
            return damaged("the entity list holds \"" + std::string(word.substr(0, 32)) +
                           "\" where an entity should begin");
        std::string_view classname;
        std::string_view message;
        std::int64_t spawnFlags = 0;
        for (;;) {
            std::string_view key;
            std::string_view value;
            more = words.next(key);
            if (!more) return more.error();
            if (!more.value()) return damaged("the entity list ends inside an entity");
            if (!key.empty() && key.front() == '}') break;
            more = words.next(value);
            if (!more) return more.error();
            if (!more.value()) return damaged("the entity list ends inside an entity");
            if (!value.empty() && value.front() == '}') return damaged("an entity's last key has no value");
            if (sameKey(key, "classname")) classname = value;
            if (sameKey(key, "message")) message = value;
            if (sameKey(key, "spawnflags")) spawnFlags = atoiNumber(value);
        }
        // The first entity is the world; its message is the map's title.
        if (count++ == 0 && classname == "worldspawn") summary.title = titleOf(message);
        if (spawnFlags & kNotInDeathmatch) continue;
        if (sameKey(classname, "info_player_deathmatch")) ++summary.spawnPoints;
        flag1 = flag1 || classname == "item_flag_team1";
        flag2 = flag2 || classname == "item_flag_team2";
    }
    if (count == 0) return damaged("the entity list is empty");
    summary.bothFlags = flag1 && flag2;
    return summary;
}

Result<FloorPlan> readFloorPlan(std::string_view file, const BspHeader& header) {
    const auto lump = [&](BspLump which) { return file.substr(header[which].offset, header[which].length); };
    const auto records = [&](BspLump which) { return header[which].length / kindOf(which).recordSize; };
    if (file.size() > kBspMaxBytes)
        return damaged("the map is larger than " + std::to_string(kBspMaxBytes >> 20) + " MiB");
    const std::string_view models = lump(BspLump::Models);
    const std::string_view planes = lump(BspLump::Planes);
    const std::string_view vertices = lump(BspLump::Vertices);
    const std::string_view surfaces = lump(BspLump::SurfaceInfo);
    const std::string_view faces = lump(BspLump::Faces);
    const std::string_view edges = lump(BspLump::Edges);
    const std::string_view faceEdges = lump(BspLump::FaceEdges);
    if (records(BspLump::Models) == 0) return damaged("the map has no world model");

    FloorPlan plan;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        plan.mins[axis] = binary::f32(models, axis * 4);
        plan.maxs[axis] = binary::f32(models, 12 + axis * 4);
        if (!(plan.mins[axis] <= plan.maxs[axis]) || !(std::fabs(plan.mins[axis]) <= kLargestBound) ||
            !(std::fabs(plan.maxs[axis]) <= kLargestBound))
            return damaged("the world's bounds are not usable");
    }
    const std::int32_t firstFace = binary::i32(models, 40);
    const std::int32_t faceCount = binary::i32(models, 44);
    if (firstFace < 0 || faceCount < 0 ||
        std::uint64_t(firstFace) + std::uint64_t(faceCount) > records(BspLump::Faces))
        return damaged("the world's faces run past the end of the face list");

    // What each surface is, once: most faces share a handful.
    constexpr auto kLeftOut = static_cast<FloorPlan::Surface>(0xff);
    std::vector<FloorPlan::Surface> kinds(records(BspLump::SurfaceInfo), FloorPlan::Surface::Floor);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const std::uint32_t flags = binary::u32(surfaces, i * 76 + 32);
        const std::string_view texture = surfaces.substr(i * 76 + 40, 32);
        const std::string name = loweredText(texture.substr(0, texture.find('\0')));
        if (flags & (kSurfaceSky | kSurfaceNoDraw | kSurfaceHint | kSurfaceSkip) ||
            lastPart(name) == "trigger" || lastPart(name) == "clip")
            kinds[i] = kLeftOut;
        else if (flags & kSurfaceWarp)
            kinds[i] = name.find("lava") != std::string::npos    ? FloorPlan::Surface::Lava
                       : name.find("slime") != std::string::npos ? FloorPlan::Surface::Slime
                                                                 : FloorPlan::Surface::Water;
    }

    const auto inside = [&](float value, std::size_t axis, float& kept) {
        if (!(value >= plan.mins[axis] - kTolerance && value <= plan.maxs[axis] + kTolerance)) return false;
        kept = std::clamp(value, plan.mins[axis], plan.maxs[axis]);
        return true;
    };
    // Each face has edges of its own in a compiled map; faces that share them
    // over and over could make a plan far larger than the file, so no more
    // corners are walked than the face edge list holds.
    std::uint64_t walked = 0;
    for (std::int32_t f = firstFace; f < firstFace + faceCount; ++f) {
        const std::size_t at = static_cast<std::size_t>(f) * 20;
        const auto face = [f] { return "face " + std::to_string(f); };
        const std::uint16_t planeIndex = binary::u16(faces, at);
        const std::int32_t firstEdge = binary::i32(faces, at + 4);
        const std::int16_t edgeCount = binary::i16(faces, at + 8);
        const std::int16_t surfaceIndex = binary::i16(faces, at + 10);
        if (planeIndex >= records(BspLump::Planes))
            return damaged(face() + " names a plane the map does not have");
        if (surfaceIndex < 0 || static_cast<std::size_t>(surfaceIndex) >= kinds.size())
            return damaged(face() + " names a surface the map does not have");
        const FloorPlan::Surface kind = kinds[static_cast<std::size_t>(surfaceIndex)];
        if (kind == kLeftOut) continue;
        // A face on the back of its plane looks the other way.
        const float up =
            binary::f32(planes, planeIndex * std::size_t{20} + 8) * (binary::i16(faces, at + 2) ? -1.f : 1.f);
        if (!(up >= kWalkable)) continue;

        if (edgeCount < 0 || firstEdge < 0 ||
            std::uint64_t(firstEdge) + std::uint64_t(edgeCount) > records(BspLump::FaceEdges))
            return damaged(face() + "'s edges run past the end of the face edge list");
        if (edgeCount < 3) continue;
        walked += static_cast<std::uint64_t>(edgeCount);
        if (walked > records(BspLump::FaceEdges))
            return damaged("the floors use more edges than the face edge list holds");
        FloorPlan::Face floor{static_cast<std::uint32_t>(plan.points.size()),
                              static_cast<std::uint32_t>(edgeCount), 0, FloorPlan::Surface::Floor};
        bool kept = true;
        double heights = 0;
        for (std::int32_t e = firstEdge; e < firstEdge + edgeCount; ++e) {
            const std::int32_t edge = binary::i32(faceEdges, static_cast<std::size_t>(e) * 4);
            // A negative number walks its edge backwards: from its second vertex.
            const std::int64_t index = edge < 0 ? -std::int64_t{edge} : edge;
            if (static_cast<std::uint64_t>(index) >= records(BspLump::Edges))
                return damaged(face() + " names an edge the map does not have");
            const std::uint16_t vertex =
                binary::u16(edges, static_cast<std::size_t>(index) * 4 + (edge < 0 ? 2 : 0));
            if (vertex >= records(BspLump::Vertices))
                return damaged(face() + " names a vertex the map does not have");
            FloorPlan::Point point;
            float height = 0;
            const std::size_t v = vertex * std::size_t{12};
            kept = kept && inside(binary::f32(vertices, v), 0, point.x) &&
                   inside(binary::f32(vertices, v + 4), 1, point.y) &&
                   inside(binary::f32(vertices, v + 8), 2, height);
            heights += height;
            plan.points.push_back(point);
        }
        // A corner far outside the world is no floor a player stands on.
        if (!kept) {
            plan.points.resize(floor.first);
            continue;
        }
        floor.height = static_cast<float>(heights / edgeCount);
        floor.surface = kind;
        plan.faces.push_back(floor);
    }
    std::stable_sort(plan.faces.begin(), plan.faces.end(),
                     [](const FloorPlan::Face& a, const FloorPlan::Face& b) { return a.height < b.height; });
    return plan;
}

Result<MapFacts> readMapBytes(std::string_view file) {
    const auto header = readBspHeader(file, file.size());
    if (!header) return header.error();
    if (auto refused = gameRefusal(header.value())) return damaged(std::move(*refused));
    if (auto refused = gameRefusalOfFaces(file, header.value())) return damaged(std::move(*refused));
    auto summary = readMapSummary(
        file.substr(header.value()[BspLump::Entities].offset, header.value()[BspLump::Entities].length));
    if (!summary) return summary.error();
    auto plan = readFloorPlan(file, header.value());
    if (!plan) return plan.error();
    return MapFacts{std::move(summary).value(), std::move(plan).value()};
}

}  // namespace vexmoor
