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

#endif

}  // namespace vexmoor
