// Feeds arbitrary bytes to the roster reader and the tidy step. Beyond "no
// crash", it checks the properties the rest of the program leans on: every
// group keeps exactly one empty spare slot, the tidy step is idempotent, and
// a roster the writer can represent faithfully survives write -> read -> write
// byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "roster/roster_file.h"

using vexmoor::ModelSkinSource;
using vexmoor::Roster;
using vexmoor::RosterValue;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

template <class T>
void requireSpareSlot(std::int16_t count, const std::vector<T>& list) {
    require(count >= 0);
    if (count == 0 && list.empty()) return;
    require(list.size() == static_cast<std::size_t>(count) + 1);
    require(list.back() == T{});
}

void requireSpareSlots(const Roster& r) {
    for (const auto* list : {&r.BotNames, &r.BotModelSkins, &r.BotModels, &r.BotSkins})
        requireSpareSlot(r.BotCount, *list);
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        requireSpareSlot(r.BotCount, *list);
    for (const auto* list :
         {&r.TeamNames, &r.TeamShortNames, &r.TeamModelSkins, &r.TeamModels, &r.TeamSkins, &r.TeamMembers})
        requireSpareSlot(r.TeamCount, *list);
    requireSpareSlot(r.ViewWeaponCount, r.ViewWeaponLines);
}

bool fitsInQuotes(std::string_view text) { return text.find('"') == std::string_view::npos; }

// A value written bare reads back as one item only when it holds no
// delimiter, does not open a quote, is not a number in disguise, and is kept
// apart from the next field. Numbers carry their own blanks.
bool valuesSurvive(const std::vector<const RosterValue*>& values) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (values[k]->isNumber()) continue;
        const std::string w = values[k]->fileText();
        if (w.empty() || w.front() == '"' || w.find_first_of(" ,\n") != std::string::npos) return false;
        // A word that reads as a number comes back as a number, with blanks.
        if (vexmoor::parseNumber(w)) return false;
        if (k + 1 < values.size()) {
            const std::string next = values[k + 1]->fileText();
            if (next.empty() || next.front() != ' ') return false;
        }
    }
    return true;
}

bool writtenFaithfully(const Roster& r) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i) {
        if (!fitsInQuotes(r.BotNames[i]) || !fitsInQuotes(r.BotModelSkins[i])) return false;
        std::vector<const RosterValue*> values;
        for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills,
                                 &r.BotFavoriteWeapon, &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
            values.push_back(&(*list)[i]);
        if (!valuesSurvive(values)) return false;
    }
    for (std::size_t t = 0; t < static_cast<std::size_t>(r.TeamCount); ++t) {
        if (!fitsInQuotes(r.TeamNames[t]) || !fitsInQuotes(r.TeamShortNames[t]) ||
            !fitsInQuotes(r.TeamModelSkins[t]))
            return false;
        const std::string& members = r.TeamMembers[t];
        if (members.empty() || members.front() == '"' || members.front() == ' ' ||
            members.find_first_of(",\n") != std::string::npos)
            return false;
    }
    for (std::size_t v = 0; v < static_cast<std::size_t>(r.ViewWeaponCount); ++v)
        if (!fitsInQuotes(r.ViewWeaponLines[v])) return false;
    return true;
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

    const std::string written = vexmoor::rosterFileBytes(roster, ModelSkinSource::AsRead);
    Roster again;
    const vexmoor::Status reread = vexmoor::readRosterBytes(written, "written", again);
    requireSpareSlots(again);
    if (writtenFaithfully(roster)) {
        require(reread.isOk());
        require(again.BotCount == roster.BotCount && again.TeamCount == roster.TeamCount &&
                again.ViewWeaponCount == roster.ViewWeaponCount);
        require(vexmoor::rosterFileBytes(again, ModelSkinSource::AsRead) == written);
    }
    return 0;
}
