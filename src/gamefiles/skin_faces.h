#pragma once

#include <string>

#include "core/result.h"
#include "gamefiles/pcx_file.h"

namespace vexmoor {

// The face picture of a skin: "<skin>_i.pcx" beside the skin in its model's
// folder under the game directory text given, found without regard to case
// as the skin list finds skins. A skin without one gives an error whose
// reason is kMissingFileReason; a damaged one, the reader's reason. The
// error names the file from the game directory on ("baseq2/players/...").
Result<Picture> readSkinFace(const std::string& gameDirectory, const std::string& model,
                             const std::string& skin);

}  // namespace vexmoor
