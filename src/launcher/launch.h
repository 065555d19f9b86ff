#pragma once

#include <string>

namespace vexmoor {

class VexmoorMain;

// The console script the game reads: the bots line, or the join and teams
// lines (which replace a bots line), or nothing at all.
std::string launcherCfgBytes(const VexmoorMain& main);

// The command line: the game directory, the fixed head, then the fragments
// and built pieces in their fixed order.
std::string launchCommandLine(const VexmoorMain& main);

}  // namespace vexmoor
