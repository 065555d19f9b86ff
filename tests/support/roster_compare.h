#pragma once

#include "core/number_text.h"
#include "roster/roster.h"

namespace vexmoor::testing {

// A roster as the file can carry it: numbers keep the 15 significant digits
// the number format writes, and the bots' model and skin halves, which only
// the bot editor makes, are not there. Reading back a written roster gives this.
inline Roster asWritten(Roster roster) {
    roster.BotModels.clear();
    roster.BotSkins.clear();
    for (auto* list : {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills,
                       &roster.BotFavoriteWeapon, &roster.BotQuadFreak, &roster.BotCamper, &roster.BotPing})
        for (RosterValue& value : *list)
            if (value.isNumber()) {
                const std::string text = rosterNumberText(value.asNumber());
                value = RosterValue::number(*parseNumber(text.substr(1, text.size() - 2)) *
                                            (text.front() == '-' ? -1.0 : 1.0));
            }
    return roster;
}

}  // namespace vexmoor::testing
