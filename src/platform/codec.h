#pragma once

#include <array>
#include <optional>
#include <string>

#include <QString>

#include "core/code_page.h"
#include "core/utf8.h"

// Here rather than in the views: the platform's message boxes show model
// texts too, and the views sit above the platform, not beside it.

namespace vexmoor {

// The core keeps every text as bytes; which characters they stand for
// depends on who reads them, and that is the one rule of this file:
//
// - Game: texts of the game's files (roster, chat lines, maps, options)
//   are single bytes of the game's code page, Windows-1252.
// - System: texts the system itself reads (file names, paths, the command
//   line) are the system's bytes. On POSIX systems those are UTF-8; a byte
//   that is not part of a UTF-8 character shows as the code point
//   U+DC00 + byte, a lone surrogate that no UTF-8 text decodes to, so it
//   goes back as the same byte and a path is kept byte for byte even when
//   its name is not UTF-8. On Windows they are the code page's as well.
// - Message: message boxes are only read, and one may quote both a path and
//   a line of a game file: UTF-8 where the bytes form UTF-8 characters,
//   the code page elsewhere (on Windows the code page throughout).
enum class TextKind { Game, System, Message };

namespace codec_detail {

using code_page::byteFor;
using code_page::kHighControls;

inline char16_t codePageUnit(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

inline constexpr char16_t kEscapeBase = 0xDC00;

inline bool usesUtf8(TextKind kind) {
#ifdef _WIN32
    (void)kind;
    return false;
#else
    return kind != TextKind::Game;
#endif
}

// The position of the first character of a System text that has no bytes
// (a lone surrogate that is no escaped byte), or -1.
inline qsizetype firstWithoutBytes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (QChar::isSurrogate(unit) && !(unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF)) {
            return i;
        }
    }
    return -1;
}

}  // namespace codec_detail

// The characters the bytes stand for (see TextKind).
inline QString toQString(std::string_view bytes, TextKind kind = TextKind::Game) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    if (!codec_detail::usesUtf8(kind)) {
        for (const char c : bytes)
            text.append(QChar(codec_detail::codePageUnit(static_cast<unsigned char>(c))));
        return text;
    }
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char32_t code = 0;
        const std::size_t length = utf8::characterAt(bytes, i, code);
        if (length > 0) {
            const char32_t codes[] = {code};
            text.append(QString::fromUcs4(codes, 1));
            i += length;
            continue;
        }
        text.append(QChar(kind == TextKind::System ? char16_t(codec_detail::kEscapeBase + byte)
                                                   : codec_detail::codePageUnit(byte)));
        ++i;
    }
    return text;
}

// The bytes for a text, or nothing when it holds a character that the bytes
// of its kind cannot carry: for Game texts one outside the code page; for
// System texts on POSIX only a lone surrogate that is no escaped byte.
// Message texts are only shown, never read back.
inline std::optional<std::string> fromQString(const QString& text, TextKind kind = TextKind::Game) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    if (!codec_detail::usesUtf8(kind)) {
        for (const QChar c : text) {
            const auto byte = codec_detail::byteFor(c.unicode());
            if (!byte) return std::nullopt;
            bytes.push_back(*byte);
        }
        return bytes;
    }
    if (codec_detail::firstWithoutBytes(text) >= 0) return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit)) {
            utf8::append(bytes, QChar::surrogateToUcs4(unit, text[++i].unicode()));
        } else if (QChar::isLowSurrogate(unit)) {
            bytes.push_back(static_cast<char>(unit - codec_detail::kEscapeBase));
        } else {
            utf8::append(bytes, unit);
        }
    }
    return bytes;
}

// The first character of a text that its bytes cannot carry (empty when
// there is none), for telling the user what was refused.
inline QString firstUnencodable(const QString& text, TextKind kind = TextKind::Game) {
    if (codec_detail::usesUtf8(kind)) {
        const qsizetype at = codec_detail::firstWithoutBytes(text);
        return at < 0 ? QString() : text.mid(at, 1);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (codec_detail::byteFor(text[i].unicode())) continue;
        // A character outside the basic plane comes as a surrogate pair; take it whole.
        if (text[i].isHighSurrogate() && i + 1 < text.size()) return text.mid(i, 2);
        return text.mid(i, 1);
    }
    return {};
}

}  // namespace vexmoor
