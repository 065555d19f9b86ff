#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vexmoor::binary {

// Little-endian numbers of the game's binary files, read from bytes whose
// length the caller has already checked, on any host.

inline std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::int16_t i16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(u16(bytes, at));
}

inline std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(u16(bytes, at)) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

inline std::int32_t i32(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(u32(bytes, at));
}

inline float f32(std::string_view bytes, std::size_t at) { return std::bit_cast<float>(u32(bytes, at)); }

}  // namespace vexmoor::binary
