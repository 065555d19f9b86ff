#include "platform/settings_location.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path SystemSettingsLocation::settingsFile() const { return fs::path("c:\\vexmoor.ini"); }

namespace {

// An environment variable as a path, wide, so a user name beyond the code page survives.
fs::path folderFrom(const wchar_t* variable) {
    const wchar_t* value = _wgetenv(variable);
    return value && *value ? fs::path(value) : fs::path();
}

}  // namespace

fs::path SystemSettingsLocation::versionsFolder() const {
    fs::path local = folderFrom(L"LOCALAPPDATA");
    if (local.empty() || !local.is_absolute()) {
        const fs::path profile = folderFrom(L"USERPROFILE");
        local = profile.empty() ? fs::path("c:\\") : profile / "AppData" / "Local";
    }
    return local / "Vexmoor" / "versions";
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

fs::path SystemSettingsLocation::versionsFolder() const {
    // As for the configuration folder: a relative or empty XDG_DATA_HOME counts as unset.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data && fs::path(data).is_absolute())
        return fs::path(data) / "vexmoor" / "versions";
    return homeDirectory() / ".local" / "share" / "vexmoor" / "versions";
}

#endif

}  // namespace vexmoor
