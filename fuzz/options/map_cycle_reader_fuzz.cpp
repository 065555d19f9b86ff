// Feeds arbitrary bytes to the map cycle reader. Beyond "no crash": every
// cycle whose names the file can carry (no comma or line end in a name, none
// beginning with a blank, a tab or a double quote or ending in a CR; a
// comment line may hold commas and begin with blanks) reads back from what the writer makes of it as the
// same cycle, empty names included. The editor's warnings take every cycle
// read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "options/map_cycle_file.h"
#include "roster/game_rules.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool carried(const std::string& name) {
    if (name.find('\n') != std::string::npos) return false;
    // CRs at a field's end are passed over.
    if (!name.empty() && name.back() == '\r') return false;
    // A comment line keeps its commas and its leading blanks.
    if (vexmoor::game_rules::isMapCycleComment(name)) return true;
    // Blanks and tabs before a field are passed over.
    return name.find(',') == std::string::npos &&
           (name.empty() || std::string_view(" \t\v\f\"").find(name[0]) == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> maps = vexmoor::readMapCycleBytes(bytes);
    // Every field takes at least its delimiter or its first byte.
    require(maps.size() <= size);
    static_cast<void>(vexmoor::game_rules::warningText(vexmoor::game_rules::mapCycleWarnings(maps)));

    const std::string written = vexmoor::mapCycleBytes(maps);
    const std::vector<std::string> again = vexmoor::readMapCycleBytes(written);
    if (std::all_of(maps.begin(), maps.end(), carried)) {
        require(again == maps);
    }
    return 0;
}
