#include <cmath>
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexmoor {
namespace {

// The tables read best in rows.
// clang-format off

TEST(NumberText, SignBlankThenDigitsWithoutTrailingZerosOrLeadingZero) {
    const std::vector<std::pair<double, std::string>> cases = {
        {1, " 1"},          {0, " 0"},           {-0.0, " 0"},     {2048, " 2048"},
        {-1024, "-1024"},   {12.5, " 12.5"},     {0.5, " .5"},     {-0.25, "-.25"},
        {0.1 + 0.2, " .3"}, {131072, " 131072"}, {123456789012345, " 123456789012345"},
        {1e15, " 1E+15"},   {-1.7976931348623157e308, "-1.79769313486231E+308"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(numberText(value), text) << value;
    EXPECT_EQ(rosterNumberText(3), " 3 ");
    EXPECT_EQ(rosterNumberText(-2.5), "-2.5 ");
}

TEST(NumberText, ParseNumberTakesOnlyAWholeNumber) {
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"12", 12},            {"-3.5", -3.5},        {"+7", 7},             {".5", 0.5},
        {"5.", 5},             {"1e3", 1000},         {"2E-1", 0.2},         {"", std::nullopt},
        {"-", std::nullopt},   {".", std::nullopt},   {"1e", std::nullopt},  {"12a", std::nullopt},
        {" 1", std::nullopt},  {"0x10", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
        {"1e999", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(parseNumber(text), value) << '"' << text << '"';
}

TEST(NumberText, LeadingNumberReadsAsFarAsANumberGoesIgnoringBlanks) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"20", 20},     {" 12abc", 12}, {"1 2", 12},   {"-3.5x", -3.5}, {"1e3", 1000},
        {"1e", 1},      {"2e+", 2},     {".5", 0.5},   {"+7", 7},       {"abc", 0},
        {"", 0},        {"--1", 0},     {"1,5", 1},    {"- 4", -4},
        // Beyond a double: far out of any range, or as good as zero.
        {"1e999", HUGE_VAL}, {"-1e999x", -HUGE_VAL}, {"1e-999", 0}, {std::string(400, '9'), HUGE_VAL},
        {"0." + std::string(400, '0') + "1", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(leadingNumber(text), value) << '"' << text << '"';
}

TEST(NumberText, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
    const std::vector<std::pair<double, double>> cases = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {2.4, 2},   {2.6, 3},   {-2.6, -3}, {7, 7},     {32767.5, 32768}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(NumberText, ParseInt16AcceptsNumbersThatRoundIntoRange) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"0", 0},                 {" 1 ", 1},                {"2", 2},              {"1.5", 2},
        {"2.5", 2},               {"32767", 32767},          {"-32768", -32768},    {"32767.5", std::nullopt},
        {"32768", std::nullopt},  {"-32769", std::nullopt},  {"", std::nullopt},    {"x", std::nullopt},
        {"1x", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(parseInt16(text), value) << '"' << text << '"';
}

// clang-format on

// Fractions take the shortest digits that read back when those are few
// enough, and printf's rounding to 15 digits otherwise; either way the text
// holds the value rounded to 15 significant digits.
TEST(NumberText, FractionsCarryTheirValueToFifteenDigits) {
    std::vector<double> values;
    for (int k = 1; k <= 300; ++k)
        values.insert(values.end(), {k / 7.0, k / 3.0, k * 0.1, 1.0 / k, k * 1e-9 / 3, k * 12345.678 + 0.5});
    for (const double magnitude : values)
        for (const double value : {magnitude, -magnitude}) {
            char reference[64];
            std::snprintf(reference, sizeof reference, "%.15G", value);
            const std::string text = numberText(value);
            const auto read = parseNumber(text.front() == ' ' ? text.substr(1) : text);
            ASSERT_TRUE(read) << text;
            EXPECT_EQ(*read, std::strtod(reference, nullptr)) << text << " for " << reference;
            EXPECT_NE(text.substr(1, 2), "0.") << text;
        }
    // Just below 1e-15 and 1e15 a number rounds to the power itself: its text
    // takes the power's form, so what is shown reads back as the same text.
    for (const double edge : {1e-15, 1e15, 1e-5, 1.0})
        for (const double value : {std::nextafter(edge, 0.0), edge * (1 - 1e-16), edge * (1 - 4e-16)}) {
            const std::string text = numberText(value);
            EXPECT_EQ(numberText(leadingNumber(text)), text) << value;
        }
    EXPECT_EQ(numberText(0.999999999999999914e-15), " .000000000000001");
    EXPECT_EQ(numberText(std::nextafter(1e15, 0.0)), " 1E+15");
    // No locale's decimal comma: the text never depends on where the user lives.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(numberText(0.1 + 0.2), " .3");
        EXPECT_EQ(numberText(1.5e-20), " 1.5E-20");
        std::setlocale(LC_NUMERIC, "C");
    }
    // An infinity has no digits, yet writing it must not fail.
    EXPECT_EQ(numberText(HUGE_VAL), " INF");
    EXPECT_EQ(numberText(-HUGE_VAL), "-INF");
}

}  // namespace
}  // namespace vexmoor
