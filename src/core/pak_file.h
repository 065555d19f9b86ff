#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// A .pak archive of the game: a 12-byte header ("PACK", then the offset and
// length of the directory), the files' bytes, and the directory, one 64-byte
// entry per file (a 56-byte name, then the offset and length of its bytes),
// all numbers little-endian. Archives come from anywhere: every number is
// checked against the archive's size before it is used, and errors carry the
// reason only (the caller knows which file it was).

inline constexpr std::size_t kPakHeaderSize = 12;
inline constexpr std::size_t kPakEntrySize = 64;
// A 16 MiB directory; the game's own archives hold a few thousand files.
inline constexpr std::size_t kPakMaxEntries = 262144;

struct PakEntry {
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

struct PakDirectory {
    std::vector<PakEntry> entries;

    // The first entry of that name, compared without regard to ASCII case, as
    // the game looks up its files; null when there is none.
    const PakEntry* find(std::string_view name) const;
};

// Where the directory lies, from the first bytes of an archive of fileSize bytes.
struct PakHeader {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};
Result<PakHeader> readPakHeader(std::string_view head, std::uint64_t fileSize);

// The entries from the directory's bytes; every entry's bytes lie inside the archive.
Result<PakDirectory> readPakEntries(std::string_view directory, std::uint64_t fileSize);

// A whole archive held in memory.
Result<PakDirectory> readPakBytes(std::string_view archive);

// An archive on disk: only its header and its directory are read. The
// error names the file as given in `shownAs`.
Result<PakDirectory> readPakDirectory(const std::filesystem::path& file, const std::string& shownAs);

}  // namespace vexmoor
