#include "core/item_reader.h"

namespace vexmoor {

ItemReader::ItemReader(std::string_view bytes, bool skipLineEndsBeforeItems)
    : bytes_(bytes), skipLineEnds_(skipLineEndsBeforeItems) {}

bool ItemReader::lineEndAt(std::size_t pos, std::size_t& length) const {
    if (pos < bytes_.size() && bytes_[pos] == '\n') {
        length = 1;
        return true;
    }
    if (pos + 1 < bytes_.size() && bytes_[pos] == '\r' && bytes_[pos + 1] == '\n') {
        length = 2;
        return true;
    }
    return false;
}

bool ItemReader::atEnd() const {
    std::size_t pos = pos_;
    std::size_t length = 0;
    while (pos < bytes_.size()) {
        if (bytes_[pos] == ' ') ++pos;
        else if (lineEndAt(pos, length)) pos += length;
        else return false;
    }
    return true;
}

void ItemReader::skipBlanks() {
    while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
}

void ItemReader::consumeOneDelimiter() {
    std::size_t length = 0;
    if (pos_ < bytes_.size() && bytes_[pos_] == ',') ++pos_;
    else if (lineEndAt(pos_, length)) {
        pos_ += length;
        ++currentLine_;
    }
}

std::optional<ItemReader::Item> ItemReader::readText() { return read(false); }

std::optional<ItemReader::Item> ItemReader::readValue() { return read(true); }

std::optional<ItemReader::Item> ItemReader::read(bool blankEnds) {
    std::size_t length = 0;
    for (;;) {
        skipBlanks();
        if (!skipLineEnds_ || !lineEndAt(pos_, length)) break;
        pos_ += length;
        ++currentLine_;
    }
    if (pos_ >= bytes_.size()) return std::nullopt;
    itemLine_ = currentLine_;

    Item item;
    if (bytes_[pos_] == '"') {
        item.quoted = true;
        const std::size_t start = pos_ + 1;
        std::size_t close = bytes_.find('"', start);
        if (close == std::string_view::npos) close = bytes_.size();
        item.text.assign(bytes_.substr(start, close - start));
        for (char c : item.text)
            if (c == '\n') ++currentLine_;
        pos_ = close < bytes_.size() ? close + 1 : close;
        skipBlanks();
        consumeOneDelimiter();
        return item;
    }

    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !lineEndAt(pos_, length) &&
           !(blankEnds && bytes_[pos_] == ' '))
        ++pos_;
    item.text.assign(bytes_.substr(start, pos_ - start));
    if (pos_ < bytes_.size() && bytes_[pos_] == ' ') skipBlanks();
    consumeOneDelimiter();
    return item;
}

}  // namespace vexmoor
