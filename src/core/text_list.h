#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vexmoor {

// A random-access iterator over entries read as views. It holds its own
// copy of the source, a small handle whose operator[] answers with a
// std::string_view, so it stays valid after a temporary view of the entries
// it came from is gone.
template <class Source>
class TextIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using reference = std::string_view;
    using pointer = void;

    TextIterator() = default;
    TextIterator(Source source, std::size_t index) : source_(source), index_(index) {}

    std::string_view operator*() const { return source_[index_]; }
    std::string_view operator[](difference_type n) const { return *(*this + n); }
    TextIterator& operator++() { return *this += 1; }
    TextIterator operator++(int) {
        TextIterator before = *this;
        ++*this;
        return before;
    }
    TextIterator& operator--() { return *this -= 1; }
    TextIterator operator--(int) {
        TextIterator before = *this;
        --*this;
        return before;
    }
    TextIterator& operator+=(difference_type n) {
        index_ = static_cast<std::size_t>(static_cast<difference_type>(index_) + n);
        return *this;
    }
    TextIterator& operator-=(difference_type n) { return *this += -n; }
    friend TextIterator operator+(TextIterator it, difference_type n) { return it += n; }
    friend TextIterator operator+(difference_type n, TextIterator it) { return it += n; }
    friend TextIterator operator-(TextIterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const TextIterator& a, const TextIterator& b) {
        return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const TextIterator& a, const TextIterator& b) { return a.index_ == b.index_; }
    friend auto operator<=>(const TextIterator& a, const TextIterator& b) { return a.index_ <=> b.index_; }

private:
    Source source_{};
    std::size_t index_ = 0;
};

// Texts kept end to end in one buffer, each found by where it ends. A
// roster's 32,767 bot names take their own bytes and four more each here,
// where a vector of strings takes 32 each. Entries are read as views, valid
// until the list changes. A change inside the list moves the bytes after it,
// which suits lists that are read far more often than changed and that grow
// at their end, as a roster does while it is read.
class TextList {
    struct Handle {
        const TextList* list;
        std::string_view operator[](std::size_t index) const { return (*list)[index]; }
    };

public:
    using value_type = std::string_view;
    using const_iterator = TextIterator<Handle>;
    using iterator = const_iterator;

    // All the texts together cannot pass this many bytes; a change that
    // would is refused with std::length_error and leaves the list as it was.
    static constexpr std::size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();

    TextList() = default;
    TextList(std::initializer_list<std::string_view> texts);
    explicit TextList(const std::vector<std::string>& texts);

    std::size_t size() const noexcept { return ends_.size(); }
    bool empty() const noexcept { return ends_.empty(); }
    // Const, so that an assignment meant for the entry fails to compile
    // instead of changing a copy of the view: set() changes an entry.
    const std::string_view operator[](std::size_t index) const noexcept {
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(bytes_).substr(start, ends_[index] - start);
    }
    std::string_view front() const noexcept { return (*this)[0]; }
    std::string_view back() const noexcept { return (*this)[size() - 1]; }
    const_iterator begin() const noexcept { return {Handle{this}, 0}; }
    const_iterator end() const noexcept { return {Handle{this}, size()}; }

    void push_back(std::string_view text);
    // Replaces the text at index.
    void set(std::size_t index, std::string_view text);
    void insert(std::size_t index, std::string_view text);
    void erase(std::size_t index);
    // New entries are empty texts.
    void resize(std::size_t count);
    void reserve(std::size_t count, std::size_t bytes);
    void clear() noexcept;
    // Gives back the room kept for growth.
    void shrinkToFit();

    // The first count entries as strings of their own.
    std::vector<std::string> copy(std::size_t count) const;

    friend bool operator==(const TextList& a, const TextList& b) {
        return a.ends_ == b.ends_ && a.bytes_ == b.bytes_;
    }

private:
    std::size_t startOf(std::size_t index) const { return index == 0 ? 0 : ends_[index - 1]; }
    // Refuses a change that would take the bytes from `removed` to `added` past the limit.
    void checkRoom(std::size_t removed, std::size_t added) const;
    // Moves the ends from index on by the change in length.
    void shiftEnds(std::size_t from, std::size_t removed, std::size_t added);

    std::string bytes_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace vexmoor
