#pragma once

#include <array>
#include <optional>
#include <string>

#include <QString>

#include "core/code_page.h"

// Kept in the header: the Qt ports of the platform layer show model texts
// too, and they do not link the views.

namespace vexmoor {

namespace codec_detail {

using code_page::byteFor;
using code_page::kHighControls;

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
