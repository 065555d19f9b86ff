#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

class WindowModel;

// The title a message box carries when nothing else is named.
inline constexpr const char* kApplicationTitle = "vexmoor";

enum class Icon { None, Exclamation, Critical, Information };
enum class Buttons {
    Ok,
    YesNo,
    RetryCancel,
    // Before changes that are not written would be lost: the editor's own
    // write, going on without it, staying. Cancel is what Escape answers.
    WriteDiscardCancel,  // "&Write and Return", "&Discard", "Cancel"
    WriteReturnCancel,   // "&Write and Return", "Return &Without Writing", "Cancel"
    WriteLaunchCancel,   // "&Write and Launch", "Launch &Anyway", "Cancel"
};
// Write and WithoutWriting answer the last three sets: Discard, Return
// Without Writing and Launch Anyway all go on without writing.
enum class Answer { Ok, Yes, No, Retry, Cancel, Write, WithoutWriting };

struct Message {
    std::string text;
    std::string title = kApplicationTitle;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    // The button Enter presses (and what the box answers to a user who only
    // confirms); the first of the set when not given.
    std::optional<Answer> defaultAnswer = std::nullopt;
};

// Modal message boxes; returns the button pressed.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer show(const Message& message) = 0;

    void inform(std::string text, std::string title = kApplicationTitle, Icon icon = Icon::None) {
        show(Message{std::move(text), std::move(title), icon, Buttons::Ok});
    }
};

// Showing and closing windows. Enabling and disabling the opener is the
// window models' business (they own an enabled property); the port only puts
// windows on screen, gives them the focus and ends the program.
class Windows {
public:
    virtual ~Windows() = default;
    virtual void open(WindowModel& window) = 0;
    virtual void close(WindowModel& window) = 0;
    virtual void focus(WindowModel& window) = 0;
    virtual void quit() = 0;
};

class Alert {
public:
    virtual ~Alert() = default;
    virtual void beep() = 0;
};

// Starts a program detached, without a shell, in a working directory.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // knownProgram: a path that, when the command line begins with it, is the
    // whole program path even if it holds blanks. Returns an error text, or
    // nothing when the program started.
    virtual std::optional<std::string> start(const std::string& commandLine,
                                             const std::filesystem::path& workingDirectory,
                                             const std::string& knownProgram) = 0;
};

// The roots the game directory chooser offers in its drive list.
struct Drive {
    std::string label;             // as the list shows it
    std::filesystem::path root;    // where choosing it starts
};

class Drives {
public:
    virtual ~Drives() = default;
    virtual std::vector<Drive> list() const = 0;
    // The entry the chooser starts on.
    virtual std::size_t startIndex() const = 0;
};

// Where Vexmoor keeps its own files: the settings file, and the folder of
// the earlier versions of the files it rewrites.
class SettingsLocation {
public:
    virtual ~SettingsLocation() = default;
    virtual std::filesystem::path settingsFile() const = 0;
    // The folder of the saved game setups; by default "vexmoor/setups"
    // beside the settings file.
    virtual std::filesystem::path setupsFolder() const {
        return settingsFile().parent_path() / "vexmoor" / "setups";
    }
    virtual std::filesystem::path versionsFolder() const = 0;
};

// Files. Unlike the ports above these are plain functions, since there is
// one file system: tests use real temporary folders. They are defined by the
// platform room (platform/file_io.cpp), which holds the system calls.

// Reads a whole file as bytes. A missing file gives an error whose reason is
// kMissingFileReason, so callers can tell it from an unreadable one.
Result<std::string> readWholeFile(const std::filesystem::path& path);

inline constexpr const char* kMissingFileReason = "the file does not exist";

// Reads `length` bytes of a file from `offset`: the part of an archive or a
// map that is needed, without the rest. An error when the file is missing,
// cannot be read or ends before that part does.
Result<std::string> readFilePart(const std::filesystem::path& path, std::uint64_t offset, std::size_t length);

// Replaces a file's whole content safely: a temporary file in the same folder
// is written, synced and renamed over the old one, keeping the old file's
// permissions (on Windows its hidden, system and archive marks). On any
// failure the old file is left exactly as it was. A file or folder that
// carries no write permission at all counts as read-only and is refused even
// for a user the system would let through; on Windows only a file, since a
// folder's read-only mark does not keep files from being written there.
Status writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Makes a file that must not exist yet and writes the bytes into it, synced.
// It is made exclusively: of two programs making the same file at once, one
// succeeds and the other gets an error whose reason is kFileExistsReason, and
// the file stays the first one's. Readers may see the file before its bytes
// are all there, so it suits files that something written later completes.
// On a failure after it was made, the file is removed again.
Status writeNewFile(const std::filesystem::path& path, std::string_view bytes);

inline constexpr const char* kFileExistsReason = "the file exists already";

// The names of the ordinary files in a folder whose names end in the given
// extension, compared without regard to ASCII case. Ordinary files are
// regular files (a link to one counts) that are not hidden: no name beginning
// with a dot and, on Windows, no hidden or system mark. In no particular
// order. An error when the folder cannot be listed.
Result<std::vector<std::string>> listFiles(const std::filesystem::path& folder, std::string_view extension);

// Whether a folder holds at least one ordinary file (as listFiles counts
// them); false as well when it cannot be listed.
bool holdsOrdinaryFile(const std::filesystem::path& folder);

// Whether a regular file of that exact name exists.
bool regularFileExists(const std::filesystem::path& path);

// Whether two names reach the same existing file, however they are written
// (letter case where the system ignores it, "..", links). False when either
// is missing.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether a folder entry is a player model's folder: a folder (a link to one
// counts) that is not hidden. On Windows: the directory attribute and none of
// read-only, hidden, system and archive; elsewhere a name not beginning with ".".
bool isPlainFolder(const std::filesystem::directory_entry& entry);

// A path's text as the program keeps texts: on Windows the Windows-1252
// bytes of its name (a character that code page cannot hold becomes "?"),
// elsewhere the name's bytes as they are. pathFromText is the way back; every
// path the program builds from a text (the game directory, a file name in a
// list) goes through it, so a folder named with accented letters is found
// from the settings file's bytes.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

}  // namespace vexmoor
