#include "platform/drives.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32

// Every drive letter the system knows, whether or not a medium is in it: a
// drive without one shows in the list and reports itself not ready when chosen.
std::vector<Drive> SystemDrives::list() const {
    std::vector<Drive> drives;
    const DWORD letters = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (DWORD{1} << i))) continue;
        const char letter = static_cast<char>('a' + i);
        // Drive lists name a drive "c:"; choosing it starts at its root.
        drives.push_back(Drive{std::string{letter, ':'}, fs::path(std::string{letter, ':', '\\'})});
    }
    return drives;
}

std::size_t SystemDrives::startIndex() const {
    const auto drives = list();
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (drives[i].label == "c:") return i;
    return 0;
}

#else

// The game finder asks for it on a thread of its own, so the user database
// is read through its reentrant call.
fs::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home).lexically_normal();
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return fs::path(found->pw_dir);
    return fs::path("/");
}

namespace {

std::string userName() {
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name) return entry->pw_name;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return {};
}

// The folders inside a mount point parent, sorted; nothing when it is missing.
std::vector<fs::path> foldersIn(const fs::path& parent) {
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) folders.push_back(it->path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

// A home directory path ends without a separator, so a trailing one is dropped.
std::string label(const fs::path& path) {
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

}  // namespace

std::vector<Drive> SystemDrives::list() const {
    std::vector<Drive> drives;
    const auto add = [&drives](const fs::path& root) {
        const std::string text = label(root);
        const bool known =
            std::any_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.label == text; });
        if (!known) drives.push_back(Drive{text, fs::path(text)});
    };
    add("/");
    add(homeDirectory());
    for (const auto& media : foldersIn("/media")) add(media);
    if (const std::string user = userName(); !user.empty())
        for (const auto& media : foldersIn(fs::path("/run/media") / user)) add(media);
    for (const auto& mount : foldersIn("/mnt")) add(mount);
    return drives;
}

std::size_t SystemDrives::startIndex() const {
    const auto drives = list();
    const std::string home = label(homeDirectory());
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (drives[i].label == home) return i;
    return 0;
}

#endif

}  // namespace vexmoor
