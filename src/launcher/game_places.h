#pragma once

#include <filesystem>
#include <vector>

namespace vexmoor {

// What differs between systems in where games are installed. The platform
// fills in what its system has; the game finder decides from it where to
// look, and leaves out what does not exist.
struct SystemFolders {
    // The user's home folder, below which Steam, Wine and ~/Games are
    // looked for (POSIX); empty where the system has none of those.
    std::filesystem::path home;
    // Folders the system installs games in (/usr/share/games, /usr/local/games, /opt).
    std::vector<std::filesystem::path> gameFolders;
    // Windows: drive c's root (for c:\Quake2 and c:\Games), the roots of the
    // fixed drives (for their Program Files), Steam's own folder and the
    // folders of the games GOG installed, as the registry names them.
    std::filesystem::path driveC;
    std::vector<std::filesystem::path> fixedDrives;
    std::vector<std::filesystem::path> steamFolders;
    std::vector<std::filesystem::path> gogGames;
};

class GamePlaces {
public:
    virtual ~GamePlaces() = default;
    // Asked on the search's own thread.
    virtual SystemFolders folders() const = 0;
};

}  // namespace vexmoor
