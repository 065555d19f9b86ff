#include "history/version_store.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <system_error>
#include <tuple>
#include <utility>

#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

const char* keptFileName(KeptFile file) {
    switch (file) {
        case KeptFile::Roster:
            return "bots.cfg";
        case KeptFile::Chat:
            return "chat.txt";
        case KeptFile::MapCycle:
            return "maps.txt";
        case KeptFile::Settings:
            break;
    }
    return "vexmoor.ini";
}

std::uint64_t contentHash(std::string_view bytes) {
    // Eight bytes at a time (a little-endian word on every system Vexmoor
    // builds for), each mixed in with a multiply and a shift: a roster of
    // thousands of bots costs a fraction of a millisecond.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = 0xCBF29CE484222325ull ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 32;
    }
    std::uint64_t tail = 0;
    for (unsigned shift = 0; i < bytes.size(); ++i, shift += 8)
        tail |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << shift;
    hash = (hash ^ tail) * kMultiplier;
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return hash;
}

ContentPrint printOf(std::string_view bytes) { return ContentPrint{true, bytes.size(), contentHash(bytes)}; }

namespace {

constexpr std::string_view kInfoTitle = "Vexmoor earlier version";
constexpr std::string_view kInfoExtension = ".info";

// Action and summary stand on one line of the description.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

std::string hexText(std::uint64_t value) {
    char text[17];
    for (int i = 15; i >= 0; --i) {
        text[i] = "0123456789abcdef"[value & 0xF];
        value >>= 4;
    }
    text[16] = '\0';
    return text;
}

template <class T>
std::optional<T> parsed(std::string_view text, int base = 10) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string numberText(std::uint64_t number) {
    std::string text = std::to_string(number);
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

std::string bytesName(std::uint64_t number, KeptFile file) {
    return numberText(number) + "-" + keptFileName(file);
}
std::string infoName(std::uint64_t number) { return numberText(number) + std::string(kInfoExtension); }

// What a version folder holds, by number: the complete versions (those with
// a description) and the highest number any entry carries.
struct Listing {
    std::vector<std::uint64_t> described;
    std::vector<std::uint64_t> bytesOnly;
    std::uint64_t highest = 0;
};

// The number a name begins with and what follows it, or nothing.
std::optional<std::pair<std::uint64_t, std::string_view>> numbered(std::string_view name) {
    const std::size_t digits = name.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string_view::npos || digits > 18) return std::nullopt;
    const auto number = parsed<std::uint64_t>(name.substr(0, digits));
    if (!number) return std::nullopt;
    return std::pair{*number, name.substr(digits)};
}

Result<Listing> listed(const fs::path& folder, KeptFile file) {
    Listing listing;
    std::error_code error;
    std::vector<std::uint64_t> bytesFiles;
    const std::string bytesSuffix = std::string("-") + keptFileName(file);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = pathText(it->path().filename());
        const auto number = numbered(name);
        if (!number) continue;
        if (number->second == kInfoExtension)
            listing.described.push_back(number->first);
        else if (number->second == bytesSuffix)
            bytesFiles.push_back(number->first);
        else
            continue;
        listing.highest = std::max(listing.highest, number->first);
    }
    if (error) return Error{pathText(folder), 0, "the folder cannot be listed (" + error.message() + ")"};
    std::sort(listing.described.begin(), listing.described.end());
    for (const std::uint64_t number : bytesFiles)
        if (!std::binary_search(listing.described.begin(), listing.described.end(), number))
            listing.bytesOnly.push_back(number);
    return listing;
}

// Whether a file was last written longer ago than keeping a version takes.
bool leftOver(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    return !error &&
           fs::file_time_type::clock::now() - written > std::chrono::seconds(VersionStore::kLeftoverSeconds);
}

// Description first, so that no version is ever listed without its bytes.
void removeVersion(const fs::path& folder, std::uint64_t number, KeptFile file) {
    std::error_code error;
    if (fs::remove(folder / infoName(number), error)) fs::remove(folder / bytesName(number, file), error);
}

std::optional<KeptVersion> readInfo(const fs::path& folder, std::uint64_t number) {
    const auto text = readWholeFile(folder / infoName(number));
    if (!text) return std::nullopt;
    return parseVersionInfo(text.value(), number);
}

// What a game directory text names, written one way: without the
// separators it ends in, and on Windows, where names ignore ASCII case and
// either slash separates, in lower case with backslashes.
std::string sameDirectoryText(std::string_view gameDirectory) {
    std::string text(gameDirectory);
    while (!text.empty() && (text.back() == '/' || text.back() == '\\')) text.pop_back();
#ifdef _WIN32
    for (char& c : text) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
#endif
    return text;
}

