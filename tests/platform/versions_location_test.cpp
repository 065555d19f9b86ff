// Where the earlier versions go: the user's own data folder, never the
// game directory or the configuration folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/settings_location.h"

namespace vexmoor {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back;
// nothing (or, on Windows, an empty text) removes it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const char* value) {
#ifdef _WIN32
        _putenv_s(name_, value ? value : "");
#else
        if (value)
            setenv(name_, value, 1);
        else
            unsetenv(name_);
#endif
    }

    const char* name_;
    std::optional<std::string> old_;
};

#ifdef _WIN32
TEST(VersionsLocation, IsTheUsersLocalApplicationDataFolder) {
    {
        const ScopedEnv local("LOCALAPPDATA", "C:\\Users\\Player\\AppData\\Local");
        EXPECT_EQ(SystemSettingsLocation().versionsFolder(),
                  fs::path("C:\\Users\\Player\\AppData\\Local\\Vexmoor\\versions"));
    }
    {
        const ScopedEnv local("LOCALAPPDATA", nullptr);
        const ScopedEnv profile("USERPROFILE", "D:\\Profiles\\Player");
        EXPECT_EQ(SystemSettingsLocation().versionsFolder(),
                  fs::path("D:\\Profiles\\Player\\AppData\\Local\\Vexmoor\\versions"));
    }
}
#else
TEST(VersionsLocation, FollowsTheDataFolderRules) {
    const ScopedEnv home("HOME", "/home/player");
    const struct {
        const char* dataHome;
        const char* folder;
    } cases[] = {
        {"/srv/data", "/srv/data/vexmoor/versions"},
        {nullptr, "/home/player/.local/share/vexmoor/versions"},
        {"", "/home/player/.local/share/vexmoor/versions"},
        {"relative/data", "/home/player/.local/share/vexmoor/versions"},
    };
    for (const auto& c : cases) {
        const ScopedEnv data("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(SystemSettingsLocation().versionsFolder(), fs::path(c.folder)) << (c.dataHome ? c.dataHome : "unset");
    }
}
#endif

}  // namespace
}  // namespace vexmoor
