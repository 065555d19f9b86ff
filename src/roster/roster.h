#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vexmoor {

// The value of one numeric bot field: a number, the text of an item that was
// not a number, or empty. A roster holds seven of them for every bot, so they
// are kept small: the number in place, a text (rare) on the heap.
class RosterValue {
public:
    RosterValue() noexcept : number_(0) {}
    static RosterValue number(double value) { return RosterValue(value); }
    // An empty text is the empty value: the file cannot tell them apart.
    static RosterValue text(std::string value) {
        return value.empty() ? RosterValue{} : RosterValue(new std::string(std::move(value)));
    }
    static RosterValue text(std::string_view value) {
        return value.empty() ? RosterValue{} : RosterValue(new std::string(value));
    }
    static RosterValue text(const char* value) { return text(std::string_view(value)); }

    RosterValue(const RosterValue& other) : number_(0), kind_(other.kind_) {
        if (kind_ == Kind::Text)
            text_ = new std::string(*other.text_);
        else if (kind_ == Kind::Number)
            number_ = other.number_;
    }
    RosterValue(RosterValue&& other) noexcept : number_(0) { take(other); }
    RosterValue& operator=(const RosterValue& other) {
        if (this != &other) *this = RosterValue(other);
        return *this;
    }
    RosterValue& operator=(RosterValue&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~RosterValue() { release(); }

    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }
    double asNumber() const {
        if (kind_ != Kind::Number) throw std::bad_variant_access();
        return number_;
    }
    const std::string& asText() const {
        if (kind_ != Kind::Text) throw std::bad_variant_access();
        return *text_;
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
        if (kind_ != other.kind_) return false;
        if (kind_ == Kind::Number) return number_ == other.number_;
        return kind_ == Kind::Empty || *text_ == *other.text_;
    }

private:
    enum class Kind : unsigned char { Empty, Number, Text };
    explicit RosterValue(double value) : number_(value), kind_(Kind::Number) {}
    explicit RosterValue(std::string* value) : text_(value), kind_(Kind::Text) {}
    void release() noexcept {
        if (kind_ == Kind::Text) delete text_;
        kind_ = Kind::Empty;
    }
    // Takes over another value, which is left empty.
    void take(RosterValue& other) noexcept {
        kind_ = other.kind_;
        if (kind_ == Kind::Text)
            text_ = std::exchange(other.text_, nullptr);
        else if (kind_ == Kind::Number)
            number_ = other.number_;
        other.kind_ = Kind::Empty;
    }
    // Whether a text goes into the file bare, as it is.
    static bool bare(const std::string& text);

    union {
        double number_;
        std::string* text_;
    };
    Kind kind_ = Kind::Empty;
};

// A count cannot pass this; adding beyond it is refused.
inline constexpr int kMaxRosterCount = 32767;

// The in-memory roster: three groups of parallel lists indexed from 0. Once a
// group holds n entries, each of its lists has n + 1 slots; slot n is a spare,
// empty one. A group that never held an entry has no slots at all.
struct Roster {
    std::int16_t BotCount = 0;
    std::int16_t TeamCount = 0;
    std::int16_t ViewWeaponCount = 0;

    std::vector<std::string> BotNames, BotModelSkins, BotModels, BotSkins;
    std::vector<RosterValue> BotAccuracy, BotAgressiveness, BotCombatSkills, BotFavoriteWeapon, BotQuadFreak,
        BotCamper, BotPing;

    std::vector<std::string> TeamNames, TeamShortNames, TeamModelSkins, TeamModels, TeamSkins, TeamMembers;

    std::vector<std::string> ViewWeaponLines;

    // Resize every list of a group together, keeping the contents.
    void resizeBots(std::size_t slots);
    void resizeTeams(std::size_t slots);
    void resizeViewWeapons(std::size_t slots);

    // Empty roster: counts 0, no slots.
    void clear();

    bool operator==(const Roster&) const = default;
};

}  // namespace vexmoor
