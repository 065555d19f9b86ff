#pragma once

#include "core/ports.h"

namespace vexmoor {

// Where this system keeps the settings file: c:\vexmoor.ini on Windows,
// vexmoor.ini in the user's configuration folder elsewhere. The game setups
// live in the user's own folders on both: %APPDATA%\Vexmoor\setups\ on
// Windows, vexmoor/setups/ in the configuration folder elsewhere. The earlier
// versions go to the user's own data folder: %LOCALAPPDATA%\Vexmoor\versions
// on Windows, $XDG_DATA_HOME/vexmoor/versions (~/.local/share/vexmoor/versions)
// elsewhere.
class SystemSettingsLocation : public SettingsLocation {
public:
    std::filesystem::path settingsFile() const override;
    std::filesystem::path setupsFolder() const override;
    std::filesystem::path versionsFolder() const override;
};

}  // namespace vexmoor
