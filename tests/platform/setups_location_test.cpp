// Where the game setups live on Windows. On other systems they are beside
// the settings file, in the configuration folder's vexmoor/setups, where the
// command-line tests find them through the program itself.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/settings_location.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Sets (or, with nothing, removes) an environment variable for a scope.
struct ScopedEnv {
    ScopedEnv(const char* variable, const char* value) : name(variable) {
        if (const char* set = std::getenv(name)) old = set;
        _putenv_s(name, value ? value : "");
    }
    ~ScopedEnv() { _putenv_s(name, old.c_str()); }
    const char* name;
    std::string old;
};

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

}  // namespace
}  // namespace vexmoor::testing

#endif
