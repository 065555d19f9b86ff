#pragma once

#include <string>
#include <vector>

namespace vexmoor {

// The installed player models and their skins, found afresh at each call
// under the game directory text given (the players folder is
// "baseq2/players/" beneath it). Both lists come in byte order, so they do not
// reshuffle between runs; a missing folder gives an empty list, not an error.

// The model folders: plain folders only (see isPlainFolder).
std::vector<std::string> ListModels(const std::string& gameDirectory);

// The skins of one model: every entry matching "*.pcx" in any case, less the
// icons ("*_i.pcx"), the weapon skin ("weapon*") and "*.txt", each name
// without its last four characters.
std::vector<std::string> ListSkins(const std::string& gameDirectory, const std::string& model);

}  // namespace vexmoor
