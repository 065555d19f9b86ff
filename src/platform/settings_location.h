#pragma once

#include "core/ports.h"

namespace vexmoor {

// Where this system keeps the settings file: c:\vexmoor.ini on Windows,
// vexmoor.ini in the user's configuration folder elsewhere.
class SystemSettingsLocation : public SettingsLocation {
public:
    std::filesystem::path settingsFile() const override;
};

}  // namespace vexmoor
