#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexmoor::code_page {

// The game's files, the settings file and every text the program keeps are
// single bytes of Windows-1252. Bytes 0x80 to 0x9F are listed here; the rest
// of the code page matches Latin-1. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the code points of the
// same value, so every byte survives the trip to UTF-16 and back.
inline constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char16_t toUnicode(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

// The byte for a UTF-16 unit, or nothing when the code page cannot hold it.
constexpr std::optional<char> byteFor(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(static_cast<unsigned char>(unit));
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    return std::nullopt;
}

// The wide text that Windows calls take for the program's bytes, and back. A
// character the code page cannot hold comes back as "?", as Windows' own
// conversion to an 8-bit code page gives it.
inline std::wstring widened(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes) text.push_back(static_cast<wchar_t>(toUnicode(c)));
    return text;
}

inline std::string narrowed(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t unit : text) {
        const auto code = static_cast<std::uint32_t>(unit);
        const auto byte = code <= 0xFFFF ? byteFor(static_cast<char16_t>(code)) : std::nullopt;
        bytes.push_back(byte.value_or('?'));
    }
    return bytes;
}

}  // namespace vexmoor::code_page
