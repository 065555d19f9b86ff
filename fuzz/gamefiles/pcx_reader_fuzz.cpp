// Feeds arbitrary bytes to the picture reader. Beyond "no crash": a picture
// read is no larger than the reader allows, carries three bytes for each of
// its pixels, and every pixel's colour is one of its palette's 256.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "gamefiles/pcx_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::uint32_t colourAt(const std::uint8_t* rgb) {
    return std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = vexmoor::readPcxBytes(bytes);
    if (!read) {
        require(!read.error().reason.empty());
        return 0;
    }
    const vexmoor::Picture& picture = read.value();
    require(picture.width >= 1 && picture.width <= vexmoor::kPcxMaxSide);
    require(picture.height >= 1 && picture.height <= vexmoor::kPcxMaxSide);
    require(picture.rgb.size() == static_cast<std::size_t>(picture.width) * picture.height * 3);
    std::unordered_set<std::uint32_t> palette;
    for (std::size_t i = size - 768; i < size; i += 3) palette.insert(colourAt(data + i));
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3)
        require(palette.count(colourAt(&picture.rgb[i])) == 1);
    return 0;
}
