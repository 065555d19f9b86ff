// Feeds arbitrary bytes to the map reader, as a whole map and as an entity
// list alone. Beyond "no crash": every point of a floor plan lies inside the
// map's bounds, every face's corners among the plan's points, faces lowest
// first, no more corners than the face edge list holds; the title never
// holds a byte the file did not (its bytes other than the blanks that stand
// for line breaks come in the file's order, those of 128 and more less 128,
// as the game draws them), nor a byte of 128 or more, a control character,
// a blank at either end or two blanks together, nor more than the game's 63
// bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gamefiles/bsp_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void requireTitleFrom(const std::string& title, std::string_view file) {
    require(title.size() <= 63);
    require(title.empty() || (title.front() != ' ' && title.back() != ' '));
    std::size_t at = 0;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const char c = title[i];
        require(c >= ' ' && c < 0x7f);
        if (c == ' ') {
            require(title[i + 1] != ' ');
            continue;
        }
        while (at < file.size() && (static_cast<unsigned char>(file[at]) & 0x7f) != c) ++at;
        require(at < file.size());
        ++at;
    }
}

void requireSummary(const vexmoor::MapSummary& summary, std::string_view file) {
    requireTitleFrom(summary.title, file);
    // Each spawn point's class name takes its 22 bytes of the file.
    require(summary.spawnPoints >= 0 && static_cast<std::size_t>(summary.spawnPoints) * 22 <= file.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto summary = vexmoor::readMapSummary(bytes)) requireSummary(summary.value(), bytes);

    const auto read = vexmoor::readMapBytes(bytes);
    if (!read) {
        require(!read.error().reason.empty());
        return 0;
    }
    requireSummary(read.value().summary, bytes);
    const vexmoor::FloorPlan& plan = read.value().plan;
    const auto header = vexmoor::readBspHeader(bytes, size);
    require(header && plan.points.size() <= header.value()[vexmoor::BspLump::FaceEdges].length / 4);
    for (const vexmoor::FloorPlan::Point& point : plan.points) {
        require(point.x >= plan.mins[0] && point.x <= plan.maxs[0]);
        require(point.y >= plan.mins[1] && point.y <= plan.maxs[1]);
    }
    for (std::size_t f = 0; f < plan.faces.size(); ++f) {
        const vexmoor::FloorPlan::Face& face = plan.faces[f];
        require(face.count >= 3 && std::uint64_t{face.first} + face.count <= plan.points.size());
        require(face.height >= plan.mins[2] && face.height <= plan.maxs[2]);
        require(f == 0 || plan.faces[f - 1].height <= face.height);
    }
    return 0;
}
