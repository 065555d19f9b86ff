// Feeds arbitrary names to the new-bot dialog, as typed and added. Beyond "no
// crash": a name is either refused with a message and the roster left as it
// was, or added as typed with the defaults; a roster holding it is written to
// bots.cfg, survives the start-up tidy step and reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "roster/new_bot_name.h"
#include "roster/roster_file.h"

using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    vexmoor::Roster roster;
    roster.resizeBots(2);
    roster.BotCount = 1;
    roster.BotNames.set(0, "First");
    roster.BotModelSkins.set(0, "male/grunt");
    for (auto* list : {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills,
                       &roster.BotFavoriteWeapon, &roster.BotQuadFreak, &roster.BotCamper, &roster.BotPing})
        (*list)[0] = vexmoor::RosterValue::number(3);
    const vexmoor::Roster before = roster;

    vexmoor::fuzzing::QuietDialogs dialogs;
    int added = 0;
    vexmoor::NewBotName dialog(
        roster, dialogs, [&added] { ++added; }, [] {});
    dialog.NewBotNameText.setText(name);
    require(dialog.NewBotWarningLabel.visible() == !dialog.NewBotWarningLabel.caption().empty());
    dialog.AddBotButton.click();

    require(dialogs.shown == 1);
    if (added == 0) {
        require(roster == before);
        return 0;
    }
    require(roster.BotCount == 2 && roster.BotNames[1] == name);
    const auto source = vexmoor::ModelSkinSource::AsRead;
    require(!vexmoor::unwritableRosterReason(roster, source));
    const std::string written = vexmoor::rosterFileBytes(roster, source);
    require(vexmoor::tidiedRosterBytes(written) == written);
    vexmoor::Roster again;
    require(vexmoor::readRosterBytes(written, "bots.cfg", again).isOk());
    require(again == vexmoor::fuzzing::asReadBack(roster));
    return 0;
}
