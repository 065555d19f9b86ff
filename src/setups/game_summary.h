#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "setups/setup.h"

namespace vexmoor {

// A game in one line, as every list of setups and recent games shows it:
// the mode, the map and its title, the bots or bot teams, the skill and the
// limits, each part after " · ". For example
// "CTF on q2ctf1 (Capture Cove) · 6 random bots, skill 1 · time 20".
// `title` gives a map's title, or nothing when it has none to show.
std::string gameSummary(const Setup& setup, const std::function<std::string(const std::string& map)>& title);

// When a recent game was played, as its summary ends, in local time:
// "today 21:14", "yesterday 09:05", "6 Dec 21:14", or "6 Dec 2025" for a
// game of another year.
std::string playedText(std::time_t when, std::time_t now);

// The separator of a summary's parts. A summary holds the game's texts (bot
// and team names, map titles), so it is in the game's code page like them,
// where the middle dot is the byte B7.
inline constexpr const char* kSummarySeparator = " \xB7 ";

}  // namespace vexmoor
