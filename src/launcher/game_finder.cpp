#include "launcher/game_finder.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <set>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "core/paths.h"
#include "core/ports.h"
#include "launcher/library_folders.h"
#include "roster/roster.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

// Windows compares names without letter case, so a Quake2.EXE there is the
// quake2.exe Vexmoor starts; elsewhere it is another file.
constexpr bool kNamesIgnoreCase = kPathSeparator == '\\';

// The middle dot between the parts of a found game's line and the
// ellipsis of "Looking…", in the system's text bytes.
constexpr const char* kDot = kNamesIgnoreCase ? " \xB7 " : " \xC2\xB7 ";

// A roster far larger than the game's 32,767 bots could ever be is not read.
constexpr std::uintmax_t kMaxRosterBytes = 16u << 20;

template <class Char>
bool sameLetters(std::basic_string_view<Char> name, std::string_view ascii) {
    if (name.size() != ascii.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        Char c = name[i];
        if (c >= Char('A') && c <= Char('Z')) c = static_cast<Char>(c - Char('A') + Char('a'));
        if (c != static_cast<Char>(ascii[i])) return false;
    }
    return true;
}

bool sameLetters(const fs::path& name, std::string_view ascii) {
    return sameLetters(std::basic_string_view<fs::path::value_type>(name.native()), ascii);
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Steam keeps UTF-8; a name that is not (or that this system cannot hold) names no library.
std::optional<fs::path> pathFromUtf8(const std::string& text) {
    try {
        return fs::path(std::u8string(text.begin(), text.end()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Result<std::vector<std::string>> readLibraryList(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) return Error{pathText(file), 0, error.message()};
    // One byte past the limit is enough for the reader to refuse it.
    const auto length = static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxLibraryListBytes + 1));
    const auto bytes = readFilePart(file, 0, length);
    if (!bytes) return bytes.error();
    return readLibraryFolders(bytes.value(), pathText(file));
}

// Two names of one folder (~/.steam/steam is a link) are searched once.
fs::path ownName(const fs::path& folder) {
    std::error_code error;
    fs::path own = fs::canonical(folder, error);
    return error ? folder.lexically_normal() : own;
}

class PlaceList {
public:
    explicit PlaceList(std::vector<Error>& problems) : problems_(problems) {}

    void add(const fs::path& folder, SearchPlace::Kind kind, int depth) {
        if (!isFolder(folder)) return;
        fs::path own = ownName(folder);
        if (!seen_.insert({own, kind}).second) return;
        places_.push_back(SearchPlace{std::move(own), kind, depth});
    }

    // A Steam folder's own library and those its library lists name.
    void addSteam(const fs::path& folder) {
        if (!isFolder(folder)) return;
        const fs::path steam = ownName(folder);
        if (!steamSeen_.insert(steam).second) return;
        std::vector<fs::path> libraries{steam};
        for (const char* list : {"steamapps", "config"}) {
            const fs::path file = steam / list / "libraryfolders.vdf";
            std::error_code error;
            if (!fs::is_regular_file(file, error)) continue;
            auto folders = readLibraryList(file);
            if (!folders) {
                problems_.push_back(folders.error());
                continue;
            }
            for (const std::string& text : folders.value())
                if (auto library = pathFromUtf8(text)) libraries.push_back(std::move(*library));
        }
        for (const fs::path& library : libraries) {
            // Older Steam clients named the folder SteamApps.
            fs::path apps = library / "steamapps";
            if (!isFolder(apps) && isFolder(library / "SteamApps")) apps = library / "SteamApps";
            add(apps / "common", SearchPlace::Kind::Games, kSearchDepth);
        }
    }

    std::vector<SearchPlace> take() { return std::move(places_); }

private:
    std::vector<Error>& problems_;
    std::vector<SearchPlace> places_;
    std::set<std::pair<fs::path, SearchPlace::Kind>> seen_;
    std::set<fs::path> steamSeen_;
};

// Where a Wine prefix's drive c keeps its games.
std::vector<fs::path> driveCPlaces(const fs::path& driveC) {
    return {driveC / "Program Files", driveC / "Program Files (x86)", driveC / "GOG Games", driveC / "Games",
            driveC};
}

std::size_t countMaps(const FoundGame& game) {
    std::set<std::string> names;
    std::vector<fs::path> folders{game.directory / "baseq2" / "maps"};
    if (!game.eraser.empty()) folders.push_back(game.directory / pathFromText(game.eraser) / "maps");
    for (const fs::path& folder : folders)
        if (auto listed = listFiles(folder, ".bsp"))
            for (std::string& name : listed.value()) names.insert(lowered(std::move(name)));
    return names.size();
}

// Read as start-up reads it, in memory only: the file stays as it is.
void countBots(FoundGame& game) {
    if (game.eraser.empty()) return;
    const fs::path file = game.directory / pathFromText(game.eraser) / "bots.cfg";
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return;
    const std::uintmax_t size = fs::file_size(file, error);
    const auto bytes = error || size > kMaxRosterBytes ? Result<std::string>(Error{}) : readWholeFile(file);
    Roster roster;
    if (!bytes || !readRosterBytes(tidiedRosterBytes(bytes.value()), pathText(file), roster)) {
        game.rosterUnreadable = true;
        return;
    }
    game.bots = static_cast<std::size_t>(std::max<int>(roster.BotCount, 0));
}

class Search {
public:
    Search(const SearchLimits& limits, SearchLimits::Clock::time_point deadline)
        : limits_(limits), deadline_(deadline) {}

    void run(const std::vector<SearchPlace>& places, FoundGames& found) {
        for (const SearchPlace& place : places)
            queue_.push_back(Pending{place.folder, 0, place.depth, place.kind});
        while (!queue_.empty()) {
            if (limits_.stop.stop_requested() || limits_.now() >= deadline_) {
                found.complete = false;
                break;
            }
            Pending next = std::move(queue_.front());
            queue_.pop_front();
            visit(next);
        }
        found.games = std::move(games_);
        std::sort(found.games.begin(), found.games.end(), [](const FoundGame& a, const FoundGame& b) {
            if (a.ready() != b.ready()) return a.ready();
            return a.directoryText() < b.directoryText();
        });
    }

private:
    struct Pending {
        fs::path folder;
        int level = 0;
        int depth = 0;
        SearchPlace::Kind kind = SearchPlace::Kind::Games;
    };

    // Whether the folder still needs listing at this level: one listed
    // before from nearer its place was searched at least as deep.
    bool firstVisit(const Pending& at) {
        auto& listed = at.kind == SearchPlace::Kind::Games ? gamesListed_ : prefixesListed_;
        const int levelsLeft = at.depth - at.level;
        const auto [known, fresh] = listed.try_emplace(at.folder.native(), levelsLeft);
        if (fresh) return true;
        if (known->second >= levelsLeft) return false;
        known->second = levelsLeft;
        return true;
    }

    void visit(const Pending& at) {
        if (!firstVisit(at)) return;
        std::error_code error;
        fs::directory_iterator it(at.folder, error);
        if (error) return;  // unreadable: passed over
        std::vector<fs::path> below;
        std::optional<fs::path> program, eraser;
        const bool games = at.kind == SearchPlace::Kind::Games;
        for (const fs::directory_iterator end; it != end; it.increment(error)) {
            if (error) break;
            const fs::directory_entry& entry = *it;
            const fs::path name = entry.path().filename();
            std::error_code typeError;
            const bool link = entry.is_symlink(typeError);
            const bool folder = entry.is_directory(typeError);
            if (games && sameLetters(name, "quake2.exe") && entry.is_regular_file(typeError)) {
                if (!program || name == "quake2.exe") program = name;
            } else if (games && folder && sameLetters(name, "eraser")) {
                if (!eraser || name == "eraser") eraser = name;
            }
            if (!folder || link) continue;
            if (!games && name == "drive_c") {
                for (const fs::path& place : driveCPlaces(entry.path()))
                    queue_.push_back(Pending{place, 0, kSearchDepth, SearchPlace::Kind::Games});
            } else if (at.level + (games ? 0 : 1) < at.depth) {
                below.push_back(entry.path());
            }
        }
        if (program) {
            // A game directory's own folders hold no other game.
            found(at.folder, *program, eraser);
            return;
        }
        for (fs::path& folder : below)
            queue_.push_back(Pending{std::move(folder), at.level + 1, at.depth, at.kind});
    }

    void found(const fs::path& directory, const fs::path& program, const std::optional<fs::path>& eraser) {
        if (!gamesFound_.insert(directory.native()).second) return;
        FoundGame game;
        game.directory = directory;
        game.program = pathText(program);
        if (eraser) game.eraser = pathText(*eraser);
        game.maps = countMaps(game);
        countBots(game);
        games_.push_back(std::move(game));
    }

    const SearchLimits& limits_;
    SearchLimits::Clock::time_point deadline_;
    std::deque<Pending> queue_;
    std::unordered_map<fs::path::string_type, int> gamesListed_, prefixesListed_;
    std::set<fs::path::string_type> gamesFound_;
    std::vector<FoundGame> games_;
};

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

const char* const kLookingText = kNamesIgnoreCase ? "Looking\x85" : "Looking\xE2\x80\xA6";
const char* const kNoGameFoundText = "No game found; choose its folder below.";

std::vector<SearchPlace> searchPlaces(const SystemFolders& folders, std::vector<Error>& problems) {
    using Kind = SearchPlace::Kind;
    PlaceList list(problems);
    const fs::path& home = folders.home;
    if (!home.empty()) {
        list.addSteam(home / ".steam" / "steam");
        list.addSteam(home / ".local" / "share" / "Steam");
        list.addSteam(home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam");
    }
    for (const fs::path& steam : folders.steamFolders) list.addSteam(steam);
    for (const fs::path& game : folders.gogGames) list.add(game, Kind::Games, kSearchDepth);
    if (!folders.driveC.empty()) {
        list.add(folders.driveC / "Quake2", Kind::Games, kSearchDepth);
        list.add(folders.driveC / "Games", Kind::Games, kSearchDepth);
    }
    for (const fs::path& drive : folders.fixedDrives) {
        list.add(drive / "Program Files", Kind::Games, kSearchDepth);
        list.add(drive / "Program Files (x86)", Kind::Games, kSearchDepth);
    }
    if (!home.empty()) {
        // Wine's own prefix, Lutris' and Heroic's below ~/Games (Heroic's
        // lie four and five levels down), and the bottles of Bottles.
        list.add(home / ".wine", Kind::Prefixes, 1);
        list.add(home / "Games", Kind::Prefixes, 5);
        list.add(home / ".local" / "share" / "bottles" / "bottles", Kind::Prefixes, 2);
        list.add(home / "Games", Kind::Games, kSearchDepth);
    }
    for (const fs::path& folder : folders.gameFolders) list.add(folder, Kind::Games, kSearchDepth);
    return list.take();
}

FoundGames findGames(const std::vector<SearchPlace>& places, const SearchLimits& limits) {
    FoundGames found;
    Search(limits, limits.now() + limits.time).run(places, found);
    return found;
}

FoundGames findGames(const GamePlaces& places, const SearchLimits& limits) {
    const auto deadline = limits.now() + limits.time;
    FoundGames found;
    const auto where = searchPlaces(places.folders(), found.problems);
    Search(limits, deadline).run(where, found);
    return found;
}

std::string FoundGame::directoryText() const {
    std::string text = pathText(directory);
    if (text.empty() || text.back() != kPathSeparator) text += kPathSeparator;
    return text;
}

bool FoundGame::ready() const {
    return !eraser.empty() && (kNamesIgnoreCase || (program == "quake2.exe" && eraser == "eraser"));
}

std::string FoundGame::note() const {
    if (eraser.empty()) return "no eraser folder: install the bot modification here first";
    if (ready()) return {};
    std::vector<std::string> renames;
    if (program != "quake2.exe") renames.push_back(program + " to quake2.exe");
    if (eraser != "eraser") renames.push_back(eraser + " to eraser");
    std::string text = "rename " + renames.front();
    if (renames.size() > 1) text += " and " + renames.back();
    return text + " first";
}

std::string FoundGame::description() const {
    std::string text = directoryText() + kDot;
    if (!ready()) return text + note();
    text += "eraser" + std::string(kDot) + counted(maps, "map", "maps");
    if (bots)
        text += kDot + counted(*bots, "bot", "bots");
    else if (rosterUnreadable)
        text += std::string(kDot) + "bots.cfg cannot be read";
    return text;
}

GameSearch::GameSearch(Find find) {
    std::promise<FoundGames> promise;
    result_ = promise.get_future();
    thread_ =
        std::jthread([find = std::move(find), promise = std::move(promise)](std::stop_token stop) mutable {
            try {
                promise.set_value(find(stop));
            } catch (...) {
                promise.set_exception(std::current_exception());
            }
        });
}

bool GameSearch::done() const {
    return result_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

FoundGames GameSearch::take() { return result_.get(); }

}  // namespace vexmoor
