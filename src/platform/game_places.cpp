#include "platform/game_places.h"

#ifdef _WIN32
#include <windows.h>

#include <string>
#else
#include "platform/drives.h"
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

// A text value of the registry, or nothing.
std::wstring registryText(HKEY root, const wchar_t* key, const wchar_t* name) {
    DWORD size = 0;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return {};
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS) return {};
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void addFolder(std::vector<fs::path>& folders, const std::wstring& text) {
    if (!text.empty()) folders.emplace_back(text);
}

// Each game GOG installed has a key of its own under Games, with its folder as "path".
void addGogGames(std::vector<fs::path>& folders, const wchar_t* games) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, games, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        addFolder(folders, registryText(key, name, L"path"));
    }
    RegCloseKey(key);
}

}  // namespace

SystemFolders SystemGamePlaces::folders() const {
    SystemFolders folders;
    folders.driveC = fs::path(L"C:\\");
    const DWORD letters = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (DWORD{1} << i))) continue;
        const std::wstring root{static_cast<wchar_t>(L'A' + i), L':', L'\\'};
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED) folders.fixedDrives.emplace_back(root);
    }
    // The client's own record first, then the installer's in both registry views.
    addFolder(folders.steamFolders, registryText(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", L"SteamPath"));
    addFolder(folders.steamFolders,
              registryText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\Valve\\Steam", L"InstallPath"));
    addFolder(folders.steamFolders,
              registryText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Valve\\Steam", L"InstallPath"));
    addGogGames(folders.gogGames, L"SOFTWARE\\WOW6432Node\\GOG.com\\Games");
    addGogGames(folders.gogGames, L"SOFTWARE\\GOG.com\\Games");
    return folders;
}

#else

SystemFolders SystemGamePlaces::folders() const {
    SystemFolders folders;
    folders.home = homeDirectory();
    folders.gameFolders = {"/usr/share/games", "/usr/local/games", "/opt"};
    return folders;
}

#endif

}  // namespace vexmoor
