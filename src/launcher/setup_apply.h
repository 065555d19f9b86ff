#pragma once

#include <string>
#include <vector>

#include "setups/setup.h"

namespace vexmoor {

class VexmoorMain;

// The main window's game as a setup: every control a setup keeps, the
// deathmatch flags total and the launch fragments, for its game directory.
Setup captureSetup(const VexmoorMain& main);

// Puts a setup back into the main window as if the user had set each
// control: through the controls' own setters, so every change behaviour
// runs, in an order that keeps the rules from undoing each other (team play
// off before the map type, on after it; the map lists before the type; the
// bot count and spawn mode before the bots). Then the stored flags total
// replaces the one the boxes' rules left, and each launch fragment takes the
// spelling the setup kept where the game reads both alike. Controls the
// setup does not hold stay as they are.
//
// What cannot be applied (a bot or team the roster no longer has, a map file
// no longer listed, team play with no team or on a CTF map) is left as it is
// and described, one sentence each; everything else is applied.
std::vector<std::string> applySetup(const Setup& setup, VexmoorMain& main);

// Whether the game reads two launch fragments alike: the same words, where a
// run of blanks counts as one and "+set name" as "+name". A fragment with a
// double quote must match exactly, since quotes keep blanks.
bool sameToTheGame(const std::string& a, const std::string& b);

}  // namespace vexmoor
