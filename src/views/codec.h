#pragma once

#include <array>
#include <optional>
#include <string>

#include <QString>

// Kept in the header: the Qt ports of the platform layer show model texts
// too, and they do not link the views.

namespace vexmoor {

namespace codec_detail {

// Bytes 0x80 to 0x9F; the rest of the code page matches Latin-1. The five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand
// for the code points of the same value, so every byte survives the trip.
inline constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

inline std::optional<char> byteFor(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(static_cast<unsigned char>(unit));
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    return std::nullopt;
}

}  // namespace codec_detail

// The core keeps every text as the single bytes of the game's files; the
// views show them as Windows-1252.
inline QString toQString(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(
            QChar(byte >= 0x80 && byte < 0xA0 ? codec_detail::kHighControls[byte - 0x80] : char16_t{byte}));
    }
    return text;
}

// The bytes for a text, or nothing when it holds a character the code page
// cannot hold.
inline std::optional<std::string> fromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const auto byte = codec_detail::byteFor(c.unicode());
        if (!byte) return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

// The first character of a text that the code page cannot hold (empty when
// there is none), for telling the user what was refused.
inline QString firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (codec_detail::byteFor(text[i].unicode())) continue;
        // A character outside the basic plane comes as a surrogate pair; take it whole.
        if (text[i].isHighSurrogate() && i + 1 < text.size()) return text.mid(i, 2);
        return text.mid(i, 1);
    }
    return {};
}

}  // namespace vexmoor
