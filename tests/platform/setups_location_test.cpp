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

#ifdef _WIN32

// Sets (or, with nothing, removes) an environment variable for a scope.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const wchar_t* value) : name_(name) {
        if (const wchar_t* old = _wgetenv(name)) old_ = old;
        _wputenv_s(name, value ? value : L"");
    }
    ~ScopedEnv() { _wputenv_s(name_, old_ ? old_->c_str() : L""); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

TEST(SetupsLocation, IsTheRoamingApplicationDataOnWindows) {
    const ScopedEnv profile(L"USERPROFILE", L"C:\\Users\\player");
    {
        const ScopedEnv appData(L"APPDATA", L"D:\\Roaming");
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path(L"D:\\Roaming\\Vexmoor\\setups"));
    }
    {
        const ScopedEnv appData(L"APPDATA", nullptr);
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(),
                  fs::path(L"C:\\Users\\player\\AppData\\Roaming\\Vexmoor\\setups"));
    }
    {
        const ScopedEnv appData(L"APPDATA", L"relative");
        const ScopedEnv noProfile(L"USERPROFILE", nullptr);
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path(L"c:\\Vexmoor\\setups"));
    }
}

#else

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SetupsLocation, IsBesideTheSettingsFileInTheConfigurationFolder) {
    const ScopedEnv home("HOME", "/home/player");
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path("/srv/conf/vexmoor/setups"));
    }
    for (const char* unset : {static_cast<const char*>(nullptr), "", "relative/conf"}) {
        const ScopedEnv config("XDG_CONFIG_HOME", unset);
        EXPECT_EQ(SystemSettingsLocation().setupsFolder(), fs::path("/home/player/.config/vexmoor/setups"));
    }
}

#endif

}  // namespace
}  // namespace vexmoor::testing
