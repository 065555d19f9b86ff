#pragma once

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace vexmoor {

// Reads comma- and line-separated items from the bytes of a settings, roster
// or map cycle file.
//
// White space is C's, as the game's own readers see it in the files players
// have: a blank is a space, a tab, a vertical tab, a form feed or a CR that
// ends no line; a line end is an LF after any number of CRs (CR LF, LF, and
// the CR CR LF of files converted twice, which the game's Windows build reads
// in text mode as a blank and a line end).
//
// Before an item blanks are skipped (and line ends too, when asked). An item
// that starts with a double quote runs to the next double quote; after it
// blanks are skipped and one comma or line end is consumed, and any other
// character starts the next item, so two quoted items may follow each other
// directly. There is no escape.
class ItemReader {
public:
    struct Item {
        std::string text;
        bool quoted = false;
    };
    // An item in place: the text views the bytes the reader was given, so
    // it lives as long as they do.
    struct ItemView {
        std::string_view text;
        bool quoted = false;
    };

    ItemReader(std::string_view bytes, bool skipLineEndsBeforeItems);

    // True when only blanks and line ends remain.
    bool atEnd() const;

    // An unquoted item read as text runs to the next comma or line end,
    // which is consumed (the CRs of the line end are not part of the item);
    // double quotes inside it are ordinary characters.
    // Nothing when the bytes ran out before the item started.
    std::optional<Item> readText();
    // The same in place; false when nothing was left. (A flag and an out
    // parameter: rosters read this millions of times, and an optional view
    // returned through memory costs a store-forwarding stall each time.)
    bool nextText(ItemView& item) { return read<false>(item); }

    // An unquoted item read as a value also ends at a blank (a tab too).
    std::optional<Item> readValue();
    bool nextValue(ItemView& item) { return read<true>(item); }

    // A value made of one to four digits, the form of nearly every value in
    // a roster, taken with its number at once: true, and the number in
    // `number`, when the next item is such a value; otherwise false and
    // nothing is consumed, and the item is for nextValue.
    bool nextShortNumber(double& number);

    // 1-based line on which the last item read began.
    int line() const { return itemLine_; }

private:
    template <bool BlankEnds>
    bool read(ItemView& item);
    // The length of the line end at p: its CRs and the LF after them, else 0.
    std::size_t lineEndAt(const char* p) const {
        const char* q = p;
        while (q != end_ && *q == '\r') ++q;
        return q != end_ && *q == '\n' ? static_cast<std::size_t>(q - p) + 1 : 0;
    }
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
    // Past blanks, stopping where a line end begins.
    const char* skipBlanks(const char* p) const {
        while (p != end_) {
            if (isSpace(*p)) {
                ++p;
                continue;
            }
            if (*p != '\r') break;
            const char* q = p;
            while (q != end_ && *q == '\r') ++q;
            if (q != end_ && *q == '\n') break;
            p = q;
        }
        return p;
    }
    // Past the blanks (and line ends, when asked) before an item; counts the
    // line ends passed.
    const char* skipToItem(const char* p, int& lines) const {
        for (;;) {
            p = skipBlanks(p);
            const std::size_t length = skipLineEnds_ ? lineEndAt(p) : 0;
            if (length == 0) return p;
            p += length;
            ++lines;
        }
    }
    // Past the blanks after an item and then one comma or line end.
    const char* skipDelimiter(const char* p) {
        p = skipBlanks(p);
        if (p != end_ && *p == ',') return p + 1;
        if (const std::size_t length = lineEndAt(p)) {
            ++currentLine_;
            return p + length;
        }
        return p;
    }

    const char* pos_;
    const char* end_;
    bool skipLineEnds_;
    int currentLine_ = 1;
    int itemLine_ = 1;
};

// Rosters run to tens of thousands of records of nine items each, so this is
// inline, walks the bytes once and copies nothing.
template <bool BlankEnds>
bool ItemReader::read(ItemView& item) {
    const char* p = skipToItem(pos_, currentLine_);
    if (p == end_) {
        pos_ = p;
        return false;
    }
    itemLine_ = currentLine_;

    if (*p == '"') {
        const char* const start = p + 1;
        const auto* close =
            static_cast<const char*>(std::memchr(start, '"', static_cast<std::size_t>(end_ - start)));
        if (!close) close = end_;
        item = {std::string_view(start, static_cast<std::size_t>(close - start)), true};
        for (const char* lf = start;
             (lf = static_cast<const char*>(std::memchr(lf, '\n', static_cast<std::size_t>(close - lf))));
             ++lf)
            ++currentLine_;
        p = close == end_ ? close : close + 1;
    } else {
        // Up to a comma, a line end or (for a value) a blank.
        const char* const start = p;
        for (; p != end_; ++p) {
            const char c = *p;
            if (c == ',' || c == '\n' || (BlankEnds && (isSpace(c) || c == '\r'))) break;
        }
        // The CRs before an LF belong to the line end.
        const char* last = p;
        if (!BlankEnds && p != end_ && *p == '\n')
            while (last != start && last[-1] == '\r') --last;
        item = {std::string_view(start, static_cast<std::size_t>(last - start)), false};
    }

    pos_ = skipDelimiter(p);
    return true;
}

inline bool ItemReader::nextShortNumber(double& number) {
    int lines = 0;
    const char* const start = skipToItem(pos_, lines);
    const char* p = start;
    unsigned whole = 0;
    for (; p != end_ && p - start < 5; ++p) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
        if (digit > 9) break;
        whole = whole * 10 + digit;
    }
    // A value ends at a blank, a comma or a line end; anything else, or a
    // fifth digit, makes it an item of another kind.
    if (p == start || p - start > 4) return false;
    if (p != end_ && !isSpace(*p) && *p != '\r' && *p != ',' && *p != '\n') return false;
    currentLine_ += lines;
    itemLine_ = currentLine_;
    pos_ = skipDelimiter(p);
    number = static_cast<double>(whole);
    return true;
}

}  // namespace vexmoor
