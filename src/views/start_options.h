#pragma once

#include <optional>
#include <string>

#include <QStringList>

namespace vexmoor {

class GamePlaces;
class SettingsLocation;

// What a start that opens the main window is asked to do besides.
struct StartOptions {
    // The game setup to come up with, by name.
    std::optional<std::string> setup;
    // Launch that setup's game at once, as Launch! does.
    bool launch = false;
};

// What the command line asks for: either an answer that needs no window
// (the help, the version, the list of setups, the games found, or why the
// options cannot be followed), printed and followed by the exit status, or a start.
struct CommandLineRequest {
    std::optional<int> exitStatus;  // set: print, then end with it
    std::string output;             // bytes for standard output
    std::string errors;             // bytes for standard error
    StartOptions start;
};

// Exit statuses besides 0: the options cannot be followed as given (an
// unknown setup, a missing name), or what they need cannot be read.
inline constexpr int kUsageStatus = 2;
inline constexpr int kFailureStatus = 1;

// Reads the arguments, the program's own name first. Options it does not
// know are ignored, as they always were. A setup named with --setup is
// looked up here, before any window: one that the stored game directory
// does not have ends the program with status 2 and the setups it has.
// --find-games searches the places given. Needs a QCoreApplication, and no display.
CommandLineRequest readCommandLine(const QStringList& arguments, const SettingsLocation& settings,
                                   const GamePlaces& places);

}  // namespace vexmoor
