#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace vexmoor {

namespace {

std::string trimZeros(std::string mantissa) {
    if (mantissa.find('.') == std::string::npos) return mantissa;
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    return mantissa;
}

// The text std::to_chars makes of a value in the given form. Never printf:
// the windowing library sets the user's locale at start, and in many of them
// printf writes a decimal comma, which the files would read as two fields.
std::string charsOf(double value, std::chars_format format, int precision) {
    char buffer[400];  // a fixed form with many digits after the point, or the largest double
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (error != std::errc()) return {};
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

// The digits of |value| with up to 15 significant digits, without sign, for
// a magnitude that is not a whole number below 1e15.
std::string fractionalMagnitudeText(double magnitude) {
    if (std::isnan(magnitude)) return "nan";
    if (std::isinf(magnitude)) return "INF";
    // The form follows the number as its 15 digits give it: a magnitude just
    // below 1e-15 or 1e15 that rounds to it is written as that number is, or
    // its text would read back as a number written another way.
    const std::string scientific = charsOf(magnitude, std::chars_format::scientific, 14);
    const auto e = scientific.find('e');
    double rounded = magnitude;
    std::from_chars(scientific.data(), scientific.data() + scientific.size(), rounded);
    if (e != std::string::npos && (rounded >= 1e15 || rounded < 1e-15)) {
        std::string mantissa = trimZeros(scientific.substr(0, e));
        const int exponent = std::stoi(scientific.substr(e + 1));
        char expBuffer[16];
        std::snprintf(expBuffer, sizeof expBuffer, "E%c%02d", exponent < 0 ? '-' : '+',
                      exponent < 0 ? -exponent : exponent);
        // The largest numbers round up past the largest a double holds; their
        // text would read back as no number at all, so they round down.
        if (mantissa == "1.79769313486232" && exponent == 308) mantissa = "1.79769313486231";
        return mantissa + expBuffer;
    }
    char buffer[64];
    // The shortest text that reads back as this double: when it has at most
    // 15 significant digits, rounding to 15 digits gives the same digits
    // (the double lies closer to it than half a step of the 15th digit).
    if (const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
        error == std::errc()) {
        const std::string_view shortest(buffer, static_cast<std::size_t>(end - buffer));
        const std::size_t first = shortest.find_first_not_of("0.");
        const std::size_t point = shortest.find('.');
        const std::size_t digits =
            shortest.size() - first - (point != std::string_view::npos && point > first);
        if (first != std::string_view::npos && digits <= 15)
            return std::string(shortest.starts_with("0.") ? shortest.substr(1) : shortest);
    }
    std::string text = charsOf(magnitude, std::chars_format::general, 15);
    if (text.find('e') != std::string::npos) {
        // The general form chose an exponent for a small fraction; write it out in full instead.
        const int digitsAfterPoint = 15 - static_cast<int>(std::floor(std::log10(rounded))) - 1;
        text = charsOf(magnitude, std::chars_format::fixed, digitsAfterPoint);
    }
    text = trimZeros(text);
    if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
    return text;
}

}  // namespace

char* writeWholeNumberText(char* out, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e15)) return nullptr;  // NaN too
    const auto whole = static_cast<long long>(magnitude);
    if (static_cast<double>(whole) != magnitude) return nullptr;
    if (whole == 0) {  // also for -0.0
        out[0] = ' ';
        out[1] = '0';
        return out + 2;
    }
    *out++ = value < 0 ? '-' : ' ';
    return std::to_chars(out, out + 16, whole).ptr;
}

void appendNumberText(std::string& out, double value) {
    // Whole numbers are nearly every value the files hold; they need no
    // rounding to 15 digits, so they skip the formatted path.
    char buffer[24];
    if (const char* end = writeWholeNumberText(buffer, value)) {
        out.append(buffer, static_cast<std::size_t>(end - buffer));
        return;
    }
    out += value < 0 ? '-' : ' ';
    out += fractionalMagnitudeText(std::fabs(value));
}

void appendRosterNumberText(std::string& out, double value) {
    appendNumberText(out, value);
    out += ' ';
}

std::string numberText(double value) {
    std::string text;
    appendNumberText(text, value);
    return text;
}

std::string rosterNumberText(double value) {
    std::string text;
    appendRosterNumberText(text, value);
    return text;
}

std::optional<double> parseNumber(std::string_view text) {
    // Plain whole numbers of up to 15 digits, nearly every number the files
    // hold, are exact in a double and need no general conversion.
    if (!text.empty() && text.size() <= 16) {
        const bool negative = text.front() == '-';
        const std::size_t first = negative || text.front() == '+' ? 1 : 0;
        std::size_t i = first;
        long long whole = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) whole = whole * 10 + (text[i] - '0');
        if (i == text.size() && i > first && i - first <= 15) {
            const auto magnitude = static_cast<double>(whole);
            return negative ? -magnitude : magnitude;
        }
    }
    std::size_t i = 0;
    const auto digitsAt = [&](std::size_t& pos) {
        const std::size_t start = pos;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
        return pos - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = digitsAt(i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += digitsAt(i);
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digitsAt(i) == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    // from_chars takes no plus sign; the checks above allow at most one sign.
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

double leadingNumber(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (c != ' ') compact += c;
    // The longest prefix that still reads as a number.
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) ++i;
    while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) ++i;
    if (i < compact.size() && compact[i] == '.') {
        ++i;
        while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) ++i;
    }
    std::size_t end = i;
    if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) ++j;
        const std::size_t digitsStart = j;
        while (j < compact.size() && std::isdigit(static_cast<unsigned char>(compact[j]))) ++j;
        if (j > digitsStart) end = j;
    }
    const std::string_view number = std::string_view(compact).substr(0, end);
    if (const auto value = parseNumber(number)) return *value;
    // A well-formed number too large or too small for a double: far out of
    // any range, or as good as zero.
    if (number.find_first_of("0123456789") == std::string_view::npos) return 0.0;
    const auto e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const std::string_view whole = mantissa.substr(0, mantissa.find('.'));
    const bool tiny = e != std::string_view::npos ? number[e + 1] == '-'
                                                  : whole.find_first_of("123456789") == std::string_view::npos;
    if (tiny) return 0.0;
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
}

double roundHalfEven(double value) {
    const double floorValue = std::floor(value);
    const double difference = value - floorValue;
    if (difference < 0.5) return floorValue;
    if (difference > 0.5) return floorValue + 1.0;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

std::optional<int> parseInt16(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const auto value = parseNumber(text);
    if (!value) return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<int>(rounded);
}

}  // namespace vexmoor