// Makes a version folder and those above it. A folder without any write
// permission counts as read-only, as it does for the safe writer, even for a
// user the system would let through; a file where a folder should be is in
// the way.
Status madeFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return {};
    fs::path existing = folder;
    while (!fs::exists(fs::symlink_status(existing, error)) && existing.has_parent_path() &&
           existing.parent_path() != existing)
        existing = existing.parent_path();
    const auto status = fs::status(existing, error);
    if (!error && status.type() != fs::file_type::directory)
        return Error{pathText(existing), 0, "it is in the way: a file where a folder should be"};
#ifndef _WIN32
    // Windows keeps a folder's read-only mark for the shell's own use.
    constexpr auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (!error && (status.permissions() & writable) == fs::perms::none)
        return Error{pathText(existing), 0, "the folder is read-only"};
#endif
    fs::create_directories(folder, error);
    if (error) return Error{pathText(folder), 0, "the folder cannot be made (" + error.message() + ")"};
    return {};
}

}  // namespace

std::string versionInfoText(const KeptVersion& version) {
    std::string text(kInfoTitle);
    text += "\r\nkept: " + std::to_string(version.keptAt);
    text += "\r\naction: " + oneLine(version.action);
    text += "\r\nsummary: " + oneLine(version.summary);
    text += "\r\nsize: " + std::to_string(version.size);
    text += "\r\nhash: " + hexText(version.hash);
    return text + "\r\n";
}

std::optional<KeptVersion> parseVersionInfo(std::string_view text, std::uint64_t number) {
    KeptVersion version;
    version.number = number;
    bool titled = false, kept = false, sized = false, hashed = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!titled) {
            if (line != kInfoTitle) return std::nullopt;
            titled = true;
            continue;
        }
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) continue;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 2);
        if (name == "kept") {
            const auto seconds = parsed<std::int64_t>(value);
            if (!seconds) return std::nullopt;
            version.keptAt = *seconds;
            kept = true;
        } else if (name == "size") {
            const auto size = parsed<std::uint64_t>(value);
            if (!size) return std::nullopt;
            version.size = *size;
            sized = true;
        } else if (name == "hash") {
            const auto hash = value.size() == 16 ? parsed<std::uint64_t>(value, 16) : std::nullopt;
            if (!hash) return std::nullopt;
            version.hash = *hash;
            hashed = true;
        } else if (name == "action") {
            version.action = value;
        } else if (name == "summary") {
            version.summary = value;
        }
    }
    if (!kept || !sized || !hashed) return std::nullopt;
    return version;
}

VersionStore::VersionStore(fs::path root, Clock clock, std::size_t keptPerFile)
    : root_(std::move(root)), clock_(std::move(clock)), keptPerFile_(keptPerFile) {}

std::int64_t VersionStore::now() const {
    if (clock_) return clock_();
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string VersionStore::folderName(std::string_view filedUnder) {
    const std::string whole = sameDirectoryText(filedUnder);
    const std::size_t slash = whole.find_last_of("/\\");
    std::string readable = whole.substr(slash == std::string::npos ? 0 : slash + 1);
    // Letters, digits, dots, dashes and underscores only, so the name is
    // safe on every file system; the hash tells similar names apart.
    for (char& c : readable) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '.' || c == '-' || c == '_';
        if (!plain) c = '_';
    }
    readable.erase(0, readable.find_first_not_of('.'));
    if (readable.size() > 40) readable.resize(40);
    if (readable.empty()) readable = "game";
    return readable + "-" + hexText(contentHash(whole));
}

fs::path VersionStore::folderOf(std::string_view filedUnder, KeptFile file) const {
    return root_ / folderName(filedUnder) / keptFileName(file);
}

fs::path VersionStore::folderHolding(std::string_view filedUnder, KeptFile file,
                                     const KeptVersion& version) const {
    if (version.formerFolder.empty()) return folderOf(filedUnder, file);
    return root_ / pathFromText(version.formerFolder) / keptFileName(file);
}

// The settings versions in the folders of other texts than the one they are
// filed under now, newest first. A folder that cannot be read is passed over:
// what it holds is offered once it can be.
std::vector<KeptVersion> VersionStore::formerSettings(std::string_view filedUnder) const {
    std::vector<KeptVersion> former;
    const std::string own = folderName(filedUnder);
    std::error_code error;
    for (fs::directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = pathText(it->path().filename());
        const fs::path folder = it->path() / keptFileName(KeptFile::Settings);
        std::error_code ignored;
        // Another settings file's own folder (a run with another configuration folder) is no former one.
        const bool settingsOwn = name.starts_with(std::string(keptFileName(KeptFile::Settings)) + "-");
        if (name == own || settingsOwn || !fs::is_directory(folder, ignored)) continue;
        const auto listing = listed(folder, KeptFile::Settings);
        if (!listing) continue;
        for (const std::uint64_t number : listing.value().described) {
            if (auto version = readInfo(folder, number)) {
                version->formerFolder = name;
                former.push_back(std::move(*version));
            }
        }
    }
    std::sort(former.begin(), former.end(), [](const KeptVersion& a, const KeptVersion& b) {
        return std::tie(a.keptAt, a.formerFolder, a.number) > std::tie(b.keptAt, b.formerFolder, b.number);
    });
    return former;
}

