#include "launcher/game_finder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/paths.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/library_list.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDot = kPathSeparator == '\\' ? " \xB7 " : " \xC2\xB7 ";

std::string textOf(const fs::path& folder) { return pathText(folder) + kPathSeparator; }

std::vector<std::string> descriptions(const FoundGames& found) {
    std::vector<std::string> lines;
    for (const FoundGame& game : found.games) lines.push_back(game.description());
    return lines;
}

// Every file below a folder with its bytes, to see that nothing was written.
std::map<std::string, std::string> filesBelow(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[pathText(entry.path())] = readBytes(entry.path());
    return files;
}

// A game with the bot modification in a folder of its own.
GameDirectoryBuilder moddedGame(const fs::path& folder) {
    GameDirectoryBuilder game(folder);
    game.withEraserFolder().withGame();
    return game;
}

// The game's own folders of a Linux home: two Steam libraries (one on
// another disk), a Flatpak Steam whose older-format list names a third, a
// GOG game in a Heroic Wine prefix, a copy without the modification and one
// too deep in ~/Games, and a copy in the system's games folder whose names
// differ in letter case.
TEST(GameFinder, FindsTheGamesWherePlayersKeepThem) {
    const TempDir temp;
    const fs::path root = fs::canonical(temp.path());
    const fs::path home = root / "home";
    const fs::path steam = home / ".local" / "share" / "Steam";
    const fs::path otherDisk = root / "disk2" / "SteamLibrary";
    const fs::path flatpakLibrary = root / "disk3" / "Flatpak Library";
    const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam";

    writeBytes(steam / "steamapps" / "libraryfolders.vdf",
               libraryListText({pathText(steam), pathText(otherDisk)}));
    writeBytes(steam / "config" / "libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n");
    fs::create_directories(home / ".steam");
    std::error_code noLink;  // ~/.steam/steam names the same folder; Wine may make no link
    fs::create_directory_symlink(steam, home / ".steam" / "steam", noLink);
    fs::create_directories(steam / "steamapps" / "common" / "Half-Life" / "valve" / "maps");
    moddedGame(steam / "steamapps" / "common" / "Quake 2")
        .withRoster("# The bots\r\n# of this game\r\n" + GameDirectoryBuilder::generatedRoster(3, 1))
        .withMaps({"q2dm1.bsp", "q2dm2.bsp", "readme.txt"})
        .withFile("eraser/maps/Q2DM1.BSP", "")
        .withFile("eraser/maps/ctf1.bsp", "");
    moddedGame(otherDisk / "steamapps" / "common" / "Quake II");
    writeBytes(flatpak / "steamapps" / "libraryfolders.vdf",
               "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1635467021\"\n\t\"1\"\t\t\"" +
                   pathText(flatpakLibrary) + "\"\n}\n");
    moddedGame(flatpakLibrary / "steamapps" / "common" / "Quake 2").withMaps({"q2dm8.bsp"});
    const fs::path gog =
        home / "Games" / "Heroic" / "Prefixes" / "default" / "Quake II" / "drive_c" / "GOG Games";
    moddedGame(gog / "Quake II").withRoster("[bots]\r\n\"Ed\",\"male/grunt\",2,3,1,5\r\n");
    GameDirectoryBuilder(home / "Games" / "Quake 2 plain").withGame();
    moddedGame(home / "Games" / "a" / "b" / "c" / "too deep");
    GameDirectoryBuilder(root / "opt" / "q2").withEraserFolder().withFile("Quake2.EXE", "MZ");
    fs::rename(root / "opt" / "q2" / "eraser", root / "opt" / "q2" / "Eraser");
    const auto before = filesBelow(root);

    FakeGamePlaces places;
    places.given.home = home;
    places.given.gameFolders = {root / "opt", root / "usr" / "share" / "games"};
    const FoundGames found = findGames(places);

    const std::string steamGame = textOf(steam / "steamapps" / "common" / "Quake 2");
    const std::string otherDiskGame = textOf(otherDisk / "steamapps" / "common" / "Quake II");
    const std::string flatpakGame = textOf(flatpakLibrary / "steamapps" / "common" / "Quake 2");
    const std::string gogGame = textOf(gog / "Quake II");
    const std::string caseGame = textOf(root / "opt" / "q2");
    std::vector<std::string> expected{
        otherDiskGame + kDot + "eraser" + kDot + "0 maps",
        flatpakGame + kDot + "eraser" + kDot + "1 map",
        steamGame + kDot + "eraser" + kDot + "3 maps" + kDot + "3 bots",
        gogGame + kDot + "eraser" + kDot + "0 maps" + kDot + "bots.cfg cannot be read",
        textOf(home / "Games" / "Quake 2 plain") + kDot +
            "no eraser folder: install the bot modification here first",
    };
#ifdef _WIN32
    expected.insert(expected.begin() + 4, caseGame + kDot + "eraser" + kDot + "0 maps");
#else
    expected.push_back(caseGame + kDot + "rename Quake2.EXE to quake2.exe and Eraser to eraser first");
#endif
    EXPECT_EQ(descriptions(found), expected);
    EXPECT_TRUE(found.complete);
    ASSERT_EQ(found.problems.size(), 1u);
    EXPECT_EQ(found.problems[0].describe(), pathText(steam / "config" / "libraryfolders.vdf") +
                                                ", line 4: the block that opens here is never closed");
    EXPECT_EQ(filesBelow(root), before);
}

