#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// The map cycle file under a game directory text.
std::filesystem::path mapCyclePath(const std::string& gameDirectory);

// Reads the cycle field by field: commas and line ends (an LF after any
// number of CRs) separate fields, blanks and tabs before a field are skipped,
// CRs at a field's end are dropped, and a field in double
// quotes is taken without them, commas and all. An empty line stands for an
// empty name; blank lines at the end of the file stand for nothing. A field
// that begins with "#" is a comment to the game: it runs to the line end,
// commas included, and keeps the blanks before it.
std::vector<std::string> readMapCycleBytes(std::string_view bytes);

// One name per line, as it stands, each line ended by CR LF.
std::string mapCycleBytes(const std::vector<std::string>& maps);

Result<std::vector<std::string>> readMapCycle(const std::filesystem::path& path);
// Safe rewrite: on failure the file on disk is left exactly as it was.
Status writeMapCycle(const std::filesystem::path& path, const std::vector<std::string>& maps);

}  // namespace vexmoor
