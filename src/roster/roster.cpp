#include "roster/roster.h"

#include "core/number_text.h"

namespace vexmoor {

bool RosterValue::bare(const std::string& text) {
    return text.front() != '"' && text.find_first_of(" \t\v\f,\r\n") == std::string::npos && !parseNumber(text);
}

bool RosterValue::fitsInFile() const {
    return !isText() || bare(textRef()) || textRef().find('"') == std::string::npos;
}

bool RosterValue::appendFileText(std::string& out) const {
    if (isNumber()) {
        appendRosterNumberText(out, asNumber());
        return true;
    }
    if (isEmpty()) {
        out += "\"\"";
        return true;
    }
    const std::string& text = textRef();
    if (bare(text)) {
        out += text;
        return true;
    }
    if (text.find('"') != std::string::npos) return false;
    out += '"';
    out += text;
    out += '"';
    return true;
}

std::optional<std::string> RosterValue::fileText() const {
    std::string out;
    if (!appendFileText(out)) return std::nullopt;
    return out;
}

void Roster::resizeBots(std::size_t slots) {
    BotNames.resize(slots);
    BotModelSkins.resize(slots);
    BotModels.resize(slots);
    BotSkins.resize(slots);
    for (auto* list : {&BotAccuracy, &BotAgressiveness, &BotCombatSkills, &BotFavoriteWeapon, &BotQuadFreak,
                       &BotCamper, &BotPing})
        list->resize(slots);
}

void Roster::makeBotHalves() {
    BotModels.resize(BotNames.size());
    BotSkins.resize(BotNames.size());
}

void Roster::resizeTeams(std::size_t slots) {
    for (auto* list : {&TeamNames, &TeamShortNames, &TeamModelSkins, &TeamModels, &TeamSkins, &TeamMembers})
        list->resize(slots);
}

void Roster::resizeViewWeapons(std::size_t slots) { ViewWeaponLines.resize(slots); }

void Roster::clear() {
    BotCount = TeamCount = ViewWeaponCount = 0;
    resizeBots(0);
    resizeTeams(0);
    resizeViewWeapons(0);
}

}  // namespace vexmoor
