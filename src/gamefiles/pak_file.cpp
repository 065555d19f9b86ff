#include "gamefiles/pak_file.h"

#include <algorithm>
#include <system_error>

#include "core/ports.h"
#include "gamefiles/binary.h"

namespace vexmoor {

namespace {

constexpr std::size_t kNameSize = 56;

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowered(x) == lowered(y); });
}

Error damaged(std::string reason) { return Error{{}, 0, std::move(reason)}; }

// The format's numbers are signed: a value of 2^31 or more is negative.
bool negative(std::uint32_t value) { return value > 0x7fffffffu; }

// 5000 as "5,000".
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

// The game reads the directory wherever the header puts it; a directory
// that is not inside the file, or a negative number, gives it no entries it
// could use.
Result<PakHeader> readHeader(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < kPakHeaderSize || fileSize < kPakHeaderSize)
        return damaged("the file is too short for an archive header");
    if (head.substr(0, 4) != "PACK")
        return damaged("the file is not a .pak archive (it does not begin with PACK)");
    const PakHeader header{binary::u32(head, 4), binary::u32(head, 8)};
    if (negative(header.offset) || negative(header.length))
        return damaged("the directory's offset or length is negative");
    if (std::uint64_t{header.offset} + header.length > fileSize)
        return damaged("the directory runs past the end of the file");
    if (header.length > 0 && header.offset < kPakHeaderSize)
        return damaged("the directory overlaps the header");
    return header;
}

// The game's own check at start, which ends it ("<pak> has <N> files").
std::optional<std::string> stopsTheGame(const PakHeader& header, const std::string& archive) {
    if (header.files() <= kGameMaxPakFiles) return std::nullopt;
    return archive + " holds " + withThousands(header.files()) +
           " files; the game stops at start with more than " + withThousands(kGameMaxPakFiles);
}

}  // namespace

const PakEntry* PakDirectory::find(std::string_view name) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const PakEntry& entry) { return sameName(entry.name, name); });
    return found == entries.end() ? nullptr : &*found;
}

std::optional<std::string> PakDirectory::damage(const PakEntry& entry) const {
    if (negative(entry.offset) || negative(entry.length)) return "the entry has a negative offset or length";
    if (std::uint64_t{entry.offset} + entry.length > archiveSize)
        return "the entry runs past the end of the archive";
    return std::nullopt;
}

Result<PakHeader> readPakHeader(std::string_view head, std::uint64_t fileSize) {
    auto header = readHeader(head, fileSize);
    if (!header) return header;
    if (auto stop = stopsTheGame(header.value(), "the archive")) return damaged(std::move(*stop));
    return header;
}

PakDirectory readPakEntries(std::string_view directory, std::uint64_t fileSize) {
    PakDirectory result;
    result.archiveSize = fileSize;
    result.entries.reserve(directory.size() / kPakEntrySize);
    for (std::size_t at = 0; at + kPakEntrySize <= directory.size(); at += kPakEntrySize) {
        // A name fills its 56 bytes or ends at the first zero byte.
        const std::string_view field = directory.substr(at, kNameSize);
        PakEntry entry{std::string(field.substr(0, field.find('\0'))), binary::u32(directory, at + kNameSize),
                       binary::u32(directory, at + kNameSize + 4)};
        if (result.damage(entry)) ++result.damagedEntries;
        result.entries.push_back(std::move(entry));
    }
    return result;
}

Result<PakDirectory> readPakBytes(std::string_view archive) {
    const auto header = readPakHeader(archive, archive.size());
    if (!header) return header.error();
    return readPakEntries(archive.substr(header.value().offset, header.value().length), archive.size());
}

Result<PakDirectory> readPakDirectory(const std::filesystem::path& file, const std::string& shownAs) {
    const auto named = [&](Error error) {
        error.file = shownAs;
        return error;
    };
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(file, error);
    if (error) return named(Error{{}, 0, "the file cannot be read (" + error.message() + ")"});
    auto head = readFilePart(file, 0, std::min<std::uint64_t>(size, kPakHeaderSize));
    if (!head) return named(Error{{}, 0, head.error().reason});
    const auto header = readHeader(head.value(), size);
    if (!header) return named(header.error());
    if (auto stop = stopsTheGame(header.value(), shownAs)) return damaged(std::move(*stop));
    auto directory = readFilePart(file, header.value().offset, header.value().length);
    if (!directory) return named(Error{{}, 0, directory.error().reason});
    return readPakEntries(directory.value(), size);
}

}  // namespace vexmoor
