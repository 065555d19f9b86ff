#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ports.h"
#include "core/window_model.h"

namespace vexmoor::testing {

// Records every message box in order; answers from a script (the box's
// default answer, or else the first button of the set, when the script has
// run out). A test may hand some boxes to `respond` instead, the real box
// with a real key among them; a box it answers nothing goes on as above.
class FakeDialogs : public Dialogs {
public:
    Answer show(const Message& message) override;
    std::vector<Message> shown;
    std::deque<Answer> answers;
    std::function<std::optional<Answer>(const Message&)> respond;
    std::vector<std::string> texts() const;
};

// Records opens, closes, focuses and the end of the program.
class FakeWindows : public Windows {
public:
    void open(WindowModel& window) override;
    void close(WindowModel& window) override;
    void focus(WindowModel& window) override;
    void quit() override { ++quits; }

    bool isOpen(const std::string& name) const;
    std::vector<std::string> opened;  // window names, in order
    std::vector<std::string> closed;
    std::vector<std::string> focused;
    int quits = 0;
    std::vector<WindowModel*> openWindows;
};

class FakeAlert : public Alert {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class FakeProcessStarter : public ProcessStarter {
public:
    struct Start {
        std::string commandLine;
        std::filesystem::path workingDirectory;
        std::string knownProgram;
    };
    std::optional<std::string> start(const std::string& commandLine,
                                     const std::filesystem::path& workingDirectory,
                                     const std::string& knownProgram) override;
    std::vector<Start> starts;
    std::optional<std::string> failWith;  // set to make every start fail
};

// The earlier versions go to the folder given, or to "versions" beside the
// settings file: a test's own folder either way, never the user's.
class FakeSettingsLocation : public SettingsLocation {
public:
    explicit FakeSettingsLocation(std::filesystem::path file, std::filesystem::path versions = {})
        : file_(std::move(file)),
          versions_(versions.empty() ? file_.parent_path() / "versions" : std::move(versions)) {}
    std::filesystem::path settingsFile() const override { return file_; }
    std::filesystem::path versionsFolder() const override { return versions_; }

private:
    std::filesystem::path file_;
    std::filesystem::path versions_;
};

// A fresh temporary folder, removed (with write bits restored) afterwards;
// in the system's temporary folder, or in the folder given.
class TempDir {
public:
    explicit TempDir(const std::filesystem::path& in = {});
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The path as a game directory text: ends in the separator.
    std::string text() const;

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// Removes every write bit, as a read-only attribute would.
void makeReadOnly(const std::filesystem::path& path);

}  // namespace vexmoor::testing
