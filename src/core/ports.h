#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

}  // namespace vexmoor
