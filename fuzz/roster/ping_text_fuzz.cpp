// Feeds arbitrary texts to the numeric value rule of the ping field
// (leadingNumber) and through the bot profile editor's PingText into the
// roster. Beyond "no crash": the value is never NaN; blanks and whatever
// follows the number do not change it; the number text of any value reads
// back as the same text; and the ping the editor stores is a finite number
// that bots.cfg writes and reads back to the digits it keeps, and that the
// field shows again as the same value when the bot is shown again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "fuzz_support.h"
#include "roster/bot_config_form.h"
#include "roster/game_rules.h"
#include "roster/roster_file.h"
#include "support/roster_compare.h"

using vexmoor::fuzzing::require;

namespace {

vexmoor::Roster twoBots() {
    vexmoor::Roster roster;
    roster.resizeBots(3);
    roster.BotCount = 2;
    for (std::size_t i = 0; i < 2; ++i) {
        roster.BotNames.set(i, i == 0 ? "Pinger" : "Other");
        roster.BotModelSkins.set(i, "male/grunt");
        for (auto* list :
             {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills,
              &roster.BotFavoriteWeapon, &roster.BotQuadFreak, &roster.BotCamper, &roster.BotPing})
            (*list)[i] = vexmoor::RosterValue::number(1);
    }
    return roster;
}

// The same value as the 15 significant digits of the files keep it.
bool sameAsWritten(double a, double b) { return vexmoor::numberText(a) == vexmoor::numberText(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double value = vexmoor::leadingNumber(text);
    require(!std::isnan(value));
    std::string compact(text);
    std::erase(compact, ' ');
    require(vexmoor::leadingNumber(compact) == value);
    require(vexmoor::leadingNumber(std::string(text) + "x;") == value);
    if (std::isfinite(value)) {
        const std::string shown = vexmoor::numberText(value);
        require(vexmoor::numberText(vexmoor::leadingNumber(shown)) == shown);
        const std::string written = vexmoor::rosterNumberText(value);
        const auto parsed = vexmoor::parseNumber(written.substr(
            written.front() == ' ' ? 1 : 0, written.size() - (written.front() == ' ' ? 2 : 1)));
        require(parsed && sameAsWritten(*parsed, value));
    }

    // Typed into the editor's field.
    vexmoor::Roster roster = twoBots();
    vexmoor::fuzzing::QuietDialogs dialogs;
    vexmoor::fuzzing::NoWindows windows;
    vexmoor::BotConfigForm form(vexmoor::BotConfigForm::Host{
        roster, dialogs, windows, [] { return std::string("/nonexistent/vexmoor-fuzz/"); }, [] {}});
    form.PingText.setText(std::string(text));
    const vexmoor::RosterValue& ping = roster.BotPing[0];
    require(ping.isNumber() && std::isfinite(ping.asNumber()));
    if (std::isfinite(value)) require(ping.asNumber() == value);
    static_cast<void>(vexmoor::game_rules::botWarnings(roster, 0, "male/grunt"));

    const auto source = vexmoor::ModelSkinSource::AsRead;
    require(!vexmoor::unwritableRosterReason(roster, source));
    const std::string file = vexmoor::rosterFileBytes(roster, source);
    vexmoor::Roster again;
    require(vexmoor::readRosterBytes(file, "bots.cfg", again).isOk());
    require(again == vexmoor::fuzzing::asReadBack(roster));

    // Shown again: the field's text stands for the stored value.
    const double stored = ping.asNumber();
    form.BotNameList.setSelectedIndex(1);
    form.BotNameList.setSelectedIndex(0);
    require(sameAsWritten(vexmoor::leadingNumber(form.PingText.text()), stored));
    require(roster.BotPing[0] == vexmoor::RosterValue::number(stored));
    return 0;
}
