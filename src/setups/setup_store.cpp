#include "setups/setup_store.h"

#include <algorithm>
#include <system_error>

#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".json";

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "Last game" first, then by name with letter case aside, then by the bytes.
bool listedBefore(const std::string& a, const std::string& b) {
    const bool aLast = a == kLastGameSetup;
    const bool bLast = b == kLastGameSetup;
    if (aLast != bLast) return aLast;
    const bool lessIgnoringCase = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lowered(x) < lowered(y); });
    const bool greaterIgnoringCase = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) { return lowered(x) < lowered(y); });
    if (lessIgnoringCase != greaterIgnoringCase) return lessIgnoringCase;
    return a < b;
}

// A folder's path without the separator the game directory text ends in,
// which some systems' calls take for no folder at all (Windows' stat).
fs::path folderOf(const std::string& text) {
    fs::path folder = pathFromText(text).lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    return folder;
}

}  // namespace

bool sameGameDirectory(const std::string& saved, const std::string& current) {
    if (saved == current || saved == gameDirectoryAsStored(current)) return true;
    if (saved.empty() || current.empty()) return false;
    const fs::path a = folderOf(saved);
    const fs::path b = folderOf(current);
    return a == b || sameFile(a, b);
}

Result<SetupRead> readSetupFile(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error && size > kLargestSetupFile)
        return Error{pathText(file), 0,
                     "it is larger than any setup file (more than 1 MiB), so it is not read"};
    auto bytes = readWholeFile(file);
    if (!bytes) return bytes.error();
    return readSetupBytes(bytes.value(), pathText(file));
}

fs::path SetupStore::fileOf(const std::string& name) const {
    return folder_ / pathFromText(name + std::string(kExtension));
}

std::vector<std::string> SetupStore::names(const std::string& gameDirectory) const {
    std::vector<std::string> names;
    auto files = listFiles(folder_, kExtension);
    if (!files) return names;
    for (const std::string& file : files.value()) {
        // The listing ignores the case of the extension; the file a name
        // stands for is written with a lower-case one.
        if (file.size() <= kExtension.size() ||
            file.compare(file.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
            continue;
        std::string name = file.substr(0, file.size() - kExtension.size());
        if (setupNameRefusal(name)) continue;
        const auto read = readSetupFile(fileOf(name));
        if (read && sameGameDirectory(read.value().setup.gameDirectory, gameDirectory))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), listedBefore);
    return names;
}

bool SetupStore::exists(const std::string& name) const {
    return !setupNameRefusal(name) && regularFileExists(fileOf(name));
}

Result<SetupRead> SetupStore::load(const std::string& name, const std::string& gameDirectory,
                                   std::string* otherDirectory) const {
    // A name from the command line could lead out of the folder ("../x").
    if (setupNameRefusal(name)) return Error{name, 0, kNoSuchSetupReason};
    const fs::path file = fileOf(name);
    auto read = readSetupFile(file);
    if (!read) {
        if (read.error().reason == kMissingFileReason) return Error{pathText(file), 0, kNoSuchSetupReason};
        return read;
    }
    if (!sameGameDirectory(read.value().setup.gameDirectory, gameDirectory)) {
        if (otherDirectory) *otherDirectory = read.value().setup.gameDirectory;
        return Error{pathText(file), 0, kNoSuchSetupReason};
    }
    return read;
}

Status SetupStore::save(const std::string& name, const Setup& setup) const {
    const fs::path file = fileOf(name);
    if (const auto refusal = setupNameRefusal(name)) return Error{pathText(file), 0, *refusal};
    std::error_code error;
    if (!fs::is_directory(folder_, error)) {
        fs::create_directories(folder_, error);
        if (error) return Error{pathText(file), 0, "its folder cannot be made (" + error.message() + ")"};
    }
    return writeWholeFile(file, setupFileBytes(setup));
}

Status SetupStore::remove(const std::string& name) const {
    const fs::path file = fileOf(name);
    if (const auto refusal = setupNameRefusal(name)) return Error{pathText(file), 0, *refusal};
    std::error_code error;
    fs::remove(file, error);
    if (error) return Error{pathText(file), 0, "it cannot be deleted (" + error.message() + ")"};
    return {};
}

namespace {

// Why a setup cannot be saved under `to` beside the others, or nothing.
std::optional<std::string> newNameRefusal(const SetupStore& store, const std::string& from, const std::string& to) {
    if (const auto refusal = setupNameRefusal(to)) return refusal;
    // A name that differs only in letter case is the same file where the
    // system ignores case; the setup may take it.
    const bool sameFileName = std::equal(from.begin(), from.end(), to.begin(), to.end(),
                                         [](char a, char b) { return lowered(a) == lowered(b); });
    if (!sameFileName && store.exists(to)) return "A setup named \"" + to + "\" is saved already.";
    return std::nullopt;
}

}  // namespace

Status SetupStore::rename(const std::string& from, const std::string& to) const {
    if (from == to) return {};
    if (const auto refusal = newNameRefusal(*this, from, to)) return Error{pathText(fileOf(to)), 0, *refusal};
    if (setupNameRefusal(from) || !exists(from)) return Error{pathText(fileOf(from)), 0, kNoSuchSetupReason};
    std::error_code error;
    fs::rename(fileOf(from), fileOf(to), error);
    if (error) return Error{pathText(fileOf(from)), 0, "it cannot be renamed (" + error.message() + ")"};
    return {};
}

Status SetupStore::duplicate(const std::string& from, const std::string& to) const {
    if (const auto refusal = newNameRefusal(*this, "", to)) return Error{pathText(fileOf(to)), 0, *refusal};
    if (setupNameRefusal(from)) return Error{pathText(fileOf(from)), 0, kNoSuchSetupReason};
    auto bytes = readWholeFile(fileOf(from));
    if (!bytes) return bytes.error();
    return writeWholeFile(fileOf(to), bytes.value());
}

}  // namespace vexmoor
