#include "gamefiles/map_library.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <system_error>
#include <vector>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

struct Stamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
};

std::optional<Stamp> stampOf(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    const std::uint64_t size = fs::file_size(file, error);
    if (error) return std::nullopt;
    const auto time = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return Stamp{size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The name among `names` (in byte order) that is `wanted` without regard to
// case: the exact one when it is there, else the first.
std::optional<std::string> matching(const std::vector<std::string>& names, const std::string& wanted) {
    if (std::binary_search(names.begin(), names.end(), wanted)) return wanted;
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        return lowered(name) == lowered(wanted);
    });
    if (found == names.end()) return std::nullopt;
    return *found;
}

Error named(Error error, const std::string& shownAs) {
    error.file = shownAs;
    return error;
}

// Keeps what was read of a file, in place of what was read of it before it
// changed (another size or modification time).
template <class Cache, class Key, class Value>
void remember(Cache& cache, const Key& key, Value value) {
    const auto& [file, size, modified, offset] = key;
    auto it = cache.lower_bound(Key{file, 0, std::numeric_limits<std::int64_t>::min(), 0});
    while (it != cache.end() && std::get<0>(it->first) == file) {
        const bool stale = std::get<1>(it->first) != size || std::get<2>(it->first) != modified;
        it = stale ? cache.erase(it) : std::next(it);
    }
    cache.insert_or_assign(key, std::move(value));
}

}  // namespace

std::string MapLocation::where() const {
    return "in " + nativeSeparators(folder + "\\" + (archive.empty() ? std::string("maps") : archive));
}

std::string MapLocation::shownAs() const {
    if (archive.empty()) return nativeSeparators(folder + "\\maps\\") + name;
    return name + " in " + nativeSeparators(folder + "\\" + archive);
}

void MapLibrary::setGameDirectory(std::function<std::string()> gameDirectory) {
    gameDirectory_ = std::move(gameDirectory);
}

MapLibrary::Key MapLibrary::keyOf(const MapLocation& location) {
    return {location.file, location.fileSize, location.modified, location.offset};
}

Result<std::shared_ptr<const PakDirectory>> MapLibrary::directoryOf(const Key& file,
                                                                    const std::string& shownAs) const {
    using Directory = Result<std::shared_ptr<const PakDirectory>>;
    {
        const std::lock_guard lock(mutex_);
        if (const auto known = archives_.find(file); known != archives_.end()) return known->second;
    }
    auto read = readPakDirectory(std::get<0>(file), shownAs);
    Directory directory = read ? Directory(std::make_shared<const PakDirectory>(std::move(read).value()))
                               : Directory(read.error());
    const std::lock_guard lock(mutex_);
    remember(archives_, file, directory);
    return directory;
}

Result<std::optional<MapLocation>> MapLibrary::locate(const std::string& map) const {
    if (!gameDirectory_ || map.empty()) return std::optional<MapLocation>{};
    const std::string game = gameDirectory_();
    const std::string fileName = map + ".bsp";
    std::optional<MapLocation> found;
    std::optional<Error> unopened;
    std::vector<std::string> damagedArchives;
    for (const std::string folder : {"eraser", "baseq2"}) {
        const fs::path directory = gamePath(game, folder);
        if (auto archives = listFiles(directory, ".pak")) {
            std::sort(archives.value().begin(), archives.value().end());
            for (int number = 9; number >= 0; --number) {
                const auto archive = matching(archives.value(), "pak" + std::to_string(number) + ".pak");
                if (!archive) continue;
                const fs::path file = directory / pathFromText(*archive);
                const auto stamp = stampOf(file);
                if (!stamp) continue;
                const std::string shownAs = nativeSeparators(folder + "\\" + *archive);
                // The game loads every archive before any map: one it cannot
                // read, or stops at, concerns every map, wherever that lies.
                const auto read = directoryOf({file, stamp->size, stamp->modified, 0}, shownAs);
                if (!read) return read.error();
                const PakDirectory& pak = *read.value();
                if (pak.damagedEntries > 0) damagedArchives.push_back(shownAs);
                if (found || unopened) continue;
                const PakEntry* entry = pak.find("maps/" + fileName);
                if (!entry) continue;
                MapLocation location{file,          folder,      *archive,        entry->name, entry->offset,
                                     entry->length, stamp->size, stamp->modified, {}};
                // The game takes the first entry of the name, sound or not.
                if (const auto damage = pak.damage(*entry))
                    unopened = Error{location.shownAs(), 0, *damage};
                else
                    found = std::move(location);
            }
        }
        // In the engine a loose file never stands in for a map an archive holds.
        if (found || unopened) continue;
        const fs::path maps = directory / "maps";
        std::optional<std::string> loose;
        if (regularFileExists(maps / pathFromText(fileName)))
            loose = fileName;
        else if (auto names = listFiles(maps, ".bsp")) {
            std::sort(names.value().begin(), names.value().end());
            loose = matching(names.value(), fileName);
        }
        if (!loose) continue;
        const fs::path file = maps / pathFromText(*loose);
        if (const auto stamp = stampOf(file))
            found = MapLocation{file, folder, {}, *loose, 0, stamp->size, stamp->size, stamp->modified, {}};
    }
    if (unopened) return *unopened;
    // A damaged entry does no harm until it is opened: the map's line notes it.
    if (found) found->damagedArchives = std::move(damagedArchives);
    return found;
}

