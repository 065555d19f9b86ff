// Where the game setups live: in the user's own folders, on either system.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/settings_location.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Sets (or, with nothing, removes) an environment variable for a scope.
struct ScopedEnv {
    ScopedEnv(const char* variable, const char* value) : name(variable) {
        if (const char* set = std::getenv(name)) old = set;
        put(value);
    }
    ~ScopedEnv() { put(old ? old->c_str() : nullptr); }
    void put(const char* value) const {
#ifdef _WIN32
        _putenv_s(name, value ? value : "");
#else
        value ? setenv(name, value, 1) : unsetenv(name);
#endif
    }
    const char* name;
    std::optional<std::string> old;
};

#ifdef _WIN32

TEST(SetupsLocation, IsTheRoamingApplicationDataOnWindows) {
    const ScopedEnv profile("USERPROFILE", "C:\\Users\\player");
    {
        const ScopedEnv appData("APPDATA", "D:\\Roaming");
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path(L"D:\\Roaming\\Vexmoor\\setups"));
    }
    {
        const ScopedEnv appData("APPDATA", nullptr);
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(),
                  fs::path(L"C:\\Users\\player\\AppData\\Roaming\\Vexmoor\\setups"));
    }
    const ScopedEnv appData("APPDATA", "relative");
    const ScopedEnv noProfile("USERPROFILE", nullptr);
    EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path(L"c:\\Vexmoor\\setups"));
}

#else

// The configuration folder follows the settings file's rules, tested with it
// (an empty or relative XDG_CONFIG_HOME counts as unset).
TEST(SetupsLocation, IsBesideTheSettingsFileInTheConfigurationFolder) {
    const ScopedEnv home("HOME", "/home/player");
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path("/srv/conf/vexmoor/setups"));
    }
    const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path("/home/player/.config/vexmoor/setups"));
}

#endif

}  // namespace
}  // namespace vexmoor::testing
