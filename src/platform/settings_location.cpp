#include "platform/settings_location.h"

#include <cstdlib>
#include <optional>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path SystemSettingsLocation::settingsFile() const { return fs::path("c:\\vexmoor.ini"); }

namespace {

// An absolute folder an environment variable names, or nothing.
std::optional<fs::path> folderFromEnvironment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    if (!value || !*value) return std::nullopt;
    fs::path folder(value);
    if (!folder.is_absolute()) return std::nullopt;
    return folder;
}

}  // namespace

// The user's roaming application data, where Windows programs keep what a
// user makes; without it (a stripped environment), the same folder under
// the user's profile, and as a last resort on drive C, as the settings file.
fs::path SystemSettingsLocation::setupsFolder() const {
    if (const auto appData = folderFromEnvironment(L"APPDATA")) return *appData / "Vexmoor" / "setups";
    if (const auto profile = folderFromEnvironment(L"USERPROFILE"))
        return *profile / "AppData" / "Roaming" / "Vexmoor" / "setups";
    return fs::path("c:\\Vexmoor\\setups");
}

// The user's local application data, where Windows programs keep what belongs
// to this machine; without it, the same folder under the user's profile, and
// as a last resort on drive C, as the settings file.
fs::path SystemSettingsLocation::versionsFolder() const {
    if (const auto local = folderFromEnvironment(L"LOCALAPPDATA")) return *local / "Vexmoor" / "versions";
    if (const auto profile = folderFromEnvironment(L"USERPROFILE"))
        return *profile / "AppData" / "Local" / "Vexmoor" / "versions";
    return fs::path("c:\\Vexmoor\\versions");
}

#else

namespace {

fs::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home);
    // No HOME (a service or a stripped environment): ask the user database.
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return fs::path(entry->pw_dir);
    return fs::path("/");
}

}  // namespace

// Nothing is created here: the folder only has to exist once the file is written.
fs::path SystemSettingsLocation::settingsFile() const {
    // A relative XDG_CONFIG_HOME is invalid by the base directory rules and is ignored like an empty one.
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config && *config && fs::path(config).is_absolute())
        return fs::path(config) / "vexmoor.ini";
    return homeDirectory() / ".config" / "vexmoor.ini";
}

// Beside the settings file, in the configuration folder's vexmoor/setups.
fs::path SystemSettingsLocation::setupsFolder() const {
    return settingsFile().parent_path() / "vexmoor" / "setups";
}

fs::path SystemSettingsLocation::versionsFolder() const {
    // As for the configuration folder: a relative or empty XDG_DATA_HOME counts as unset.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data && fs::path(data).is_absolute())
        return fs::path(data) / "vexmoor" / "versions";
    return homeDirectory() / ".local" / "share" / "vexmoor" / "versions";
}

#endif

}  // namespace vexmoor
