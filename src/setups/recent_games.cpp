#include "setups/recent_games.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/paths.h"
#include "core/ports.h"
#include "setups/setup_store.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".json";

// "001765231234-01.json": the second the game started, zero-padded so that
// names sort by it, and a number for games started within one second.
std::string fileNameOf(std::time_t played, int sequence) {
    char name[48];
    std::snprintf(name, sizeof name, "%012lld-%02d", static_cast<long long>(played), sequence);
    return std::string(name) + std::string(kExtension);
}

bool isRecentName(const std::string& name) {
    if (name.size() != 12 + 1 + 2 + kExtension.size() || !name.ends_with(kExtension) || name[12] != '-')
        return false;
    for (std::size_t i = 0; i < 15; ++i)
        if (i != 12 && (name[i] < '0' || name[i] > '9')) return false;
    return true;
}

std::time_t playedOf(const std::string& name) {
    std::time_t played = 0;
    for (std::size_t i = 0; i < 12; ++i) played = played * 10 + (name[i] - '0');
    return played;
}

}  // namespace

fs::path recentGamesFolder(const fs::path& setupsFolder) { return setupsFolder / "Recent games"; }

std::vector<std::string> RecentGames::names() const {
    std::vector<std::string> names;
    auto files = listFiles(folder_, kExtension);
    if (!files) return names;
    for (const std::string& file : files.value())
        if (isRecentName(file)) names.push_back(file);
    std::sort(names.rbegin(), names.rend());
    return names;
}

Status RecentGames::keep(const Setup& setup, std::time_t played) const {
    std::error_code error;
    if (!fs::is_directory(folder_, error)) {
        fs::create_directories(folder_, error);
        if (error)
            return Error{pathText(folder_), 0, "the folder cannot be made (" + error.message() + ")"};
    }
    const std::vector<std::string> before = names();
    int sequence = 0;
    while (sequence < 99 && std::find(before.begin(), before.end(), fileNameOf(played, sequence)) != before.end())
        ++sequence;
    if (Status written = writeWholeFile(folder_ / fileNameOf(played, sequence), setupFileBytes(setup)); !written)
        return written;
    const std::vector<std::string> now = names();
    for (std::size_t i = kKept; i < now.size(); ++i) fs::remove(folder_ / now[i], error);
    return {};
}

std::vector<RecentGame> RecentGames::list(const std::string& gameDirectory) const {
    std::vector<RecentGame> games;
    for (const std::string& name : names()) {
        const fs::path file = folder_ / name;
        auto read = readSetupFile(file);
        if (!read || !sameGameDirectory(read.value().setup.gameDirectory, gameDirectory)) continue;
        games.push_back({file, playedOf(name), std::move(read.value().setup)});
    }
    return games;
}

}  // namespace vexmoor
