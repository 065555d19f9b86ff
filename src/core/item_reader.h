#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexmoor {

// Reads comma- and line-separated items from the bytes of a settings, roster
// or map cycle file. A line end is CR LF or a bare LF.
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

    ItemReader(std::string_view bytes, bool skipLineEndsBeforeItems);

    // True when only blanks and line ends remain.
    bool atEnd() const;

    // An unquoted item read as text runs to the next comma or line end,
    // which is consumed; double quotes inside it are ordinary characters.
    // Nothing when the bytes ran out before the item started.
    std::optional<Item> readText();

    // An unquoted item read as a value also ends at a blank.
    std::optional<Item> readValue();

    // 1-based line on which the last item read began.
    int line() const { return itemLine_; }

private:
    std::optional<Item> read(bool blankEnds);
    bool lineEndAt(std::size_t pos, std::size_t& length) const;
    void skipBlanks();
    void consumeOneDelimiter();

    std::string_view bytes_;
    bool skipLineEnds_;
    std::size_t pos_ = 0;
    int currentLine_ = 1;
    int itemLine_ = 1;
};

}  // namespace vexmoor
