#pragma once

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/result.h"
#include "setups/setup.h"

namespace vexmoor {

// A game that was started, kept whole as a setup is.
struct RecentGame {
    std::filesystem::path file;
    std::time_t played = 0;
    Setup setup;
};

// The games last started, newest first: a folder of their own beside the
// named setups, one setup file each, named by when the game started so that
// the names sort as the games were played. Only the newest kKept stay.
class RecentGames {
public:
    explicit RecentGames(std::filesystem::path folder) : folder_(std::move(folder)) {}

    static constexpr std::size_t kKept = 10;

    const std::filesystem::path& folder() const { return folder_; }

    // Keeps a started game, then removes the oldest beyond kKept. On failure
    // nothing kept before is lost.
    Status keep(const Setup& setup, std::time_t played) const;

    // The recent games of this game directory, newest first; files that
    // cannot be read as setups are passed over.
    std::vector<RecentGame> list(const std::string& gameDirectory) const;

private:
    // The kept files' names, newest first.
    std::vector<std::string> names() const;

    std::filesystem::path folder_;
};

// The folder of recent games inside the setups folder.
std::filesystem::path recentGamesFolder(const std::filesystem::path& setupsFolder);

}  // namespace vexmoor
