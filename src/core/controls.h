#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/result.h"
#include "core/signal.h"
#include "core/text_list.h"

namespace vexmoor {

// A control of a window: its name (the objectName of its widget), its
// properties and, for fragment holders, the launch fragment it keeps.
// Property changes notify the view and run no behaviour.
class Control {
public:
    explicit Control(std::string name, std::string caption = {}, std::string toolTip = {});
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip);

    // The launch fragment this control keeps; empty for most controls.
    const std::string& fragment() const { return fragment_; }
    void setFragment(std::string fragment) {
        if (fragment == fragment_) return;
        fragment_ = std::move(fragment);
        fragmentChanged_.emit();
    }
    // Fires after the fragment changed. Widgets show no fragment, so this is
    // apart from changed(): what follows a fragment reads it from here.
    Signal<>& fragmentChanged() { return fragmentChanged_; }

    // Fires after any change of a property or of the value.
    Signal<>& changed() { return changed_; }

protected:
    void notify() { changed_.emit(); }

private:
    std::string name_;
    std::string caption_;
    std::string toolTip_;
    std::string fragment_;
    bool enabled_ = true;
    bool visible_ = true;
    Signal<> changed_;
    Signal<> fragmentChanged_;
};

// The one change rule every valued control follows: an equal value does
// nothing; a different value is stored, the view is told, then the change
// behaviour runs to completion before the setter returns. A behaviour may set
// other controls, or this one again, and so run their behaviours first.
template <class T>
class ValueControl : public Control {
public:
    ValueControl(std::string name, T initial, std::string caption = {}, std::string toolTip = {})
        : Control(std::move(name), std::move(caption), std::move(toolTip)), value_(std::move(initial)) {}

    const T& value() const { return value_; }
    void setValue(T value) {
        if (value == value_) return;
        value_ = std::move(value);
        notify();
        if (behaviour_) behaviour_();
    }
    void onChange(std::function<void()> behaviour) { behaviour_ = std::move(behaviour); }

protected:
    // For changes that are a side effect of another control's change (an
    // option button deselected by its group): the view is told, nothing runs.
    void assignWithoutBehaviour(T value) {
        if (value == value_) return;
        value_ = std::move(value);
        notify();
    }

private:
    T value_;
    std::function<void()> behaviour_;
};

// State 0 unchecked, 1 checked, 2 grayed (only ever from a stored file).
class CheckBox : public ValueControl<int> {
public:
    CheckBox(std::string name, std::string caption, bool checked, std::string toolTip = {})
        : ValueControl(std::move(name), checked ? 1 : 0, std::move(caption), std::move(toolTip)) {}
    int state() const { return value(); }
    void setState(int state) { setValue(state); }
    bool checked() const { return value() == 1; }
    // What a user's click does: checked becomes unchecked, anything else checked.
    void click() { setValue(value() == 1 ? 0 : 1); }
};

class TextBox : public ValueControl<std::string> {
public:
    TextBox(std::string name, std::string text, std::string toolTip = {})
        : ValueControl(std::move(name), std::move(text), {}, std::move(toolTip)) {}
    const std::string& text() const { return value(); }
    void setText(std::string text) { setValue(std::move(text)); }
};

// Horizontal scroll bar or slider: a position within a range.
class RangeControl : public ValueControl<int> {
public:
    RangeControl(std::string name, int minimum, int maximum, int value, std::string toolTip = {})
        : ValueControl(std::move(name), value, {}, std::move(toolTip)),
          minimum_(minimum),
          maximum_(maximum) {}
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The user took hold of the control where it stands (a click on its
    // handle, Home or End at its end) without moving it. A window that shows
    // a stored value the range cannot hold at the nearest end stores that
    // end on it; nothing else happens.
    void press() {
        if (press_ && enabled()) press_();
    }
    void onPress(std::function<void()> action) { press_ = std::move(action); }

private:
    int minimum_;
    int maximum_;
    std::function<void()> press_;
};

// The entries of a list, read in place: the list's own or those it shows of
// another's (ListBox::showEntriesOf). Valid until the list's entries change.
class ListEntries {
public:
    ListEntries() = default;
    using value_type = std::string_view;
    using const_iterator = TextIterator<ListEntries>;
    using iterator = const_iterator;

    ListEntries(const std::string* first, std::size_t size) : first_(first), size_(size) {}
    ListEntries(const TextList& texts, std::size_t size) : texts_(&texts), size_(size) {}

