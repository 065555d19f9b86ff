#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/result.h"
#include "gamefiles/bsp_file.h"
#include "gamefiles/pak_file.h"

namespace vexmoor {

// Where the game would load a map from.
struct MapLocation {
    std::filesystem::path file;  // the archive, or the loose map file
    std::string folder;          // the game folder: "eraser" or "baseq2"
    std::string archive;         // "pak0.pak" as found, or empty for a loose file
    std::string name;            // the map's name in the archive, or the loose file's name
    std::uint64_t offset = 0;    // the map's bytes within `file`
    std::uint64_t length = 0;
    // What the caches know the file's state by.
    std::uint64_t fileSize = 0;
    std::int64_t modified = 0;
    // The game's archives that hold entries it cannot open, as shown
    // ("eraser/pak1.pak"); the map's own entry is sound.
    std::vector<std::string> damagedArchives;

    // "in baseq2/pak0.pak" or "in baseq2/maps", as the preview line says it.
    std::string where() const;
    // How an error names the map: "maps/x.bsp in baseq2/pak1.pak" or "baseq2/maps/x.bsp".
    std::string shownAs() const;
};

// The game's map files, found as the engine finds them and read only as far
// as asked: the archives' directories when a map is first looked up, a
// map's entity list for its title, its geometry for its floor plan. What was
// read is kept while the program runs, each by its file's size and
// modification time, so a changed file is read afresh. Safe to use from a
// worker thread beside the window's.
class MapLibrary {
public:
    // The game directory text, asked afresh at each look-up; none until set.
    void setGameDirectory(std::function<std::string()> gameDirectory);

    // The file of map `name` (maps/<name>.bsp), looked up as the engine does
    // with the game folder "eraser": eraser/ before baseq2/; in each folder
    // the archives pak9.pak down to pak0.pak (no other names), then the
    // loose file; in an archive, the first entry of that name. Nothing when
    // there is none. An error when the map's entry cannot be opened, or when
    // any of those archives cannot be read or stops the game at start (the
    // game loads them all before any map); a damaged entry of another map
    // is only noted.
    Result<std::optional<MapLocation>> locate(const std::string& map) const;

    // The map's title, spawn points and flags: its header and entity list only.
    Result<MapSummary> summary(const MapLocation& location) const;
    // The map's floor plan: the whole map is read, at most kBspMaxBytes. A
    // map the game refuses has none.
    Result<std::shared_ptr<const FloorPlan>> plan(const MapLocation& location) const;
    // Why the plan could not be read, when that has been tried.
    std::optional<Error> knownPlanError(const MapLocation& location) const;
    // Why the game refuses the map, once its summary (by its header) or its
    // plan (by its faces) has found that it does.
    std::optional<Error> knownRefusal(const MapLocation& location) const;

    // The title of a map for a list entry; empty when it has none or cannot be read.
    std::string title(const std::string& map) const;

    // Whether the game has a file for the map where locate() looks (an
    // archive the game cannot read counts as none). What was found is kept
    // for the game directory until forgetInstalled(); knownInstalled() tells
    // only what is kept, so the window's thread never waits for a look-up.
    bool installed(const std::string& map) const;
    std::optional<bool> knownInstalled(const std::string& map) const;
    void forgetInstalled();

private:
    // A file as the caches know it: its path, size and modification time,
    // and for a map in an archive, where its bytes begin.
    using Key = std::tuple<std::filesystem::path, std::uint64_t, std::int64_t, std::uint64_t>;
    static Key keyOf(const MapLocation& location);

    // An archive's directory, read once for each state of its file.
    Result<std::shared_ptr<const PakDirectory>> directoryOf(const Key& file,
                                                            const std::string& shownAs) const;
    void refused(const Key& key, const Error& error) const;

    std::function<std::string()> gameDirectory_;
    mutable std::mutex mutex_;
    mutable std::map<Key, Result<std::shared_ptr<const PakDirectory>>> archives_;
    mutable std::map<Key, Result<MapSummary>> summaries_;
    mutable std::map<Key, Result<std::shared_ptr<const FloorPlan>>> plans_;
    // By game directory text and map name.
    mutable std::map<std::pair<std::string, std::string>, bool> installed_;
    mutable std::map<Key, Error> refusals_;
};

// What a map list's entry says of a map the game has no file for:
// "Not installed: no maps/q2dm3.bsp in eraser or baseq2."
std::string notInstalledText(const std::string& map);
// Above a map list: "9 of 46 maps installed".
std::string installedCountText(std::size_t installed, std::size_t total);

}  // namespace vexmoor
