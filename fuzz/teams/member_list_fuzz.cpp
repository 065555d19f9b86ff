// Feeds arbitrary bytes to the scan of a team's member list, as the team
// editor reads it from bots.cfg. Beyond "no crash": the names found hold no
// double quote and no more bytes than the list; the list the editor builds
// from any names without a double quote scans back to the same names; and a
// team carrying that list is written to bots.cfg and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "roster/game_rules.h"
#include "roster/roster_file.h"
#include "teams/member_list.h"

using vexmoor::fuzzing::piecesOf;
using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The input as a member list read from the file.
    const std::vector<std::string> names = vexmoor::memberNames(bytes);
    std::size_t total = 0;
    for (const std::string& name : names) {
        require(name.find('"') == std::string::npos);
        total += name.size() + 2;
    }
    require(total <= size);
    const std::string rebuilt = vexmoor::memberList(names);
    require(vexmoor::memberNames(rebuilt) == names);
    static_cast<void>(vexmoor::game_rules::teamWarnings(names.size(), bytes, bytes, names));

    // The input as the names of checked bots (cut at NUL bytes).
    std::vector<std::string> checked = piecesOf(bytes, '\0');
    for (std::string& name : checked) std::erase(name, '"');
    const std::string list = vexmoor::memberList(checked);
    require(list.front() == '[' && list.back() == ']');
    require(vexmoor::memberNames(list) == checked);

    // Both lists as teams of a roster, through the file and back.
    vexmoor::Roster roster;
    roster.resizeTeams(3);
    roster.TeamCount = 2;
    roster.TeamNames = {"Read", "Built", ""};
    roster.TeamShortNames = {"R", "B", ""};
    roster.TeamModelSkins = {"male/grunt", "female/athena", ""};
    roster.TeamMembers = {std::string(bytes), list, ""};
    const auto source = vexmoor::ModelSkinSource::AsRead;
    if (!vexmoor::unwritableRosterReason(roster, source)) {
        const std::string written = vexmoor::rosterFileBytes(roster, source);
        // The start-up tidy step keeps every line the writer wrote.
        require(vexmoor::tidiedRosterBytes(written) == written);
        vexmoor::Roster again;
        require(vexmoor::readRosterBytes(written, "bots.cfg", again).isOk());
        require(again.TeamCount == 2);
        require(again.TeamMembers[0] == roster.TeamMembers[0]);
        require(again.TeamMembers[1] == list);
    }
    return 0;
}
