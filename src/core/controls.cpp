#include "core/controls.h"

#include <algorithm>
#include <system_error>

#include "core/ports.h"

namespace vexmoor {

Control::Control(std::string name, std::string caption, std::string toolTip)
    : name_(std::move(name)), caption_(std::move(caption)), toolTip_(std::move(toolTip)) {}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    notify();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notify();
}

void Control::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify();
}

void Control::setToolTip(std::string toolTip) {
    if (toolTip_ == toolTip) return;
    toolTip_ = std::move(toolTip);
    notify();
}

ListBox::ListBox(std::string name, Mode mode, std::string toolTip)
    : Control(std::move(name), {}, std::move(toolTip)), mode_(mode) {}

void ListBox::itemsChanged(ItemsChange::Kind kind, std::size_t index) {
    lastChange_ = ItemsChange{kind, index, revision_};
    ++revision_;
    ++selectionRevision_;
    notify();
}

void ListBox::addItem(std::string item) { insertItem(count(), std::move(item)); }

void ListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    shown_ = nullptr;
    resetEntries();
}

void ListBox::showEntriesOf(const TextList& entries, std::size_t count) {
    items_ = {};
    shown_ = &entries;
    shownCount_ = count;
    resetEntries();
}

void ListBox::resetEntries() {
    marks_.assign(count(), false);
    markCount_ = 0;
    selected_ = -1;
    itemsChanged(ItemsChange::Kind::Reset, 0);
}

void ListBox::keepOwnCopy() {
    if (!shown_) return;
    items_ = items();
    shown_ = nullptr;
}

void ListBox::clear() {
    if (count() == 0 && selected_ == -1) return;
    setItems({});
}

void ListBox::insertItem(std::size_t index, std::string item) {
    keepOwnCopy();
    index = std::min(index, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    marks_.insert(marks_.begin() + static_cast<std::ptrdiff_t>(index), false);
    if (selected_ >= static_cast<int>(index)) ++selected_;
    itemsChanged(ItemsChange::Kind::Inserted, index);
}

void ListBox::removeItem(std::size_t index) {
    if (index >= count()) return;
    keepOwnCopy();
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    if (marks_[index]) --markCount_;
    marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(index));
    if (selected_ == static_cast<int>(index))
        selected_ = -1;
    else if (selected_ > static_cast<int>(index))
        --selected_;
    itemsChanged(ItemsChange::Kind::Removed, index);
}

void ListBox::setItem(std::size_t index, std::string item) {
    if (index >= count() || items()[index] == item) return;
    keepOwnCopy();
    items_[index] = std::move(item);
    itemsChanged(ItemsChange::Kind::Replaced, index);
}

std::string ListBox::selectedText() const {
    if (selected_ < 0 || static_cast<std::size_t>(selected_) >= count()) return {};
    return std::string(items()[static_cast<std::size_t>(selected_)]);
}

void ListBox::setSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(count())) return;
    if (index == selected_) return;
    selected_ = index;
    ++selectionRevision_;
    notify();
    if (behaviour_) behaviour_();
}

bool ListBox::isSelected(std::size_t index) const {
    if (mode_ == Mode::Single) return static_cast<int>(index) == selected_;
    return index < marks_.size() && marks_[index];
}

void ListBox::setSelected(std::size_t index, bool selected) {
    if (index >= count()) return;
    if (mode_ == Mode::Single) {
        if (selected)
            setSelectedIndex(static_cast<int>(index));
        else if (static_cast<int>(index) == selected_)
            setSelectedIndex(-1);
        return;
    }
    if (marks_[index] == selected) return;
    marks_[index] = selected;
    if (selected)
        ++markCount_;
    else
        --markCount_;
    ++selectionRevision_;
    notify();
    if (behaviour_) behaviour_();
}

std::vector<std::string> ListBox::selectedItems() const {
    std::vector<std::string> result;
    const ListEntries entries = items();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (isSelected(i)) result.emplace_back(entries[i]);
    return result;
}

std::size_t ListBox::selectedCount() const {
    if (mode_ == Mode::Single) return selected_ >= 0 ? 1 : 0;
    return markCount_;
}

namespace {

// Letter case in Windows-1252: ASCII, the accented letters from C0 to DE
// (D7 is the multiplication sign) and the four pairs of its 80 to 9F range.
unsigned char lowerCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:  // S caron
        case 0x8C:  // OE
        case 0x8E:  // Z caron
            return static_cast<unsigned char>(c + 16);
        case 0x9F:  // Y diaeresis
            return 0xFF;
        default:
            return c;
    }
}

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(lowerCase(static_cast<unsigned char>(c)));
    return result;
}

// Whether the entry holds the part, which is in lower case already.
bool holdsLowered(std::string_view entry, std::string_view part) {
    if (part.size() > entry.size()) return false;
    const auto first = static_cast<unsigned char>(part.front());
    for (std::size_t start = 0; start + part.size() <= entry.size(); ++start) {
        if (lowerCase(static_cast<unsigned char>(entry[start])) != first) continue;
        std::size_t i = 1;
        while (i < part.size() &&
               lowerCase(static_cast<unsigned char>(entry[start + i])) == static_cast<unsigned char>(part[i]))
            ++i;
        if (i == part.size()) return true;
    }
    return false;
}

}  // namespace

bool FilterText::shows(std::string_view entry) const {
    return text().empty() || holdsLowered(entry, lowered(text()));
}

std::vector<std::size_t> FilterText::shownIndexes(const ListBox& list) const {
    std::vector<std::size_t> shown;
    const ListEntries items = list.items();
    if (text().empty()) {
        shown.resize(items.size());
        for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = i;
        return shown;
    }
    const std::string part = lowered(text());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (holdsLowered(items[i], part)) shown.push_back(i);
    return shown;
}

FileList::FileList(std::string name, std::string extension, std::string toolTip)
    : ListBox(std::move(name), Mode::Single, std::move(toolTip)), extension_(std::move(extension)) {}

Result<std::vector<std::string>> FileList::listFolder(const std::filesystem::path& folder,
                                                     std::string_view extension) {
    // Hidden files (a name beginning with a dot) are not listed; start-up
    // does not count them as map files either.
    auto names = listFiles(folder, extension);
    if (names) std::sort(names.value().begin(), names.value().end());
    return names;
}

void FileList::showListed(const std::filesystem::path& folder, std::vector<std::string> names) {
    folder_ = folder;
    setItems(std::move(names));
}

Status FileList::setFolder(const std::filesystem::path& folder) {
    auto names = listFolder(folder, extension_);
    if (!names) return names.status();
    showListed(folder, std::move(names).value());
    return {};
}

std::string literalCaption(std::string_view text) {
    std::string caption;
    caption.reserve(text.size());
    for (const char c : text) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

OptionButton::OptionButton(std::string name, std::string caption, OptionGroup& group, bool chosen,
                           std::string toolTip)
    : ValueControl(std::move(name), chosen, std::move(caption), std::move(toolTip)), group_(group) {
    group_.add(*this);
}

void OptionButton::choose() {
    if (chosen()) return;
    group_.chose(*this);
    setValue(true);
}

void OptionButton::deselect() { assignWithoutBehaviour(false); }

void OptionGroup::chose(const OptionButton& button) {
    for (OptionButton* other : buttons_)
        if (other != &button) other->deselect();
}

}  // namespace vexmoor
