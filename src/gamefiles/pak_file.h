#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
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
//
// The game reads an archive by its directory alone, as far as it holds whole
// entries, and checks an entry's bytes only when it opens that entry; so an
// entry whose bytes lie outside the archive is kept, marked, and fails only
// where it is opened.

inline constexpr std::size_t kPakHeaderSize = 12;
inline constexpr std::size_t kPakEntrySize = 64;
// The game stops at start with an archive of more files than this.
inline constexpr std::size_t kGameMaxPakFiles = 4096;

struct PakEntry {
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

struct PakDirectory {
    std::vector<PakEntry> entries;
    std::uint64_t archiveSize = 0;
    // How many entries cannot be opened (see damage).
    std::size_t damagedEntries = 0;

    // The first entry of that name, compared without regard to ASCII case, as
    // the game looks up its files, whether or not it can be opened; null when
    // there is none.
    const PakEntry* find(std::string_view name) const;
    // Why an entry's bytes cannot be read: a negative offset or length, or
    // bytes past the end of the archive; nothing for a sound entry.
    std::optional<std::string> damage(const PakEntry& entry) const;
};

// Where the directory lies, from the first bytes of an archive of fileSize bytes.
// An archive of more than kGameMaxPakFiles files is refused: the game stops at
// start with it.
struct PakHeader {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    // The whole entries the directory holds; a part of one left over is not read.
    std::size_t files() const { return length / kPakEntrySize; }
};
Result<PakHeader> readPakHeader(std::string_view head, std::uint64_t fileSize);

// The entries from the directory's bytes, in an archive of fileSize bytes.
PakDirectory readPakEntries(std::string_view directory, std::uint64_t fileSize);

// A whole archive held in memory.
Result<PakDirectory> readPakBytes(std::string_view archive);

// An archive on disk: only its header and its directory are read. The
// error names the file as given in `shownAs`; for an archive the game stops
// at, the reason names it itself and says why ("eraser/pak1.pak holds
// 5,000 files; the game stops at start with more than 4,096").
Result<PakDirectory> readPakDirectory(const std::filesystem::path& file, const std::string& shownAs);

}  // namespace vexmoor
