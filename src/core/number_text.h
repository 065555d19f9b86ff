#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexmoor {

// A number as the launch fragments carry it: a blank for zero and positive
// numbers or a minus sign, then at most 15 significant digits, no trailing
// zeros, no zero before the decimal point (" 1", "-1024", " 12.5", " .5").
std::string numberText(double value);

// The roster's number format: the number text and one trailing blank.
std::string rosterNumberText(double value);

// The same two, appended to a text being built.
void appendNumberText(std::string& out, double value);
void appendRosterNumberText(std::string& out, double value);

// The number text of a whole number below 1e15 in magnitude, nearly every
// number the files hold, written to out (room for 18 bytes) without the
// trailing blank; returns the end, or nullptr (nothing written) for any
// other number.
char* writeWholeNumberText(char* out, double value);

// Parses a whole item as a number (optional sign, digits, optional point and
// fraction, optional exponent); nothing when the text is not such a number.
std::optional<double> parseNumber(std::string_view text);

// The same for the short whole numbers that fill rosters, inline; any other
// text goes to parseNumber. True and the number in value, or false. (A flag
// and an out parameter: an optional double returned through memory costs a
// store-forwarding stall, and rosters hold hundreds of thousands of values.)
inline bool parseShortNumber(std::string_view text, double& value) {
    if (text.empty() || text.size() > 4) {
        const auto number = parseNumber(text);
        if (number) value = *number;
        return number.has_value();
    }
    unsigned whole = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit > 9) {
            const auto number = parseNumber(text);
            if (number) value = *number;
            return number.has_value();
        }
        whole = whole * 10 + digit;
    }
    value = static_cast<double>(whole);
    return true;
}

// The numeric value of a text's leading number: blanks anywhere are ignored,
// reading stops at the first character that cannot continue a number; an
// empty or non-numeric text gives 0.
double leadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// A stored 16-bit integer field: the text must be a number, rounded halves to
// even, within -32768..32767. Nothing when it is not.
std::optional<int> parseInt16(std::string_view text);

}  // namespace vexmoor
