#include "roster/roster.h"

#include "core/number_text.h"

namespace vexmoor {

std::string RosterValue::fileText() const {
    if (isNumber()) return rosterNumberText(asNumber());
    if (isText()) return asText();
    return {};
}

void Roster::resizeBots(std::size_t slots) {
    for (auto* list : {&BotNames, &BotModelSkins, &BotModels, &BotSkins}) list->resize(slots);
    for (auto* list : {&BotAccuracy, &BotAgressiveness, &BotCombatSkills, &BotFavoriteWeapon,
                       &BotQuadFreak, &BotCamper, &BotPing})
        list->resize(slots);
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
