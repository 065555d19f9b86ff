#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "roster/roster.h"

namespace vexmoor {

// How the game modification reads the files Vexmoor writes, and where it
// reads something other than what the file says. The editors show these
// warnings in a line of their own; nothing is refused because of them. Each
// warning is one sentence that says what the game will do.
namespace game_rules {

// Limits of the game's readers.
inline constexpr std::size_t kPlayerNameLength = 15;
inline constexpr std::size_t kBufferLength = 128;  // names, model/skin texts
inline constexpr std::size_t kTeamLimit = 64;
inline constexpr std::size_t kMemberLimit = 32;
inline constexpr std::size_t kAbbreviationLength = 4;
inline constexpr std::size_t kChatLineLength = 256;
inline constexpr std::size_t kChatLinesPerSection = 64;
inline constexpr std::size_t kMapCycleLimit = 256;
inline constexpr std::size_t kMapNameLength = 64;

// A bot's name alone, as the new-bot dialog checks it while the user types.
std::vector<std::string> botNameWarnings(std::string_view name);

// Everything of bot i as it would be written: its name, its model/skin text
// ("model/skin"), and its seven values.
std::vector<std::string> botWarnings(const Roster& roster, std::size_t bot, std::string_view modelSkin);

// A team as the team editor holds it: its place in the list (0-based; the
// game reads 64), name, abbreviation and member names.
std::vector<std::string> teamWarnings(std::size_t index, std::string_view name, std::string_view abbreviation,
                                      const std::vector<std::string>& members);

// The eight chat sections, in file order.
inline constexpr std::size_t kChatSections = 8;
inline constexpr std::size_t kDropItemSection = 6;

// One chat line of a section, as the user types it or the editor lists it.
std::vector<std::string> chatLineWarnings(std::size_t section, std::string_view line);

// The whole chat file about to be written: empty sections, too many lines.
std::vector<std::string> chatFileWarnings(const std::vector<std::vector<std::string>>& sections);

// Whether a map cycle entry is a comment line: its first character other than
// a blank or tab is "#", and the game skips from there to the line end.
bool isMapCycleComment(std::string_view entry);

// The map cycle about to be written. Comment lines are no names: they are
// neither checked nor counted.
std::vector<std::string> mapCycleWarnings(const std::vector<std::string>& maps);

// The client latency as the " +cmd lag" piece gives it to the game, which
// reads it as a whole number and keeps only 1 to 999.
std::vector<std::string> latencyWarnings(std::string_view text);

// Warnings as an editor's warning line shows them: one sentence a line, the
// first `limit` of them and then how many more there are, so that a file full
// of doubtful lines does not make the window as tall as the file.
std::string warningText(const std::vector<std::string>& warnings, std::size_t limit = 6);

}  // namespace game_rules
}  // namespace vexmoor
