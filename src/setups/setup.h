#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// A game setup: every option control of the main window's pages as a player
// left it, kept under a name in a file of its own so that the whole game
// comes back in one step. It belongs to the game directory it was saved for.

// What a setup keeps of one control.
enum class SetupKind {
    State,     // check box: 0, 1 or 2
    Position,  // slider or scroll bar: a whole number in the control's range
    Text,      // text box
    Choice,    // option button: chosen or not
    Entry,     // single-choice list: the chosen entry's text, or none
    Entries,   // multiple-choice list: the marked entries' texts, in list order
};

struct SetupControl {
    const char* name;
    SetupKind kind;
    int minimum = 0;  // Position only
    int maximum = 0;
};

// Every control a setup keeps, page by page, in the order a file lists them.
const std::vector<SetupControl>& setupControls();

// The controls and frames whose launch fragments a setup keeps, in the
// order the launch joins them.
const std::vector<std::string>& setupFragmentHolders();

// A value of the kind its control takes: a state or position, a choice, a
// text, a chosen entry (nothing for none) or the marked entries.
using SetupValue = std::variant<int, bool, std::string, std::optional<std::string>, std::vector<std::string>>;

struct Setup {
    // The game directory text it was saved for.
    std::string gameDirectory;
    // By control name; a control the file did not hold (or held damaged) is
    // absent and left as it is when the setup is loaded.
    std::map<std::string, SetupValue> controls;
    // The deathmatch flags total. The boxes' rules add and subtract as they
    // are set, so the total they leave depends on the order of the clicks;
    // the setup keeps the total itself, as the settings file does.
    std::optional<double> flagsTotal;
    // The launch fragment of every fragment holder, by holder name. Some
    // fragments are spelled in more than one way depending on how the
    // control got its value (" +set cheats 0" at start, " +set cheats  0"
    // once clicked twice; " +bot_num 3" or " +set bot_num 3"); the spelling
    // is kept so that the command line comes back exactly.
    std::map<std::string, std::string> fragments;

    bool operator==(const Setup&) const = default;
};

// A setup file that was read: the setup, and what in it had to be passed
// over (a value of the wrong kind or out of range), one line each.
struct SetupRead {
    Setup setup;
    std::vector<std::string> skipped;
};

// The name of the setup every started game is kept as.
inline constexpr const char* kLastGameSetup = "Last game";

// The largest setup file the reader takes: a setup lists a few dozen values
// and the chosen bots, far below this.
inline constexpr std::size_t kLargestSetupFile = 1 << 20;

// The JSON text of a setup: an object whose keys are named after the
// controls, with CR LF line ends. Texts are the game's single bytes
// (Windows-1252), written as the characters they stand for; the game
// directory is the system's text.
std::string setupFileBytes(const Setup& setup);

// Reads a setup file. The file must be a JSON object that names itself a
// Vexmoor setup and names the game directory; anything else is an error
// naming the file and the reason. Keys it does not know are passed over
// without a word (a newer Vexmoor's file still loads); a known key whose
// value is of the wrong kind or out of range is skipped and listed.
Result<SetupRead> readSetupBytes(std::string_view bytes, const std::string& fileName);

// The game directory text as a setup file gives it back: the same text,
// except on POSIX systems for a name that is no UTF-8 text, whose stray
// bytes come back as the code page's characters.
std::string gameDirectoryAsStored(const std::string& gameDirectory);

// Why a setup cannot be called so, or nothing when it can. The name is a
// file name on Windows and on POSIX systems alike, so that setups can be
// shared: not empty, at most kLongestSetupName characters, none of
// < > : " / \ | ? * nor control characters, no reserved device name of
// Windows (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, CONIN$,
// CONOUT$, also before an extension), no dot or blank at the end and no
// dot at the start (a hidden file).
std::optional<std::string> setupNameRefusal(std::string_view name);

inline constexpr std::size_t kLongestSetupName = 50;

}  // namespace vexmoor