Result<bool> VersionStore::keep(std::string_view filedUnder, KeptFile file, std::string_view bytes,
                                std::string_view action, std::string_view summary) {
    const fs::path folder = folderOf(filedUnder, file);
    if (Status made = madeFolder(folder); !made) return made.error();
    const auto listing = listed(folder, file);
    if (!listing) return listing.error();
    const std::vector<std::uint64_t>& described = listing.value().described;

    const ContentPrint print = printOf(bytes);
    if (!described.empty()) {
        const auto newest = readInfo(folder, described.back());
        if (newest && newest->size == print.size && newest->hash == print.hash) {
            const auto held = readWholeFile(folder / bytesName(newest->number, file));
            if (held && held.value() == bytes) return false;
        }
    }

    // The number is past every one the folder shows, and past every one
    // another program claims between the listing and the making of the file.
    constexpr int kTries = 1000;
    std::uint64_t number = listing.value().highest;
    Status claimed;
    for (int i = 0; i < kTries; ++i) {
        claimed = writeNewFile(folder / bytesName(++number, file), bytes);
        if (claimed || claimed.error().reason != kFileExistsReason) break;
    }
    if (!claimed) return claimed.error();

    KeptVersion version;
    version.number = number;
    version.keptAt = now();
    version.action = action;
    version.summary = summary;
    version.size = print.size;
    version.hash = print.hash;
    if (Status written = writeWholeFile(folder / infoName(number), versionInfoText(version)); !written) {
        std::error_code error;
        fs::remove(folder / bytesName(number, file), error);
        return written.error();
    }
    tidy(folder, file, filedUnder);
    return true;
}

// The oldest versions beyond the limit go; settings versions an older
// Vexmoor filed elsewhere are older than all of these, so they go first. So
// do bytes left without a description long enough that no program is still
// keeping them. The folder is listed anew: another program may have kept
// versions meanwhile.
void VersionStore::tidy(const fs::path& folder, KeptFile file, std::string_view filedUnder) {
    const auto listing = listed(folder, file);
    if (!listing) return;
    const std::vector<std::uint64_t>& described = listing.value().described;
    std::vector<KeptVersion> former;
    if (file == KeptFile::Settings) former = formerSettings(filedUnder);
    const std::size_t all = described.size() + former.size();
    std::size_t surplus = all > keptPerFile_ ? all - keptPerFile_ : 0;
    for (; surplus > 0 && !former.empty(); --surplus, former.pop_back())
        removeVersion(folderHolding(filedUnder, file, former.back()), former.back().number, file);
    for (std::size_t i = 0; i < surplus && i < described.size(); ++i)
        removeVersion(folder, described[i], file);
    for (const std::uint64_t number : listing.value().bytesOnly) {
        const fs::path leftover = folder / bytesName(number, file);
        std::error_code error;
        if (leftOver(leftover)) fs::remove(leftover, error);
    }
}

Result<std::vector<KeptVersion>> VersionStore::versions(std::string_view filedUnder, KeptFile file) const {
    const fs::path folder = folderOf(filedUnder, file);
    std::vector<KeptVersion> versions;
    std::error_code error;
    if (fs::exists(folder, error)) {
        const auto listing = listed(folder, file);
        if (!listing) return listing.error();
        const auto& described = listing.value().described;
        for (auto number = described.rbegin(); number != described.rend(); ++number)
            if (auto version = readInfo(folder, *number)) versions.push_back(std::move(*version));
    }
    if (file == KeptFile::Settings)
        for (KeptVersion& version : formerSettings(filedUnder)) versions.push_back(std::move(version));
    return versions;
}

Result<std::string> VersionStore::bytesOf(std::string_view filedUnder, KeptFile file,
                                          const KeptVersion& version) const {
    const fs::path path = folderHolding(filedUnder, file, version) / bytesName(version.number, file);
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    // A copy someone changed since is not what the list describes.
    if (printOf(bytes.value()) != ContentPrint{true, version.size, version.hash})
        return Error{pathText(path), 0, "the copy was changed after it was kept"};
    return bytes;
}

std::string localTimeText(std::int64_t secondsSince1970) {
    const auto moment = static_cast<std::time_t>(secondsSince1970);
    const std::tm* local = std::localtime(&moment);
    if (!local) return "(unknown time)";
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0) return "(unknown time)";
    return text;
}

}  // namespace vexmoor
