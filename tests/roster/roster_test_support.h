#pragma once

#include <array>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "roster/roster.h"

namespace vexmoor {

// Readable values in failure output.
inline void PrintTo(const RosterValue& value, std::ostream* out) {
    if (value.isNumber())
        *out << "number " << value.asNumber();
    else if (value.isText())
        *out << "text \"" << value.asText() << '"';
    else
        *out << "empty";
}

}  // namespace vexmoor

namespace vexmoor::testing {

inline RosterValue num(double value) { return RosterValue::number(value); }
inline RosterValue word(std::string text) { return RosterValue::text(std::move(text)); }

// A parameterised case's description as a test name: "a tenth item" -> "ATenthItem".
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param) {
    std::string name;
    bool upper = true;
    for (const char c : std::string(param.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

// One bot or team as a row, so whole groups compare in one assertion.
struct BotRow {
    std::string name;
    std::string modelSkin;
    std::array<RosterValue, 7> values;  // accuracy .. ping, in file order
    bool operator==(const BotRow&) const = default;
};

struct TeamRow {
    std::string name, shortName, modelSkin, members;
    bool operator==(const TeamRow&) const = default;
};

inline void PrintTo(const BotRow& row, std::ostream* out) {
    *out << '{' << row.name << " | " << row.modelSkin;
    for (const auto& value : row.values) {
        *out << " | ";
        PrintTo(value, out);
    }
    *out << '}';
}

inline void PrintTo(const TeamRow& row, std::ostream* out) {
    *out << '{' << row.name << " | " << row.shortName << " | " << row.modelSkin << " | " << row.members
         << '}';
}

// A bot with whole-number values, the way the editors store them.
inline BotRow bot(std::string name, std::string modelSkin, std::array<double, 7> values) {
    BotRow row{std::move(name), std::move(modelSkin), {}};
    for (std::size_t i = 0; i < values.size(); ++i) row.values[i] = num(values[i]);
    return row;
}

inline std::vector<BotRow> botsOf(const Roster& r) {
    std::vector<BotRow> rows;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i)
        rows.push_back({std::string(r.BotNames[i]),
                        std::string(r.BotModelSkins[i]),
                        {r.BotAccuracy[i], r.BotAgressiveness[i], r.BotCombatSkills[i],
                         r.BotFavoriteWeapon[i], r.BotQuadFreak[i], r.BotCamper[i], r.BotPing[i]}});
    return rows;
}

inline std::vector<TeamRow> teamsOf(const Roster& r) {
    std::vector<TeamRow> rows;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.TeamCount); ++i)
        rows.push_back({r.TeamNames[i], r.TeamShortNames[i], r.TeamModelSkins[i], r.TeamMembers[i]});
    return rows;
}

inline std::vector<std::string> viewWeaponsOf(const Roster& r) {
    return {r.ViewWeaponLines.begin(), r.ViewWeaponLines.begin() + r.ViewWeaponCount};
}

// Appends entries the way the editors do: grow by one, fill the old spare slot.
inline void addBot(Roster& r, const BotRow& row, const std::string& model = {},
                   const std::string& skin = {}) {
    const auto i = static_cast<std::size_t>(r.BotCount);
    r.resizeBots(i + 2);
    r.BotNames.set(i, row.name);
    r.BotModelSkins.set(i, row.modelSkin);
    r.BotModels[i] = model;
    r.BotSkins[i] = skin;
    r.BotAccuracy[i] = row.values[0];
    r.BotAgressiveness[i] = row.values[1];
    r.BotCombatSkills[i] = row.values[2];
    r.BotFavoriteWeapon[i] = row.values[3];
    r.BotQuadFreak[i] = row.values[4];
    r.BotCamper[i] = row.values[5];
    r.BotPing[i] = row.values[6];
    ++r.BotCount;
}

inline void addTeam(Roster& r, const TeamRow& row) {
    const auto i = static_cast<std::size_t>(r.TeamCount);
    r.resizeTeams(i + 2);
    r.TeamNames[i] = row.name;
    r.TeamShortNames[i] = row.shortName;
    r.TeamModelSkins[i] = row.modelSkin;
    r.TeamMembers[i] = row.members;
    ++r.TeamCount;
}

inline void addViewWeapon(Roster& r, const std::string& line) {
    const auto i = static_cast<std::size_t>(r.ViewWeaponCount);
    r.resizeViewWeapons(i + 2);
    r.ViewWeaponLines[i] = line;
    ++r.ViewWeaponCount;
}

}  // namespace vexmoor::testing
