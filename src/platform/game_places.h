#pragma once

#include "launcher/game_places.h"

namespace vexmoor {

// Where this system keeps games: on Windows the registry's Steam and GOG
// folders, drive c and the fixed drives; elsewhere the home folder and the
// folders the system installs games in.
class SystemGamePlaces : public GamePlaces {
public:
    SystemFolders folders() const override;
};

}  // namespace vexmoor
