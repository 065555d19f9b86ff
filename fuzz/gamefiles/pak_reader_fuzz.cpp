// Feeds arbitrary bytes to the archive reader, as a whole archive and as a
// directory alone. Beyond "no crash": the directory fits beside the header
// and holds no more files than the game takes; every entry that is not
// marked damaged lies inside the archive, and the count of damaged ones is
// right; names hold no zero byte and at most 56 bytes; and the look-up finds
// each name again in any case, at that entry or an earlier one of the same
// name (the first wins).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gamefiles/pak_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

char raised(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

void requireEntries(const vexmoor::PakDirectory& directory, std::uint64_t size) {
    std::size_t damaged = 0;
    for (const vexmoor::PakEntry& entry : directory.entries) {
        if (directory.damage(entry))
            ++damaged;
        else
            require(std::uint64_t{entry.offset} + entry.length <= size);
        require(entry.name.size() <= 56 && entry.name.find('\0') == std::string::npos);
        std::string shouted = entry.name;
        std::transform(shouted.begin(), shouted.end(), shouted.begin(), raised);
        const vexmoor::PakEntry* found = directory.find(shouted);
        require(found != nullptr && found <= &entry && found->name.size() == entry.name.size());
    }
    require(damaged == directory.damagedEntries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = vexmoor::readPakBytes(bytes);
    if (read) {
        const auto& entries = read.value().entries;
        require(size >= vexmoor::kPakHeaderSize && bytes.substr(0, 4) == "PACK");
        require(entries.size() * vexmoor::kPakEntrySize <= size - vexmoor::kPakHeaderSize);
        require(entries.size() <= vexmoor::kGameMaxPakFiles);
        requireEntries(read.value(), size);
    } else {
        require(!read.error().reason.empty());
    }
    // The same bytes as a directory read from disk, in an archive of their own size.
    const auto directory = vexmoor::readPakEntries(bytes, size);
    require(directory.entries.size() == size / vexmoor::kPakEntrySize);
    requireEntries(directory, size);
    return 0;
}
