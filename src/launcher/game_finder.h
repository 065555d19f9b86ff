#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "core/result.h"
#include "launcher/game_places.h"

namespace vexmoor {

// The game finder: game directories (a folder holding quake2.exe, in any
// letter case, and the bot modification's eraser folder) wherever players
// keep them. It only reads: folders are listed, the roster and the map
// folders counted, and nothing below a found directory is ever written.

// A folder the search starts from, and how far below it it looks.
struct SearchPlace {
    enum class Kind {
        Games,     // game directories, the place itself included
        Prefixes,  // Wine prefixes: every drive_c found adds its own places
    };
    std::filesystem::path folder;
    Kind kind = Kind::Games;
    int depth = 3;  // folder levels below the place
};

inline constexpr int kSearchDepth = 3;

// Where the search looks on a system with these folders, in order: Steam's
// libraries (from its libraryfolders.vdf), GOG's games, the usual folders.
// Only places that exist are given. A library list that cannot be read is
// told in problems, and its Steam folder is searched alone.
std::vector<SearchPlace> searchPlaces(const SystemFolders& folders, std::vector<Error>& problems);

struct FoundGame {
    std::filesystem::path directory;
    // The names the folder gives the game program and the bot modification's
    // folder; eraser is empty when there is none.
    std::string program;
    std::string eraser;
    // The .bsp files of baseq2/maps and eraser/maps (one name counted once).
    std::size_t maps = 0;
    // The bots of eraser/bots.cfg, read as start-up would read it; none when
    // there is no roster, or it could not be read (rosterUnreadable).
    std::optional<std::size_t> bots;
    bool rosterUnreadable = false;

    // The game directory text: the folder with the separator appended.
    std::string directoryText() const;
    // Whether Vexmoor can start it as it is: the modification is installed,
    // under the names Vexmoor opens.
    bool ready() const;
    // What keeps it from being ready; empty when it is.
    std::string note() const;
    // "<directory> · eraser · 14 maps · 28 bots", or the directory with
    // what keeps it from being ready. In the system's text bytes.
    std::string description() const;
};

struct FoundGames {
    // The ready ones first, then the others; each group in the order of its
    // directory texts.
    std::vector<FoundGame> games;
    // False when the time ran out (or the search was stopped) before every
    // place was searched.
    bool complete = true;
    // Library lists that could not be read.
    std::vector<Error> problems;
};

// How long the search may take, by a clock that tests may replace, and a
// way to stop it early.
struct SearchLimits {
    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds time{2000};
    std::function<Clock::time_point()> now = [] { return Clock::now(); };
    std::stop_token stop;
};

// Searches the places breadth first, all places at once, so that what lies
// near the top of each is found first: at most `depth` levels below each,
// symbolic links never followed, folders that cannot be listed passed over.
// When the time runs out it gives what it has found.
FoundGames findGames(const std::vector<SearchPlace>& places, const SearchLimits& limits = {});
// The places of this system, then the search; the time covers both.
FoundGames findGames(const GamePlaces& places, const SearchLimits& limits = {});

// The texts of the chooser's found list, in the system's text bytes.
extern const char* const kLookingText;
extern const char* const kNoGameFoundText;

// A search on a thread of its own, so that the window never waits for it.
// Letting it go asks it to stop and waits for the folder it is reading.
class GameSearch {
public:
    using Find = std::function<FoundGames(std::stop_token)>;
    explicit GameSearch(Find find);
    bool done() const;
    // What it found; waits for it when it is not done.
    FoundGames take();

private:
    std::future<FoundGames> result_;
    // Last, so that it stops and is joined before the result goes.
    std::jthread thread_;
};

}  // namespace vexmoor
