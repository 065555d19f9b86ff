#pragma once

#include "core/ports.h"

namespace vexmoor {

// Starts the game the way the system starts programs, never through a
// shell. On Windows the command line goes to the system as it is; elsewhere
// it is split by the Windows rules first, since the game and the texts
// users type into the review window expect them, and a Windows program
// (the usual quake2.exe) is started through Wine: the program VEXMOOR_WINE
// names, or `wine` from PATH.
class SystemProcessStarter : public ProcessStarter {
public:
    std::optional<std::string> start(const std::string& commandLine,
                                     const std::filesystem::path& workingDirectory,
                                     const std::string& knownProgram) override;
};

}  // namespace vexmoor
