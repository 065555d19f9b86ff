// Feeds arbitrary bytes to the archive reader, as a whole archive and as a
// directory alone. Beyond "no crash": every entry it lists lies inside the
// archive, the directory fits beside the header, names hold no zero byte and
// at most 56 bytes, and the look-up finds each name again in any case.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/pak_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

char raised(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = vexmoor::readPakBytes(bytes);
    if (read) {
        const auto& entries = read.value().entries;
        require(size >= vexmoor::kPakHeaderSize && bytes.substr(0, 4) == "PACK");
        require(entries.size() * vexmoor::kPakEntrySize <= size - vexmoor::kPakHeaderSize);
        for (const vexmoor::PakEntry& entry : entries) {
            require(std::uint64_t{entry.offset} + entry.length <= size);
            require(entry.name.size() <= 56 && entry.name.find('\0') == std::string::npos);
            std::string shouted = entry.name;
            std::transform(shouted.begin(), shouted.end(), shouted.begin(), raised);
            const vexmoor::PakEntry* found = read.value().find(shouted);
            require(found != nullptr && found->name.size() == entry.name.size());
        }
    } else {
        require(!read.error().reason.empty());
    }
    // The same bytes as a directory read from disk, in an archive of their own size.
    const auto entries = vexmoor::readPakEntries(bytes, size);
    require(!entries || entries.value().entries.size() == size / vexmoor::kPakEntrySize);
    return 0;
}
