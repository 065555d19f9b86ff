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

// Parses a whole item as a number (optional sign, digits, optional point and
// fraction, optional exponent); nothing when the text is not such a number.
std::optional<double> parseNumber(std::string_view text);

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
