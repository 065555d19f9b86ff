// Feeds arbitrary bytes to the roster reader and the tidy step. Beyond "no
// crash", it checks the properties the rest of the program leans on: every
// group keeps exactly one empty spare slot (the bots' model and skin halves
// none: the bot editor makes them), the tidy step is idempotent, and
// every roster the writer accepts survives the next start's tidy step, reads
// back as the same roster (numbers to the digits the file keeps) and writes
// the same bytes again. The editors' warnings take every bot it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "roster/game_rules.h"
#include "roster/roster_file.h"
#include "support/roster_compare.h"

using vexmoor::ModelSkinSource;
using vexmoor::Roster;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

template <class List>
void requireSpareSlot(std::int16_t count, const List& list) {
    require(count >= 0);
    if (count == 0 && list.empty()) return;
    require(list.size() == static_cast<std::size_t>(count) + 1);
    require(list.back() == typename List::value_type{});
}

void requireSpareSlots(const Roster& r) {
    for (const auto* list : {&r.BotNames, &r.BotModelSkins}) requireSpareSlot(r.BotCount, *list);
    // The model and skin halves wait for the bot editor to make them.
    require(r.BotModels.empty() && r.BotSkins.empty());
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        requireSpareSlot(r.BotCount, *list);
    for (const auto* list :
         {&r.TeamNames, &r.TeamShortNames, &r.TeamModelSkins, &r.TeamModels, &r.TeamSkins, &r.TeamMembers})
        requireSpareSlot(r.TeamCount, *list);
    requireSpareSlot(r.ViewWeaponCount, r.ViewWeaponLines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string tidied = vexmoor::tidiedRosterBytes(bytes);
    require(vexmoor::tidiedRosterBytes(tidied) == tidied);

    Roster roster;
    const vexmoor::Status status = vexmoor::readRosterBytes(bytes, "fuzz", roster);
    requireSpareSlots(roster);
    if (!status) {
        require(status.error().line > 0);
        return 0;
    }

    for (std::size_t i = 0; i < static_cast<std::size_t>(roster.BotCount); ++i)
        static_cast<void>(vexmoor::game_rules::botWarnings(roster, i, roster.BotModelSkins[i]));

    const std::string written = vexmoor::rosterFileBytes(roster, ModelSkinSource::AsRead);
    Roster again;
    const vexmoor::Status reread = vexmoor::readRosterBytes(written, "written", again);
    requireSpareSlots(again);
    if (!vexmoor::unwritableRosterReason(roster, ModelSkinSource::AsRead)) {
        require(vexmoor::tidiedRosterBytes(written) == written);
        require(reread.isOk());
        require(again == vexmoor::testing::asWritten(roster));
        require(vexmoor::rosterFileBytes(again, ModelSkinSource::AsRead) == written);
    }
    return 0;
}
