#include "core/item_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vexmoor {
namespace {

// One read: 'T' for readText, 'V' for readValue; what it gives ("<end>" when
// nothing is left), whether it was quoted and the line it began on.
struct Read {
    char kind;
    std::string text;
    bool quoted = false;
    int line = 1;
};

struct ReaderCase {
    const char* what;
    std::string bytes;
    bool skipLineEnds;
    std::vector<Read> reads;
};

void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.what; }

class ItemReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ItemReaderTest, ReadsItemsInOrder) {
    const ReaderCase& c = GetParam();
    ItemReader reader(c.bytes, c.skipLineEnds);
    for (std::size_t i = 0; i < c.reads.size(); ++i) {
        const Read& expected = c.reads[i];
        const auto item = expected.kind == 'T' ? reader.readText() : reader.readValue();
        SCOPED_TRACE("read " + std::to_string(i + 1));
        if (expected.text == "<end>") {
            EXPECT_FALSE(item.has_value());
            continue;
        }
        ASSERT_TRUE(item.has_value());
        EXPECT_EQ(item->text, expected.text);
        EXPECT_EQ(item->quoted, expected.quoted);
        EXPECT_EQ(reader.line(), expected.line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, ItemReaderTest,
    ::testing::Values(
        ReaderCase{"commas and line ends both end an item",
                   "a,b\r\nc\nd",
                   false,
                   {{'T', "a"}, {'T', "b"}, {'T', "c", false, 2}, {'T', "d", false, 3}, {'T', "<end>"}}},
        ReaderCase{"a quoted item keeps commas and line breaks and counts its lines",
                   "\"1,5\",\"x\r\ny\",z",
                   false,
                   {{'T', "1,5", true}, {'T', "x\r\ny", true}, {'T', "z", false, 2}}},
        ReaderCase{"empty items between delimiters",
                   "a,,\"\",\r\nb",
                   false,
                   {{'T', "a"}, {'T', ""}, {'T', "", true}, {'T', ""}, {'T', "b", false, 2}}},
        ReaderCase{"blanks before an item are skipped; a text keeps its trailing blanks",
                   "  x  ,  y",
                   false,
                   {{'T', "x  "}, {'T', "y"}}},
        ReaderCase{"a value ends at a blank and the blanks after it are skipped",
                   "\"Ed\"\"male/grunt\" 2  3 ,4 \r\n5",
                   true,
                   {{'T', "Ed", true},
                    {'T', "male/grunt", true},
                    {'V', "2"},
                    {'V', "3"},
                    {'V', "4"},
                    {'V', "5", false, 2}}},
        ReaderCase{"blank lines give empty items unless line ends are skipped",
                   "\r\n\r\n  a",
                   false,
                   {{'T', ""}, {'T', "", false, 2}, {'T', "a", false, 3}}},
        ReaderCase{"skipped line ends still count",
                   "\r\n\n  a\r\n\r\n",
                   true,
                   {{'T', "a", false, 3}, {'T', "<end>"}}},
        ReaderCase{"a double quote inside an unquoted item is an ordinary character",
                   "ab\"c,d",
                   false,
                   {{'T', "ab\"c"}, {'T', "d"}}},
        ReaderCase{"an unclosed quote runs to the end",
                   "\"abc, def",
                   false,
                   {{'T', "abc, def", true}, {'T', "<end>"}}},
        ReaderCase{"a bare CR is part of an item", "a\rb,c", false, {{'T', "a\rb"}, {'T', "c"}}},
        ReaderCase{"nothing to read", "", false, {{'T', "<end>"}, {'V', "<end>"}}}));

TEST(ItemReader, AtEndWhenOnlyBlanksAndLineEndsRemain) {
    ItemReader reader("a \r\n  \n", true);
    EXPECT_FALSE(reader.atEnd());
    ASSERT_TRUE(reader.readText());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(ItemReader(" \r\n x", true).atEnd());
}

// The short-number path takes exactly the values nextValue would read as
// one to four plain digits, leaves the reader where nextValue would, and
// consumes nothing otherwise.
TEST(ItemReader, ShortNumbersAreTheValuesOfOneToFourDigits) {
    const std::string inputs[] = {"7",       "  42 ,x", "\r\n\r\n 1234\r\n5",
                                  "12345 6", "-1 2",    "1.5 2",
                                  "3x 4",    "\"5\" 6", "",
                                  "  \r\n",  "0009,",   "8\r9",
                                  "6\n\n7",  ",3"};
    for (const std::string& bytes : inputs) {
        SCOPED_TRACE(bytes);
        ItemReader fast(bytes, true);
        ItemReader general(bytes, true);
        for (int round = 0; round < 3; ++round) {
            double number = -1;
            ItemReader::ItemView item;
            const bool isShort = fast.nextShortNumber(number);
            const bool read = general.nextValue(item);
            const bool plainDigits = read && !item.quoted && !item.text.empty() && item.text.size() <= 4 &&
                                     item.text.find_first_not_of("0123456789") == std::string_view::npos;
            EXPECT_EQ(isShort, plainDigits) << round;
            if (isShort) {
                EXPECT_EQ(number, std::stod(std::string(item.text)));
                EXPECT_EQ(fast.line(), general.line());
            } else if (fast.nextValue(item) != read) {
                ADD_FAILURE() << "nextValue after a refused short number reads differently";
            }
            EXPECT_EQ(fast.atEnd(), general.atEnd());
        }
    }
}

}  // namespace
}  // namespace vexmoor
