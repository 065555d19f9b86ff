#include "support/program_folders.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/settings_location.h"

namespace vexmoor::testing {

namespace fs = std::filesystem;

namespace {

void putEnv(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable.
    _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

}  // namespace

#ifdef _WIN32

SettingsFileTurn::SettingsFileTurn() {
    mutex_ = CreateMutexW(nullptr, FALSE, L"vexmoor-tests-settings-file");
    // A test process that ended holding it leaves it abandoned, which is a turn as well.
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
}

SettingsFileTurn::~SettingsFileTurn() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

std::optional<std::string> ProgramFolders::unavailable() {
    const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const char* prefix = std::getenv("WINEPREFIX");
    if (underWine && prefix && *prefix) return std::nullopt;
    return "the whole program writes c:\\vexmoor.ini, so it is tested only under Wine with a Wine prefix of "
           "its own";
}

ProgramFolders::ProgramFolders(const fs::path& root)
    : settingsFile_(SystemSettingsLocation().settingsFile()) {
    set("APPDATA", root / "config");
    set("LOCALAPPDATA", root / "data");
}

#else

SettingsFileTurn::SettingsFileTurn() = default;
SettingsFileTurn::~SettingsFileTurn() = default;

std::optional<std::string> ProgramFolders::unavailable() { return std::nullopt; }

ProgramFolders::ProgramFolders(const fs::path& root) {
    set("XDG_CONFIG_HOME", root / "config");
    set("XDG_DATA_HOME", root / "data");
    set("HOME", root / "home");
    settingsFile_ = SystemSettingsLocation().settingsFile();
}

#endif

ProgramFolders::~ProgramFolders() {
#ifdef _WIN32
    std::error_code ignored;
    if (!unavailable()) fs::remove(settingsFile_, ignored);
#endif
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) putEnv(it->first, it->second);
}

void ProgramFolders::useSettings(const fs::path& file) const {
    if (file == settingsFile_) return;
    // Removed first: MinGW's copy_file does not overwrite.
    fs::remove(settingsFile_);
    fs::copy_file(file, settingsFile_);
}

void ProgramFolders::set(const char* name, const fs::path& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    fs::create_directories(value);
    putEnv(name, value.string());
}

}  // namespace vexmoor::testing
