#include "core/item_reader.h"

namespace vexmoor {

namespace {

std::optional<ItemReader::Item> owned(bool read, const ItemReader::ItemView& view) {
    if (!read) return std::nullopt;
    return ItemReader::Item{std::string(view.text), view.quoted};
}

}  // namespace

ItemReader::ItemReader(std::string_view bytes, bool skipLineEndsBeforeItems)
    : pos_(bytes.data()), end_(bytes.data() + bytes.size()), skipLineEnds_(skipLineEndsBeforeItems) {}

bool ItemReader::atEnd() const {
    const char* p = pos_;
    while (p != end_) {
        if (isSpace(*p) || *p == '\r')
            ++p;
        else if (const std::size_t length = lineEndAt(p))
            p += length;
        else
            return false;
    }
    return true;
}

std::optional<ItemReader::Item> ItemReader::readText() {
    ItemView item;
    const bool read = nextText(item);
    return owned(read, item);
}

std::optional<ItemReader::Item> ItemReader::readValue() {
    ItemView item;
    const bool read = nextValue(item);
    return owned(read, item);
}

}  // namespace vexmoor
