#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexmoor::testing {

// Windows has one settings file for everyone, c:\vexmoor.ini. The tests that
// write it take turns, across test processes: one holds this while it lives.
// Elsewhere every test has a settings file of its own, and this does nothing.
class SettingsFileTurn {
public:
    SettingsFileTurn();
    ~SettingsFileTurn();
    SettingsFileTurn(const SettingsFileTurn&) = delete;
    SettingsFileTurn& operator=(const SettingsFileTurn&) = delete;

private:
    void* mutex_ = nullptr;
};

// The folders the program itself keeps its settings, setups and earlier
// versions in, moved below a test's folder while this lives, for tests of the
// whole program: its config/ and data/ (on POSIX systems XDG_CONFIG_HOME and
// XDG_DATA_HOME, with HOME its home/; on Windows APPDATA and LOCALAPPDATA),
// so the program's settings file and setups are where a MainFixture on the
// same folder keeps them. Only Windows' settings file stays where it is,
// c:\vexmoor.ini: written only under Wine (the tests' own Wine prefix), in
// turns, and removed afterwards.
class ProgramFolders {
public:
    explicit ProgramFolders(const std::filesystem::path& root);
    ~ProgramFolders();
    ProgramFolders(const ProgramFolders&) = delete;
    ProgramFolders& operator=(const ProgramFolders&) = delete;

    // Why a test may not write the program's settings file here (on Windows
    // outside Wine it is the user's own), or nothing.
    static std::optional<std::string> unavailable();
    // The settings file the program reads.
    const std::filesystem::path& settingsFile() const { return settingsFile_; }
    // Puts a copy of this settings file where the program reads it, unless it is that file.
    void useSettings(const std::filesystem::path& file) const;

private:
    void set(const char* name, const std::filesystem::path& value);

    SettingsFileTurn turn_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    std::filesystem::path settingsFile_;
};

}  // namespace vexmoor::testing
