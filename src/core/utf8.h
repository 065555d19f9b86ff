#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the desktop and JSON speak it; the game's own texts are single
// bytes of its code page (code_page.h) and never pass through here.

namespace vexmoor::utf8 {

inline void append(std::string& bytes, char32_t code) {
    const auto add = [&bytes](char32_t value) { bytes.push_back(static_cast<char>(value)); };
    if (code < 0x80) {
        add(code);
    } else if (code < 0x800) {
        add(0xC0 | (code >> 6));
        add(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        add(0xE0 | (code >> 12));
        add(0x80 | ((code >> 6) & 0x3F));
        add(0x80 | (code & 0x3F));
    } else {
        add(0xF0 | (code >> 18));
        add(0x80 | ((code >> 12) & 0x3F));
        add(0x80 | ((code >> 6) & 0x3F));
        add(0x80 | (code & 0x3F));
    }
}

// The number of bytes of the well-formed character at `at` and its code
// point, or 0 when none begins there (a stray continuation byte, an
// overlong form, a surrogate, a code point beyond U+10FFFF, a character
// cut short).
inline std::size_t characterAt(std::string_view text, std::size_t at, char32_t& code) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80) {
        code = first;
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0) low = 0xA0;
        if (first == 0xED) high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0) low = 0x90;
        if (first == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    code = first & (0xFFu >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    return length;
}

}  // namespace vexmoor::utf8
