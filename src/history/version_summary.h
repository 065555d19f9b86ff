#pragma once

#include <string>
#include <string_view>

#include "history/version_store.h"

namespace vexmoor {

// The one line the Earlier Versions window shows for a version, read from
// the version's bytes as Vexmoor would read the file: "12 bots, 3 teams"
// for a roster (after the start-up tidy step, as the next start reads it),
// "8 sections, 143 lines" for the chat file, "14 maps" for a map cycle
// (comment lines are no maps), the game directory for the settings file.
std::string versionSummary(KeptFile file, std::string_view bytes);

}  // namespace vexmoor
