#include "core/controls.h"

#include <algorithm>
#include <system_error>

#include "core/file_io.h"

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

void ListBox::addItem(std::string item) { insertItem(items_.size(), std::move(item)); }

void ListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    marks_.assign(items_.size(), false);
    selected_ = -1;
    itemsChanged(ItemsChange::Kind::Reset, 0);
}

void ListBox::clear() {
    if (items_.empty() && selected_ == -1) return;
    setItems({});
}

void ListBox::insertItem(std::size_t index, std::string item) {
    index = std::min(index, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    marks_.insert(marks_.begin() + static_cast<std::ptrdiff_t>(index), false);
    if (selected_ >= static_cast<int>(index)) ++selected_;
    itemsChanged(ItemsChange::Kind::Inserted, index);
}

void ListBox::removeItem(std::size_t index) {
    if (index >= items_.size()) return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(index));
    if (selected_ == static_cast<int>(index))
        selected_ = -1;
    else if (selected_ > static_cast<int>(index))
        --selected_;
    itemsChanged(ItemsChange::Kind::Removed, index);
}

void ListBox::setItem(std::size_t index, std::string item) {
    if (index >= items_.size() || items_[index] == item) return;
    items_[index] = std::move(item);
    itemsChanged(ItemsChange::Kind::Replaced, index);
}

std::string ListBox::selectedText() const {
    if (selected_ < 0 || static_cast<std::size_t>(selected_) >= items_.size()) return {};
    return items_[static_cast<std::size_t>(selected_)];
}

void ListBox::setSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) return;
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
    if (index >= items_.size()) return;
    if (mode_ == Mode::Single) {
        if (selected)
            setSelectedIndex(static_cast<int>(index));
        else if (static_cast<int>(index) == selected_)
            setSelectedIndex(-1);
        return;
    }
    if (marks_[index] == selected) return;
    marks_[index] = selected;
    ++selectionRevision_;
    notify();
    if (behaviour_) behaviour_();
}

std::vector<std::string> ListBox::selectedItems() const {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (isSelected(i)) result.push_back(items_[i]);
    return result;
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
