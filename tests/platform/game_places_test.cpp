// Where Windows keeps its games: the fixed drives, and the folders of Steam
// and GOG as the registry names them. Elsewhere the places are the home
// folder's, which the finder's own tests build.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/ports.h"
#include "launcher/game_finder.h"
#include "platform/game_places.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// A registry key the test makes and removes; a key that is there already
// (Steam or GOG installed on this computer) is left alone and the test skipped.
struct NewKey {
    NewKey(HKEY under, const wchar_t* name) : root(under), path(name) {
        DWORD made = 0;
        const LONG opened = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &made);
        fresh = opened == ERROR_SUCCESS && made == REG_CREATED_NEW_KEY;
    }
    ~NewKey() {
        if (key) RegCloseKey(key);
        if (fresh) RegDeleteTreeW(root, path);
    }
    void set(const wchar_t* name, const fs::path& folder) const {
        const std::wstring text = folder.wstring();
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    HKEY root;
    const wchar_t* path;
    HKEY key = nullptr;
    bool fresh = false;
};

TEST(SystemGamePlaces, FindsTheGamesTheRegistryNames) {
    const NewKey steamKey(HKEY_CURRENT_USER, L"Software\\Valve\\Steam");
    const NewKey gogKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\GOG.com\\Games\\1441974651");
    if (!steamKey.fresh || !gogKey.fresh) GTEST_SKIP() << "Steam or GOG keeps its own keys on this computer";
    const TempDir temp;
    const fs::path steam = fs::canonical(temp.path()) / "Steam";
    GameDirectoryBuilder(steam / "steamapps" / "common" / "Quake 2").withEraserFolder().withGame();
    GameDirectoryBuilder gog(fs::canonical(temp.path()) / "GOG Games" / "Quake II");
    gog.withEraserFolder().withGame();
    steamKey.set(L"SteamPath", steam);
    gogKey.set(L"path", gog.root());

    const SystemFolders folders = SystemGamePlaces().folders();
    EXPECT_NE(std::find(folders.fixedDrives.begin(), folders.fixedDrives.end(), fs::path(L"C:\\")),
              folders.fixedDrives.end());
    std::vector<std::string> found;
    for (const FoundGame& game : findGames(SystemGamePlaces()).games) found.push_back(game.directoryText());
    EXPECT_NE(std::find(found.begin(), found.end(), gog.text()), found.end());
    EXPECT_NE(
        std::find(found.begin(), found.end(), pathText(steam / "steamapps" / "common" / "Quake 2") + "\\"),
        found.end());
}

}  // namespace
}  // namespace vexmoor::testing

#endif
