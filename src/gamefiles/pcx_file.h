#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// A picture of the kind the game ships (.pcx version 5: 8 bits a pixel in
// one plane, run-length encoded, the 256-colour palette at the end behind a
// 0x0C byte), as red, green and blue bytes, row by row from the top. Files
// come from anywhere: every run and size is checked before it is used.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3
};

// The largest side read; skin faces are 32 pixels square.
inline constexpr int kPcxMaxSide = 1024;
// The largest file read: the biggest picture, every byte of it a run of one.
inline constexpr std::uintmax_t kPcxMaxBytes = 4u << 20;

Result<Picture> readPcxBytes(std::string_view file);
// A file on disk; one larger than kPcxMaxBytes is refused before it is read.
Result<Picture> readPcxFile(const std::filesystem::path& file);

}  // namespace vexmoor