    const_iterator begin() const { return {*this, 0}; }
    const_iterator end() const { return {*this, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view operator[](std::size_t index) const {
        return texts_ ? (*texts_)[index] : std::string_view(first_[index]);
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size_ - 1]; }

    // A copy, for whoever keeps the entries past the next change.
    operator std::vector<std::string>() const { return {begin(), end()}; }

    friend bool operator==(const ListEntries& a, const ListEntries& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const ListEntries& a, const std::vector<std::string>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    const std::string* first_ = nullptr;
    const TextList* texts_ = nullptr;
    std::size_t size_ = 0;
};

// A list of texts. Single choice: one selected index (-1 for none), and a
// selection change runs the behaviour. Multiple choice: each item toggles on
// its own. Checked: the same marks, shown as a check box at each entry.
//
// Views follow the items through itemsRevision() and lastItemsChange(): a
// change that only appended, inserted, removed or replaced one entry since
// the revision a view shows can be applied as such, anything else is a reset.
class ListBox : public Control {
public:
    enum class Mode { Single, Multiple, Checked };
    ListBox(std::string name, Mode mode, std::string toolTip = {});

    Mode mode() const { return mode_; }
    ListEntries items() const {
        if (!shown_) return {items_.data(), items_.size()};
        return {*shown_, std::min(shownCount_, shown_->size())};
    }
    std::size_t count() const { return items().size(); }
    void addItem(std::string item);
    void setItems(std::vector<std::string> items);
    // The first count entries of another's list, read where they are instead
    // of copied (a roster's 32,767 names). They must stay as they are until
    // the list is given other entries or keeps a copy of them (keepOwnCopy);
    // a change to the list itself makes that copy first.
    void showEntriesOf(const TextList& entries, std::size_t count);
    void keepOwnCopy();
    void clear();
    // Inserting before the selected entry moves the selection down with its
    // entry, removing the selected entry leaves none selected; neither runs
    // the behaviour, since the selected entry itself did not change.
    void insertItem(std::size_t index, std::string item);
    void removeItem(std::size_t index);
    void setItem(std::size_t index, std::string item);

    int selectedIndex() const { return selected_; }
    std::string selectedText() const;
    void setSelectedIndex(int index);

    // Whether the user may leave a single-choice list with nothing chosen
    // (Ctrl+click on the chosen entry). Where the window has no meaning for
    // an empty choice the view shows the list's choice again instead.
    bool noneAllowed() const { return noneAllowed_; }
    void setNoneAllowed(bool allowed) { noneAllowed_ = allowed; }

    bool isSelected(std::size_t index) const;
    void setSelected(std::size_t index, bool selected);
    std::vector<std::string> selectedItems() const;
    // How many entries are selected or checked, kept as they change: a
    // count line under a list of thousands follows every tick at no cost.
    std::size_t selectedCount() const;

    void onChange(std::function<void()> behaviour) { behaviour_ = std::move(behaviour); }

    struct ItemsChange {
        enum class Kind { Reset, Inserted, Removed, Replaced };
        Kind kind = Kind::Reset;
        std::size_t index = 0;
        std::uint64_t from = 0;  // the revision it was made on
    };
    std::uint64_t itemsRevision() const { return revision_; }
    // Grows with every change of the selection or the marks.
    std::uint64_t selectionRevision() const { return selectionRevision_; }
    const ItemsChange& lastItemsChange() const { return lastChange_; }

private:
    void itemsChanged(ItemsChange::Kind kind, std::size_t index);

    void resetEntries();

    Mode mode_;
    std::vector<std::string> items_;
    // Another's entries shown in place of items_, and how many of them.
    const TextList* shown_ = nullptr;
    std::size_t shownCount_ = 0;
    std::vector<bool> marks_;
    std::size_t markCount_ = 0;
    int selected_ = -1;
    bool noneAllowed_ = false;
    std::function<void()> behaviour_;
    std::uint64_t revision_ = 0;
    std::uint64_t selectionRevision_ = 0;
    ItemsChange lastChange_;
};

// A list of the file names in one folder that match "*.<extension>",
// compared without regard to case, listed in a stable (sorted) order. Hidden
// files (names beginning with a dot) are not listed.
class FileList : public ListBox {
public:
    FileList(std::string name, std::string extension, std::string toolTip = {});
    const std::filesystem::path& folder() const { return folder_; }
    // Points the list at a folder and lists it afresh. A folder that does not
    // exist or cannot be listed leaves the list as it was.
    Status setFolder(const std::filesystem::path& folder);
    // The same in two steps, so that the folder can be read on another
    // thread: the names the list would show, then showing them.
    static Result<std::vector<std::string>> listFolder(const std::filesystem::path& folder,
                                                       std::string_view extension);
    void showListed(const std::filesystem::path& folder, std::vector<std::string> names);
    const std::string& extension() const { return extension_; }

private:
    std::string extension_;
    std::filesystem::path folder_;
};

// A filter field over one or more lists: the entries that hold its text,
// letter case aside (the code page's accented letters as well as ASCII),
// are the ones shown; all of them while it is empty. Filtering only shows:
// what is chosen or checked stays so whether its entry is shown or not.
class FilterText : public TextBox {
public:
    explicit FilterText(std::string name) : TextBox(std::move(name), "") {}
    bool shows(std::string_view entry) const;
    // The indexes of the list's entries shown, in list order.
    std::vector<std::size_t> shownIndexes(const ListBox& list) const;
};

class OptionGroup;

// Option button in a group: choosing one deselects the others. The behaviour
// runs for the button that becomes chosen.
class OptionButton : public ValueControl<bool> {
public:
    OptionButton(std::string name, std::string caption, OptionGroup& group, bool chosen,
                 std::string toolTip = {});
    bool chosen() const { return value(); }
    void choose();

private:
    friend class OptionGroup;
    void deselect();
    OptionGroup& group_;
};

class OptionGroup {
public:
    void add(OptionButton& button) { buttons_.push_back(&button); }
    void chose(const OptionButton& button);

private:
    std::vector<OptionButton*> buttons_;
};

// A frame (or page) whose enabling and visibility the rules drive; fragment
// holders among them keep their fragment in the base.
class Frame : public Control {
public:
    using Control::Control;
};

// A caption that shows a text from the user's files as it stands: in a
// caption "&" marks the shortcut letter, so every "&" of the text is doubled.
std::string literalCaption(std::string_view text);

class Label : public Control {
public:
    using Control::Control;
};

// A button or menu entry: its click is the operation the window wires to it.
class Button : public Control {
public:
    using Control::Control;
    void onClick(std::function<void()> action) { action_ = std::move(action); }
    void click() {
        if (action_ && enabled()) action_();
    }

private:
    std::function<void()> action_;
};

}  // namespace vexmoor
