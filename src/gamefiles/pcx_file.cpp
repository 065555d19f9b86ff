#include "gamefiles/pcx_file.h"

#include <system_error>

#include "core/ports.h"
#include "gamefiles/binary.h"

namespace vexmoor {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 769;  // the marker, then 256 colours

Error damaged(std::string reason) { return Error{{}, 0, std::move(reason)}; }

}  // namespace

Result<Picture> readPcxBytes(std::string_view file) {
    if (file.size() < kHeaderSize) return damaged("the file is too short for a picture header");
    if (file[0] != 0x0a) return damaged("the file is not a PCX picture");
    if (file[1] != 5 || file[2] != 1 || file[3] != 8 || file[65] != 1)
        return damaged(
            "the picture is not of the game's kind (version 5, run-length encoded, 8 bits, one plane)");
    const int width = binary::u16(file, 8) - binary::u16(file, 4) + 1;
    const int height = binary::u16(file, 10) - binary::u16(file, 6) + 1;
    const std::size_t perLine = binary::u16(file, 66);
    if (width < 1 || height < 1) return damaged("the picture's size is not usable");
    if (width > kPcxMaxSide || height > kPcxMaxSide)
        return damaged("the picture is larger than " + std::to_string(kPcxMaxSide) + " pixels a side");
    if (perLine < static_cast<std::size_t>(width))
        return damaged("the picture's lines are shorter than its width");
    if (file.size() < kHeaderSize + kPaletteSize || file[file.size() - kPaletteSize] != 0x0c)
        return damaged("the picture has no 256-colour palette at its end");

    const std::string_view palette = file.substr(file.size() - kPaletteSize + 1);
    const std::string_view data = file.substr(kHeaderSize, file.size() - kHeaderSize - kPaletteSize);
    Picture picture{width, height, {}};
    picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    // Runs may go on from one line into the next; the bytes past the width
    // of each line are padding.
    const std::size_t total = perLine * static_cast<std::size_t>(height);
    std::size_t at = 0;
    for (std::size_t done = 0; done < total;) {
        if (at >= data.size()) return damaged("the picture's data ends before its last line");
        auto value = static_cast<unsigned char>(data[at++]);
        std::size_t run = 1;
        if ((value & 0xc0) == 0xc0) {
            run = value & 0x3fu;
            if (at >= data.size()) return damaged("the picture's data ends before its last line");
            value = static_cast<unsigned char>(data[at++]);
        }
        for (; run > 0 && done < total; --run, ++done) {
            const std::size_t column = done % perLine;
            if (column >= static_cast<std::size_t>(width)) continue;
            const std::size_t pixel = (done / perLine) * static_cast<std::size_t>(width) + column;
            for (std::size_t c = 0; c < 3; ++c)
                picture.rgb[pixel * 3 + c] = static_cast<std::uint8_t>(palette[value * std::size_t{3} + c]);
        }
    }
    return picture;
}

Result<Picture> readPcxFile(const std::filesystem::path& file) {
    const auto named = [&](std::string reason) { return Error{pathText(file), 0, std::move(reason)}; };
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return named(error == std::errc::no_such_file_or_directory ? kMissingFileReason : error.message());
    if (size > kPcxMaxBytes)
        return named("the picture file is larger than " + std::to_string(kPcxMaxBytes >> 20) + " MiB");
    auto bytes = readWholeFile(file);
    if (!bytes) return bytes.error();
    auto picture = readPcxBytes(bytes.value());
    if (!picture) return named(picture.error().reason);
    return picture;
}

}  // namespace vexmoor
