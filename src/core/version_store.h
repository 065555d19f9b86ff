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

    bool operator==(const KeptVersion&) const = default;
};

// A version's description, a few "name: value" lines of our own; the
// reader takes any bytes and gives nothing for what it cannot use.
std::string versionInfoText(const KeptVersion& version);
std::optional<KeptVersion> parseVersionInfo(std::string_view text, std::uint64_t number);

// The earlier versions of the files of every game directory, in Vexmoor's
// own data folder: one folder per game directory (named by a readable part
// of the directory and a hash of its whole text, so that two installations
// never mix) and in it one folder per file. A version is two files: its
// bytes, exactly as they were ("000042-bots.cfg", so it can be opened as it
// stands), and its description ("000042.info"), written after the bytes, so
// a version is complete once its description is there. Both are written by
// the safe writer.
class VersionStore {
public:
    static constexpr std::size_t kKeptPerFile = 100;
    // Seconds since 1970-01-01, UTC.
    using Clock = std::function<std::int64_t()>;

    explicit VersionStore(std::filesystem::path root, Clock clock = {});

    const std::filesystem::path& root() const { return root_; }
    static std::string folderName(std::string_view gameDirectory);
    std::filesystem::path folderOf(std::string_view gameDirectory, KeptFile file) const;

    // Keeps the bytes as the newest version of the file, unless the newest
    // already holds exactly these bytes; then removes the oldest beyond
    // kKeptPerFile. True when a version was kept. Finding the newest reads
    // the folder's names and one description, and the newest's bytes only
    // when size and hash match. On failure nothing is left half written.
    Result<bool> keep(std::string_view gameDirectory, KeptFile file, std::string_view bytes,
                      std::string_view action, std::string_view summary);

    // The complete versions of the file, newest first; none when its folder
    // does not exist yet. Descriptions that cannot be read are passed over.
    Result<std::vector<KeptVersion>> versions(std::string_view gameDirectory, KeptFile file) const;
    Result<std::string> bytesOf(std::string_view gameDirectory, KeptFile file,
                                const KeptVersion& version) const;

private:
    std::int64_t now() const;

    std::filesystem::path root_;
    Clock clock_;
};

// A moment as the local date and time, "2024-05-01 14:03:22".
std::string localTimeText(std::int64_t secondsSince1970);

}  // namespace vexmoor
