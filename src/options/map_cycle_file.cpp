#include "options/map_cycle_file.h"

#include <algorithm>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

std::filesystem::path mapCyclePath(const std::string& gameDirectory) {
    return gamePath(gameDirectory, "eraser\\maps.txt");
}

std::vector<std::string> readMapCycleBytes(std::string_view bytes) {
    std::vector<std::string> maps;
    // A field ends at a comma or a line end, or at the end of the file.
    maps.reserve(static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(),
                                                        [](char c) { return c == '\n' || c == ','; })) +
                 1);
    const std::size_t size = bytes.size();
    // A line end is an LF after any number of CRs (CR LF, LF, CR CR LF).
    const auto lineEndLength = [&](std::size_t at) -> std::size_t {
        std::size_t after = at;
        while (after < size && bytes[after] == '\r') ++after;
        return after < size && bytes[after] == '\n' ? after - at + 1 : 0;
    };
    // The game separates names at blanks and tabs as at any other byte that
    // is no part of a name, so both are passed over before a field.
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    // CRs are no part of a name either: those that end a field go.
    const auto withoutCrs = [](std::string_view field) {
        while (!field.empty() && field.back() == '\r') field.remove_suffix(1);
        return field;
    };
    std::size_t pos = 0;
    // Every line end or comma closes a field, so a list that ends in an empty
    // name, or in a name ending in blanks, reads back as it was written; only
    // blanks with nothing after them start no field.
    while (pos < size) {
        const std::size_t start = pos;
        while (pos < size && isBlank(bytes[pos])) ++pos;
        if (pos == size) break;
        if (bytes[pos] == '#') {
            // A comment to the game, commas and all: one entry, kept with
            // its blanks so that it is written back as it stood.
            std::size_t end = pos;
            while (end < size && bytes[end] != '\n') ++end;
            maps.emplace_back(withoutCrs(bytes.substr(start, end - start)));
            pos = end < size ? end + 1 : end;
            continue;
        }
        if (bytes[pos] == '"') {
            // Quoted: runs to the next double quote, line ends and commas included.
            const std::size_t open = pos + 1;
            std::size_t close = bytes.find('"', open);
            if (close == std::string_view::npos) close = size;
            maps.emplace_back(bytes.substr(open, close - open));
            pos = close < size ? close + 1 : size;
            while (pos < size && isBlank(bytes[pos])) ++pos;
            if (pos < size && bytes[pos] == ',')
                ++pos;
            else
                pos += lineEndLength(pos);
            continue;
        }
        std::size_t end = pos;
        while (end < size && bytes[end] != ',' && bytes[end] != '\n') ++end;
        const std::size_t next = end < size ? end + 1 : end;
        maps.emplace_back(withoutCrs(bytes.substr(pos, end - pos)));
        pos = next;
    }
    return maps;
}

std::string mapCycleBytes(const std::vector<std::string>& maps) {
    std::size_t size = 0;
    for (const auto& map : maps) size += map.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& map : maps) {
        bytes += map;
        bytes += "\r\n";
    }
    return bytes;
}

Result<std::vector<std::string>> readMapCycle(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    return readMapCycleBytes(bytes.value());
}

Status writeMapCycle(const std::filesystem::path& path, const std::vector<std::string>& maps) {
    return writeWholeFile(path, mapCycleBytes(maps));
}

}  // namespace vexmoor
