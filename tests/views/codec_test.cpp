#include <gtest/gtest.h>

#include <string>

#include "platform/codec.h"

namespace vexmoor {
namespace {

TEST(Codec, EveryByteSurvivesTheRoundTrip) {
    for (int value = 1; value <= 255; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const QString shown = toQString(byte);
        ASSERT_EQ(shown.size(), 1) << "byte " << value;
        const auto back = fromQString(shown);
        ASSERT_TRUE(back.has_value()) << "byte " << value;
        EXPECT_EQ(*back, byte) << "byte " << value;
    }
}

TEST(Codec, EveryByteShowsAsItsOwnCharacter) {
    QString all;
    for (int value = 1; value <= 255; ++value) all += toQString(std::string(1, static_cast<char>(value)));
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j)
            ASSERT_NE(all[i], all[j]) << "bytes " << i + 1 << " and " << j + 1;
}

TEST(Codec, ShowsTheWindowsWesternCharacters) {
    EXPECT_EQ(toQString("\x80"), QString(QChar(0x20AC)));  // euro sign
    EXPECT_EQ(toQString("\x93quoted\x94"), QString(QChar(0x201C)) + "quoted" + QChar(0x201D));
    EXPECT_EQ(toQString("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(toQString("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    // The bytes the code page leaves undefined keep their own value.
    for (const int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(toQString(std::string(1, static_cast<char>(undefined))),
                  QString(QChar(static_cast<char16_t>(undefined))));
}

TEST(Codec, RefusesWhatTheCodePageCannotHold) {
    EXPECT_FALSE(fromQString(QString::fromUtf8("\xE4\xB8\xAD")).has_value());  // a CJK character
    EXPECT_FALSE(fromQString(QString(QChar(0x0080))).has_value());  // a control the page does not use
    EXPECT_FALSE(
        fromQString(QString::fromUtf8("ok \xF0\x9F\x8E\xAE")).has_value());  // outside the basic plane
    EXPECT_EQ(fromQString(QString::fromUtf8("\xE2\x82\xAC 5")), std::optional<std::string>("\x80 5"));
}

TEST(Codec, NamesTheFirstRefusedCharacterWhole) {
    EXPECT_EQ(firstUnencodable(QStringLiteral("plain")), QString());
    EXPECT_EQ(firstUnencodable(QString::fromUtf8("a\xE4\xB8\xAD"
                                                 "b\xE4\xB8\x80")),
              QString::fromUtf8("\xE4\xB8\xAD"));
    EXPECT_EQ(firstUnencodable(QString::fromUtf8("x\xF0\x9F\x8E\xAE")).size(), 2);
}

#ifndef _WIN32

TEST(Codec, SystemTextsAreUtf8AndEveryByteGoesBackAsItCame) {
    const std::string path = "/home/zo\xC3\xAB/Spiele/quake2/\xF0\x9F\x8E\xAE/";
    EXPECT_EQ(toQString(path, TextKind::System), QString::fromUtf8(path.c_str()));
    EXPECT_EQ(fromQString(QString::fromUtf8(path.c_str()), TextKind::System), path);
    // A byte that belongs to no UTF-8 character stands for itself.
    EXPECT_EQ(toQString("zo\xEB/", TextKind::System),
              QStringLiteral("zo") + QChar(0xDCEB) + QLatin1Char('/'));
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(fromQString(toQString(bytes, TextKind::System), TextKind::System), bytes)
                << first << " " << second;
        }
    }
    // Overlong forms, surrogates, code points past U+10FFFF and characters
    // cut short are no UTF-8: each of their bytes shows on its own.
    for (const std::string bytes : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                    "\xE2\x82", "\xF0\x9F\x8E", "\xF8\x88\x80\x80\x80"}) {
        const QString shown = toQString(bytes, TextKind::System);
        EXPECT_EQ(shown.size(), static_cast<qsizetype>(bytes.size())) << bytes;
        EXPECT_EQ(fromQString(shown, TextKind::System), bytes) << bytes;
    }
    // Only a lone surrogate that is no escaped byte has no bytes.
    for (const char16_t lone : {char16_t{0xD800}, char16_t{0xDC41}, char16_t{0xDFFF}}) {
        const QString text = QStringLiteral("a") + QChar(lone);
        EXPECT_FALSE(fromQString(text, TextKind::System).has_value());
        EXPECT_EQ(firstUnencodable(text, TextKind::System), QString(QChar(lone)));
    }
}

// A message may name a file and quote a line of a game file at once.
TEST(Codec, MessagesShowUtf8WhereItIsAndTheCodePageElsewhere) {
    EXPECT_EQ(toQString("/home/zo\xC3\xAB/eraser/bots.cfg: \"Andr\xE9\" \x80", TextKind::Message),
              QString::fromUtf8("/home/zo\xC3\xAB/eraser/bots.cfg: \"Andr\xC3\xA9\" \xE2\x82\xAC"));
}

#endif

}  // namespace
}  // namespace vexmoor
