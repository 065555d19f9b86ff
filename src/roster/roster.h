#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/text_list.h"

namespace vexmoor {

// The value of one numeric bot field: a number, the text of an item that was
// not a number, or empty. A roster holds seven of them for every bot, so each
// takes the eight bytes of a double: a number is its own bits, and the empty
// value and a text (rare; kept on the heap) live in the space of the
// negative quiet NaNs, which a number never uses: a NaN number is kept as the
// positive quiet NaN, which behaves the same.
class RosterValue {
public:
    RosterValue() noexcept = default;
    static RosterValue number(double value) {
        return RosterValue(value != value ? kNumberNaN : std::bit_cast<std::uint64_t>(value));
    }
    // An empty text is the empty value: the file cannot tell them apart.
    static RosterValue text(std::string value) {
        return value.empty() ? RosterValue{} : boxed(new std::string(std::move(value)));
    }
    static RosterValue text(std::string_view value) {
        return value.empty() ? RosterValue{} : boxed(new std::string(value));
    }
    static RosterValue text(const char* value) { return text(std::string_view(value)); }

    RosterValue(const RosterValue& other) : bits_(other.bits_) {
        if (isText()) bits_ = boxed(new std::string(other.textRef())).release();
    }
    RosterValue(RosterValue&& other) noexcept : bits_(std::exchange(other.bits_, kEmpty)) {}
    RosterValue& operator=(const RosterValue& other) {
        if (this != &other) *this = RosterValue(other);
        return *this;
    }
    RosterValue& operator=(RosterValue&& other) noexcept {
        if (this != &other) {
            destroyText();
            bits_ = std::exchange(other.bits_, kEmpty);
        }
        return *this;
    }
    ~RosterValue() { destroyText(); }

    bool isEmpty() const { return bits_ == kEmpty; }
    bool isNumber() const { return (bits_ & kTagMask) != kTag; }
    bool isText() const { return !isNumber() && !isEmpty(); }
    double asNumber() const {
        if (!isNumber()) throw std::bad_variant_access();
        return std::bit_cast<double>(bits_);
    }
    const std::string& asText() const {
        if (!isText()) throw std::bad_variant_access();
        return textRef();
    }

    // How the roster file writes it: the number format with its trailing
    // blank, the bare text, or the text in double quotes where the bare text
    // would not read back as this value (empty, a blank, comma or line end in
    // it, or a text that reads as a number). Nothing when even the quotes
    // cannot carry it: a text that needs them and holds a double quote.
    std::optional<std::string> fileText() const;
    // The same, appended to a line being built; false (and nothing appended)
    // when the value cannot be written.
    bool appendFileText(std::string& out) const;
    // Whether the file can carry it (what appendFileText would say), without
    // writing it.
    bool fitsInFile() const;

    bool operator==(const RosterValue& other) const {
        if (isNumber() || other.isNumber())
            return isNumber() && other.isNumber() && asNumber() == other.asNumber();
        if (isEmpty() || other.isEmpty()) return isEmpty() && other.isEmpty();
        return textRef() == other.textRef();
    }

private:
    // Sign, all exponent bits and the quiet bit: the negative quiet NaNs.
    static constexpr std::uint64_t kTag = 0xFFF8'0000'0000'0000;
    static constexpr std::uint64_t kTagMask = kTag;
    static constexpr std::uint64_t kEmpty = kTag;  // no text
    static constexpr std::uint64_t kNumberNaN = 0x7FF8'0000'0000'0000;

    explicit RosterValue(std::uint64_t bits) : bits_(bits) {}
    // A text's address in the payload. Heap addresses of the systems we build
    // for use at most 48 bits; one that would not fit is refused like memory
    // that cannot be had.
    static RosterValue boxed(std::string* text) {
        const auto address = reinterpret_cast<std::uintptr_t>(text);
        if ((static_cast<std::uint64_t>(address) & kTagMask) != 0) {
            delete text;
            throw std::bad_alloc();
        }
        return RosterValue(kTag | static_cast<std::uint64_t>(address));
    }
    std::uint64_t release() { return std::exchange(bits_, kEmpty); }
    const std::string& textRef() const {
        return *reinterpret_cast<const std::string*>(static_cast<std::uintptr_t>(bits_ & ~kTagMask));
    }
    void destroyText() noexcept {
        if (isText()) delete &textRef();
        bits_ = kEmpty;
    }
    // Whether a text goes into the file bare, as it is.
    static bool bare(const std::string& text);

    std::uint64_t bits_ = kEmpty;
};

// A count cannot pass this; adding beyond it is refused.
inline constexpr int kMaxRosterCount = 32767;

// The in-memory roster: three groups of parallel lists indexed from 0. Once a
// group holds n entries, each of its lists has n + 1 slots; slot n is a spare,
// empty one. A group that never held an entry has no slots at all. The bots'
// model and skin halves are the exception: only the bot editor uses them, so
// reading leaves them without slots until it makes them (makeBotHalves).
struct Roster {
    std::int16_t BotCount = 0;
    std::int16_t TeamCount = 0;
    std::int16_t ViewWeaponCount = 0;

    // The names and the model/skin texts as read are kept end to end: a
    // roster of 32,767 bots is read at every start.
    TextList BotNames, BotModelSkins;
    std::vector<std::string> BotModels, BotSkins;
    std::vector<RosterValue> BotAccuracy, BotAgressiveness, BotCombatSkills, BotFavoriteWeapon, BotQuadFreak,
        BotCamper, BotPing;

    std::vector<std::string> TeamNames, TeamShortNames, TeamModelSkins, TeamModels, TeamSkins, TeamMembers;

    std::vector<std::string> ViewWeaponLines;

    // Resize every list of a group together, keeping the contents.
    void resizeBots(std::size_t slots);
    // Gives the model and skin halves the slots of the other bot lists,
    // keeping the texts of the slots they have.
    void makeBotHalves();
    void resizeTeams(std::size_t slots);
    void resizeViewWeapons(std::size_t slots);

    // Empty roster: counts 0, no slots.
    void clear();

    bool operator==(const Roster&) const = default;
};

}  // namespace vexmoor
