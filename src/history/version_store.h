#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// The files Vexmoor rewrites and keeps earlier versions of.
enum class KeptFile { Roster, Chat, MapCycle, Settings };

inline constexpr std::array<KeptFile, 4> kKeptFiles = {KeptFile::Roster, KeptFile::Chat, KeptFile::MapCycle,
                                                       KeptFile::Settings};

// The file's own name: "bots.cfg", "chat.txt", "maps.txt", "vexmoor.ini".
const char* keptFileName(KeptFile file);

// A cheap likeness of a file's content, enough to tell whether it changed:
// its size and a 64-bit hash of its bytes, or that there was no file.
struct ContentPrint {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;

    bool operator==(const ContentPrint&) const = default;
};

std::uint64_t contentHash(std::string_view bytes);
ContentPrint printOf(std::string_view bytes);

// One earlier version of a file, as its description tells.
struct KeptVersion {
    std::uint64_t number = 0;  // grows with every version of the file
    std::int64_t keptAt = 0;   // seconds since 1970-01-01, UTC
    std::string action;        // what was about to rewrite the file
    std::string summary;       // one line on what the version holds
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    // The folder below the versions folder an older Vexmoor filed it under,
    // when that is not where the file's versions are filed now (settings
    // versions were once filed under a game directory); empty otherwise.
    std::string formerFolder;

    bool operator==(const KeptVersion&) const = default;
};

// A version's description, a few "name: value" lines of our own; the
// reader takes any bytes and gives nothing for what it cannot use.
std::string versionInfoText(const KeptVersion& version);
std::optional<KeptVersion> parseVersionInfo(std::string_view text, std::uint64_t number);

// The earlier versions of the files Vexmoor rewrites, in Vexmoor's own data
// folder: one folder for what a file's versions are filed under, and in it
// one folder per file. The game's files are filed under their game directory
// and the settings file under its own path, so that its versions are the
// same whatever game directory it names, or when it names none; the folder
// is named by a readable part of that text and a hash of all of it, so that
// two installations never mix. Settings versions an older Vexmoor filed under
// a game directory are offered with the others and count towards the limit.
//
// A version is two files: its bytes, exactly as they were ("000042-bots.cfg",
// so it can be opened as it stands), and its description ("000042.info"),
// written after the bytes by the safe writer, so a version is complete once
// its description is there. The number is claimed by making the bytes' file
// exclusively: another Vexmoor keeping a version of the same file at the same
// moment takes the next number, and neither is lost.
class VersionStore {
public:
    static constexpr std::size_t kKeptPerFile = 100;
    // Bytes without a description are a keep that failed half way, or one
    // another program is making now: only those older than this go.
    static constexpr std::int64_t kLeftoverSeconds = 5 * 60;
    // Seconds since 1970-01-01, UTC.
    using Clock = std::function<std::int64_t()>;

    explicit VersionStore(std::filesystem::path root, Clock clock = {},
                          std::size_t keptPerFile = kKeptPerFile);

    const std::filesystem::path& root() const { return root_; }
    static std::string folderName(std::string_view filedUnder);
    std::filesystem::path folderOf(std::string_view filedUnder, KeptFile file) const;

    // Keeps the bytes as the newest version of the file, unless the newest
    // already holds exactly these bytes; then removes the oldest beyond the
    // limit. True when a version was kept. Finding the newest reads the
    // folder's names and one description, and the newest's bytes only when
    // size and hash match. On failure nothing is left half written.
    Result<bool> keep(std::string_view filedUnder, KeptFile file, std::string_view bytes,
                      std::string_view action, std::string_view summary);

    // The complete versions of the file, newest first; none when its folder
    // does not exist yet. Descriptions that cannot be read are passed over.
    Result<std::vector<KeptVersion>> versions(std::string_view filedUnder, KeptFile file) const;
    Result<std::string> bytesOf(std::string_view filedUnder, KeptFile file, const KeptVersion& version) const;

private:
    std::int64_t now() const;
    std::filesystem::path folderHolding(std::string_view filedUnder, KeptFile file,
                                        const KeptVersion& version) const;
    std::vector<KeptVersion> formerSettings(std::string_view filedUnder) const;
    void tidy(const std::filesystem::path& folder, KeptFile file, std::string_view filedUnder);

    std::filesystem::path root_;
    Clock clock_;
    std::size_t keptPerFile_;
};

// A moment as the local date and time, "2024-05-01 14:03:22".
std::string localTimeText(std::int64_t secondsSince1970);

}  // namespace vexmoor
