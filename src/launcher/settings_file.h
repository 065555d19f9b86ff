#pragma once

#include <filesystem>
#include <string>

#include "core/result.h"

namespace vexmoor {

class VexmoorMain;

// The launcher's four-line settings file: the game directory, sixteen check
// box states, the deathmatch flags total and fourteen server fields.

// The bytes the writer puts in the file for the main window's current
// controls, the game directory text and the given flags total.
std::string settingsFileBytes(const VexmoorMain& main, double flagsTotal);

// A stored text may not hold a double quote: the format has no escape for it.
// Returns the name of the first offending field, or an empty text.
std::string fieldWithDoubleQuote(const VexmoorMain& main);

Status writeSettingsFile(const std::filesystem::path& path, const VexmoorMain& main, double flagsTotal);

// Reads the fields in order and applies each at once through its control,
// so every control's change behaviour runs as if the user had made the change.
// The flags total is replaced after the check boxes; the game directory text
// is applied last. On a broken field reading stops there: the fields applied
// so far keep their values. A missing file gives kMissingFileReason.
Status readSettingsFile(const std::filesystem::path& path, VexmoorMain& main);

// The same, from bytes already read (for the fuzz target).
Status applySettingsBytes(std::string_view bytes, const std::string& fileName, VexmoorMain& main);

// The game directory the settings file stores (its first field), read
// without a main window: for what the command line answers with no window.
// A missing file gives kMissingFileReason.
Result<std::string> readStoredGameDirectory(const std::filesystem::path& path);

}  // namespace vexmoor
