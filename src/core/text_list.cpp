#include "core/text_list.h"

#include <algorithm>
#include <stdexcept>

namespace vexmoor {

TextList::TextList(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) push_back(text);
}

TextList::TextList(const std::vector<std::string>& texts) {
    std::size_t bytes = 0;
    for (const std::string& text : texts) bytes += text.size();
    reserve(texts.size(), bytes);
    for (const std::string& text : texts) push_back(text);
}

void TextList::checkRoom(std::size_t removed, std::size_t added) const {
    if (added > removed && added - removed > kMaxBytes - bytes_.size())
        throw std::length_error("the texts of a list would pass 4 GiB");
}

void TextList::shiftEnds(std::size_t from, std::size_t removed, std::size_t added) {
    if (removed == added) return;
    for (std::size_t i = from; i < ends_.size(); ++i)
        ends_[i] = static_cast<std::uint32_t>(ends_[i] - removed + added);
}

void TextList::push_back(std::string_view text) {
    checkRoom(0, text.size());
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size() + text.size()));
    bytes_.append(text);
}

void TextList::set(std::size_t index, std::string_view text) {
    const std::size_t start = startOf(index);
    const std::size_t length = ends_[index] - start;
    checkRoom(length, text.size());
    if (index + 1 == ends_.size()) {
        // The last entry, as a list being read fills it: no bytes after it to move.
        bytes_.resize(start);
        bytes_.append(text);
        ends_.back() = static_cast<std::uint32_t>(bytes_.size());
        return;
    }
    bytes_.replace(start, length, text);
    shiftEnds(index, length, text.size());
}

void TextList::insert(std::size_t index, std::string_view text) {
    checkRoom(0, text.size());
    const std::size_t start = startOf(index);
    ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(index), static_cast<std::uint32_t>(start));
    bytes_.insert(start, text);
    shiftEnds(index, 0, text.size());
}

void TextList::erase(std::size_t index) {
    const std::size_t start = startOf(index);
    const std::size_t length = ends_[index] - start;
    bytes_.erase(start, length);
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(index));
    shiftEnds(index, length, 0);
}

void TextList::resize(std::size_t count) {
    if (count < ends_.size()) bytes_.resize(startOf(count));
    ends_.resize(count, static_cast<std::uint32_t>(bytes_.size()));
}

void TextList::reserve(std::size_t count, std::size_t bytes) {
    ends_.reserve(count);
    bytes_.reserve(std::min(bytes, kMaxBytes));
}

void TextList::clear() noexcept {
    bytes_.clear();
    ends_.clear();
}

void TextList::shrinkToFit() {
    bytes_.shrink_to_fit();
    ends_.shrink_to_fit();
}

std::vector<std::string> TextList::copy(std::size_t count) const {
    count = std::min(count, size());
    return {begin(), begin() + static_cast<std::ptrdiff_t>(count)};
}

}  // namespace vexmoor