Result<MapSummary> MapLibrary::summary(const MapLocation& location) const {
    const Key key = keyOf(location);
    {
        const std::lock_guard lock(mutex_);
        if (const auto known = summaries_.find(key); known != summaries_.end()) return known->second;
    }
    // A map the game refuses still has its title to show.
    std::optional<std::string> refusal;
    const auto read = [&]() -> Result<MapSummary> {
        auto head = readFilePart(location.file, location.offset,
                                 std::min<std::uint64_t>(location.length, kBspHeaderSize));
        if (!head) return head.error();
        const auto header = readBspHeader(head.value(), location.length);
        if (!header) return header.error();
        refusal = gameRefusal(header.value());
        const BspHeader::Lump& entities = header.value()[BspLump::Entities];
        auto text = readFilePart(location.file, location.offset + entities.offset, entities.length);
        if (!text) return text.error();
        return readMapSummary(text.value());
    };
    Result<MapSummary> summary = read();
    if (!summary) summary = named(summary.error(), location.shownAs());
    if (refusal) refused(key, Error{location.shownAs(), 0, *refusal});
    const std::lock_guard lock(mutex_);
    remember(summaries_, key, summary);
    return summary;
}

Result<std::shared_ptr<const FloorPlan>> MapLibrary::plan(const MapLocation& location) const {
    using Plan = Result<std::shared_ptr<const FloorPlan>>;
    const Key key = keyOf(location);
    {
        const std::lock_guard lock(mutex_);
        if (const auto known = plans_.find(key); known != plans_.end()) return known->second;
    }
    std::optional<std::string> refusal;
    const auto read = [&]() -> Plan {
        if (location.length > kBspMaxBytes)
            return Error{{}, 0, "the map is larger than " + std::to_string(kBspMaxBytes >> 20) + " MiB"};
        auto bytes = readFilePart(location.file, location.offset, location.length);
        if (!bytes) return bytes.error();
        const auto header = readBspHeader(bytes.value(), bytes.value().size());
        if (!header) return header.error();
        refusal = gameRefusal(header.value());
        if (!refusal) refusal = gameRefusalOfFaces(bytes.value(), header.value());
        if (refusal) return Error{{}, 0, *refusal};
        auto plan = readFloorPlan(bytes.value(), header.value());
        if (!plan) return plan.error();
        return std::shared_ptr<const FloorPlan>(std::make_shared<FloorPlan>(std::move(plan).value()));
    };
    Plan plan = read();
    if (!plan) plan = named(plan.error(), location.shownAs());
    if (refusal) refused(key, plan.error());
    const std::lock_guard lock(mutex_);
    remember(plans_, key, plan);
    return plan;
}

std::optional<Error> MapLibrary::knownPlanError(const MapLocation& location) const {
    const std::lock_guard lock(mutex_);
    const auto known = plans_.find(keyOf(location));
    if (known == plans_.end() || known->second) return std::nullopt;
    return known->second.error();
}

void MapLibrary::refused(const Key& key, const Error& error) const {
    const std::lock_guard lock(mutex_);
    remember(refusals_, key, error);
}

std::optional<Error> MapLibrary::knownRefusal(const MapLocation& location) const {
    const std::lock_guard lock(mutex_);
    const auto known = refusals_.find(keyOf(location));
    if (known == refusals_.end()) return std::nullopt;
    return known->second;
}

std::string MapLibrary::title(const std::string& map) const {
    const auto location = locate(map);
    if (!location || !location.value()) return {};
    const auto read = summary(*location.value());
    return read ? read.value().title : std::string();
}

bool MapLibrary::installed(const std::string& map) const {
    const std::string directory = gameDirectory_ ? gameDirectory_() : std::string();
    if (const auto known = knownInstalled(map)) return *known;
    const auto location = locate(map);
    const bool found = location && location.value();
    const std::lock_guard lock(mutex_);
    installed_[{directory, map}] = found;
    return found;
}

std::optional<bool> MapLibrary::knownInstalled(const std::string& map) const {
    const std::string directory = gameDirectory_ ? gameDirectory_() : std::string();
    const std::lock_guard lock(mutex_);
    const auto found = installed_.find({directory, map});
    if (found == installed_.end()) return std::nullopt;
    return found->second;
}

void MapLibrary::forgetInstalled() {
    const std::lock_guard lock(mutex_);
    installed_.clear();
}

std::string notInstalledText(const std::string& map) {
    return "Not installed: no maps/" + map + ".bsp in eraser or baseq2.";
}

std::string installedCountText(std::size_t installed, std::size_t total) {
    return std::to_string(installed) + " of " + std::to_string(total) + (total == 1 ? " map" : " maps") +
           " installed";
}

}  // namespace vexmoor