TEST(GameFinder, FindsTheGamesOfAWindowsSystem) {
    const TempDir temp;
    const fs::path root = fs::canonical(temp.path());
    const fs::path c = root / "c", d = root / "d";
    const fs::path steam = d / "Steam";
    writeBytes(steam / "steamapps" / "libraryfolders.vdf", libraryListText({pathText(steam)}));
    moddedGame(steam / "steamapps" / "common" / "Quake 2");
    moddedGame(c / "GOG Games" / "Quake II");
    moddedGame(c / "Quake2");
    moddedGame(c / "Games" / "Id" / "Quake 2");
    moddedGame(d / "Program Files (x86)" / "Quake II");
    GameDirectoryBuilder(c / "Program Files" / "Quake 2 Demo").withGame();

    FakeGamePlaces places;
    places.given.driveC = c;
    places.given.fixedDrives = {c, d};
    places.given.steamFolders = {steam};
    places.given.gogGames = {c / "GOG Games" / "Quake II"};
    const FoundGames found = findGames(places);

    std::vector<std::string> directories;
    for (const FoundGame& game : found.games) directories.push_back(game.directoryText());
    EXPECT_EQ(directories, (std::vector<std::string>{
                               textOf(c / "GOG Games" / "Quake II"), textOf(c / "Games" / "Id" / "Quake 2"),
                               textOf(c / "Quake2"), textOf(d / "Program Files (x86)" / "Quake II"),
                               textOf(steam / "steamapps" / "common" / "Quake 2"),
                               textOf(c / "Program Files" / "Quake 2 Demo")}));
}

#ifndef _WIN32
// Root reads every folder whatever its permissions say; the search is made
// as another user, so that a locked folder is locked to it.
struct AsAnotherUser {
    AsAnotherUser() : root(geteuid() == 0) {
        if (root) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~AsAnotherUser() {
        if (root) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    const bool root;
};

TEST(GameFinder, FollowsNoLinkAndPassesOverAFolderItCannotRead) {
    const TempDir temp;
    const fs::path games = fs::canonical(temp.path()) / "Games";
    moddedGame(games / "open" / "Quake2");
    moddedGame(games / "locked" / "Quake2");
    moddedGame(temp.path() / "elsewhere" / "Quake2");
    fs::create_directory_symlink(games, games / "open" / "loop");
    fs::create_directory_symlink(temp.path() / "elsewhere", games / "linked");
    fs::permissions(games / "locked", fs::perms::none);

    FoundGames found;
    {
        const AsAnotherUser other;
        found = findGames({SearchPlace{games}});
    }
    ASSERT_EQ(found.games.size(), 1u);
    EXPECT_EQ(found.games[0].directory, games / "open" / "Quake2");
    EXPECT_TRUE(found.complete);
}
#endif

// A tree of 100,000 folders three levels deep, on a clock that moves on a
// millisecond each time it is read: the search stops once 2 seconds have
// passed by that clock, in the middle of the second level, with the game it
// found near the top. The tree is made in memory where the system has a
// folder for that: a disk may take minutes to remove 100,000 folders. Under
// Wine it would take them whatever the folder, so the Windows build leaves
// out the third level, which the search never reaches.
TEST(GameFinder, GivesWhatItHasFoundWhenTheTimeRunsOut) {
#ifdef _WIN32
    const TempDir temp;
    const int leaves = 0;
#else
    std::error_code noMemory;
    const TempDir temp(fs::is_directory("/dev/shm", noMemory) ? fs::path("/dev/shm") : fs::path());
    const int leaves = 46;
#endif
    const fs::path big = temp.path() / "big";
    fs::create_directory(big);
    for (int a = 0; a < 47; ++a) {
        const fs::path first = big / std::to_string(a);
        fs::create_directory(first);
        for (int b = 0; b < 47; ++b) {
            const fs::path second = first / std::to_string(b);
            fs::create_directory(second);
            for (int c = 0; c < leaves; ++c) fs::create_directory(second / std::to_string(c));
        }
    }
    moddedGame(big / "Quake2");
    moddedGame(big / "46" / "46" / "Quake2");

    int reads = 0;
    SearchLimits limits;
    limits.now = [&reads] { return SearchLimits::Clock::time_point(std::chrono::milliseconds(reads++)); };
    const FoundGames found = findGames({SearchPlace{big}}, limits);

    ASSERT_EQ(found.games.size(), 1u);
    EXPECT_EQ(found.games[0].directory, big / "Quake2");
    EXPECT_FALSE(found.complete);
    EXPECT_EQ(reads, 2001);  // the deadline, then a folder at each millisecond up to it

    std::stop_source stop;
    stop.request_stop();
    limits.stop = stop.get_token();
    const FoundGames stopped = findGames({SearchPlace{big}}, limits);
    EXPECT_TRUE(stopped.games.empty());
    EXPECT_FALSE(stopped.complete);
}

}  // namespace
}  // namespace vexmoor::testing
