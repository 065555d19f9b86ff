#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vexmoor {

// The value of one numeric bot field: a number, the text of an item that was
// not a number, or empty.
class RosterValue {
public:
    RosterValue() = default;
    static RosterValue number(double value) { return RosterValue(value); }
    // An empty text is the empty value: the file cannot tell them apart.
    static RosterValue text(std::string value) {
        return value.empty() ? RosterValue{} : RosterValue(std::move(value));
    }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(data_); }
    bool isNumber() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }
    double asNumber() const { return std::get<double>(data_); }
    const std::string& asText() const { return std::get<std::string>(data_); }

    // How the roster file writes it: the number format with its trailing
    // blank, the bare text, or the text in double quotes where the bare text
    // would not read back as this value (empty, a blank, comma or line end in
    // it, or a text that reads as a number). Nothing when even the quotes
    // cannot carry it: a text that needs them and holds a double quote.
    std::optional<std::string> fileText() const;
    // The same, appended to a line being built; false (and nothing appended)
    // when the value cannot be written.
    bool appendFileText(std::string& out) const;

    bool operator==(const RosterValue&) const = default;

private:
    explicit RosterValue(double value) : data_(value) {}
    explicit RosterValue(std::string value) : data_(std::move(value)) {}
    std::variant<std::monostate, double, std::string> data_;
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
