#include "core/pak_file.h"

#include <algorithm>
#include <system_error>

#include "core/binary.h"
#include "core/file_io.h"

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

}  // namespace

const PakEntry* PakDirectory::find(std::string_view name) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const PakEntry& entry) { return sameName(entry.name, name); });
    return found == entries.end() ? nullptr : &*found;
}

Result<PakHeader> readPakHeader(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < kPakHeaderSize || fileSize < kPakHeaderSize)
        return damaged("the file is too short for an archive header");
    if (head.substr(0, 4) != "PACK")
        return damaged("the file is not a .pak archive (it does not begin with PACK)");
    const PakHeader header{binary::u32(head, 4), binary::u32(head, 8)};
    if (negative(header.offset) || negative(header.length))
        return damaged("the directory's offset or length is negative");
    if (header.length % kPakEntrySize != 0)
        return damaged("the directory's length is not a whole number of 64-byte entries");
    if (std::uint64_t{header.offset} + header.length > fileSize)
        return damaged("the directory runs past the end of the file");
    if (header.length > 0 && header.offset < kPakHeaderSize)
        return damaged("the directory overlaps the header");
    if (header.length / kPakEntrySize > kPakMaxEntries)
        return damaged("the directory lists more than " + std::to_string(kPakMaxEntries) + " files");
    return header;
}

Result<PakDirectory> readPakEntries(std::string_view directory, std::uint64_t fileSize) {
    if (directory.size() % kPakEntrySize != 0)
        return damaged("the directory's length is not a whole number of 64-byte entries");
    if (directory.size() / kPakEntrySize > kPakMaxEntries)
        return damaged("the directory lists more than " + std::to_string(kPakMaxEntries) + " files");
    PakDirectory result;
    result.entries.reserve(directory.size() / kPakEntrySize);
    for (std::size_t at = 0; at < directory.size(); at += kPakEntrySize) {
        // A name fills its 56 bytes or ends at the first zero byte.
        const std::string_view field = directory.substr(at, kNameSize);
        PakEntry entry{std::string(field.substr(0, field.find('\0'))), binary::u32(directory, at + kNameSize),
                       binary::u32(directory, at + kNameSize + 4)};
        const auto which = [&] {
            return "the entry " + std::to_string(at / kPakEntrySize + 1) + " (\"" + entry.name + "\")";
        };
        if (negative(entry.offset) || negative(entry.length))
            return damaged(which() + " has a negative offset or length");
        if (std::uint64_t{entry.offset} + entry.length > fileSize)
            return damaged(which() + " runs past the end of the file");
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
    const auto header = readPakHeader(head.value(), size);
    if (!header) return named(header.error());
    auto directory = readFilePart(file, header.value().offset, header.value().length);
    if (!directory) return named(Error{{}, 0, directory.error().reason});
    auto entries = readPakEntries(directory.value(), size);
    if (!entries) return named(entries.error());
    return entries;
}

}  // namespace vexmoor
