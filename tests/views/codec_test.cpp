#include <gtest/gtest.h>

#include <string>

#include "views/codec.h"

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

}  // namespace
}  // namespace vexmoor
