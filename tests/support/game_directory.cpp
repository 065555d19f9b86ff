#include "support/game_directory.h"

#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/paths.h"
#include "options/maps_page.h"
#include "support/game_file_writers.h"
#include "support/fakes.h"

namespace vexmoor::testing {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// Text between single quotes for a POSIX shell: every ' becomes '\''.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}
#endif

// Invented player models and skins; the roster generator cycles through them.
const char* const kModelSkins[] = {"rook/slate", "wren/ember", "rook/moss",  "wren/frost",
                                   "gaunt/ash",  "rook/rust",  "gaunt/bone", "wren/dusk"};
constexpr int kModelSkinCount = static_cast<int>(sizeof kModelSkins / sizeof kModelSkins[0]);

std::string padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string botName(int index) { return "Bot " + padded(index + 1, 4); }

}  // namespace

GameDirectoryBuilder::GameDirectoryBuilder(fs::path root) : root_(std::move(root)) {
    fs::create_directories(root_);
}

std::string GameDirectoryBuilder::text() const {
    std::string text = pathText(root_);
    if (text.empty() || text.back() != kPathSeparator) text += kPathSeparator;
    return text;
}

GameDirectoryBuilder& GameDirectoryBuilder::withEraserFolder() {
    fs::create_directories(root_ / "eraser");
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withRoster(const std::string& bytes) {
    writeBytes(root_ / "eraser" / "bots.cfg", bytes);
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withChat(const std::string& bytes) {
    writeBytes(root_ / "eraser" / "chat.txt", bytes);
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withMapCycle(const std::string& bytes) {
    writeBytes(root_ / "eraser" / "maps.txt", bytes);
    return *this;
}

namespace {

// One small room the game can load, as every map of a test game directory.
const std::string& smallMap() {
    static const std::string bytes = MapBuilder().box({0, 0, 0}, {256, 256, 16}).bytes();
    return bytes;
}

}  // namespace

GameDirectoryBuilder& GameDirectoryBuilder::withMaps(const std::vector<std::string>& fileNames) {
    const fs::path folder = root_ / "baseq2" / "maps";
    fs::create_directories(folder);
    for (const auto& name : fileNames) writeBytes(folder / name, smallMap());
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withMapArchive() {
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> names = MapsPage::internalMaps();
    for (const char* ctf : {"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"}) names.push_back(ctf);
    for (const std::string& name : names) files.emplace_back("maps/" + name + ".bsp", smallMap());
    fs::create_directories(root_ / "baseq2");
    writeBytes(root_ / "baseq2" / "pak0.pak", pakArchive(files));
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withModel(const std::string& model,
                                                      const std::vector<std::string>& files) {
    const fs::path folder = root_ / "baseq2" / "players" / model;
    fs::create_directories(folder);
    // A PCX manufacturer byte and the name: enough to be a file with content.
    for (const auto& name : files) writeBytes(folder / name, std::string("\x0a\x05\x01\x08", 4) + name);
    return *this;
}

GameDirectoryBuilder& GameDirectoryBuilder::withFile(const std::string& relative, const std::string& bytes) {
    const fs::path file = root_ / fs::path(relative);
    fs::create_directories(file.parent_path());
    writeBytes(file, bytes);
    return *this;
}

// Beside the program that runs: Wine knows where that is, but not the
// build folder's name on the system it runs on.
fs::path testProgram(const std::string& name) {
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) throw std::runtime_error("the program's own path cannot be read");
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return fs::path(path).parent_path() / (name + ".exe");
#else
    return fs::path(VEXMOOR_TEST_PROGRAM_DIR) / name;
#endif
}

#ifdef _WIN32

GameDirectoryBuilder& GameDirectoryBuilder::withGame() {
    const fs::path program = testProgram("quake2-stand-in");
    if (!fs::is_regular_file(program))
        throw std::runtime_error("the stand-in game " + program.string() + " has not been built");
    fs::copy_file(program, root_ / "quake2.exe", fs::copy_options::overwrite_existing);
    return *this;
}

#else

// The stand-in writes the physical working directory (pwd -P), so a symbolic
// link in the game directory's path shows up resolved in the record.
GameDirectoryBuilder& GameDirectoryBuilder::withGame() {
    const fs::path program = root_ / "quake2.exe";
    const std::string script =
        "#!/bin/sh\n"
        "# Stand-in for the game: records how it was started, then ends.\n"
        "log=" +
        shellQuoted(fs::absolute(recordFile()).string()) +
        "\n"
        "record=$(\n"
        "    pwd -P\n"
        "    for argument in \"$@\"; do\n"
        "        printf '%s\\n' \"$argument\"\n"
        "    done\n"
        "    printf %s --\n"
        ")\n"
        "# One append per start, so a reader never sees half a record.\n"
        "printf '%s\\n' \"$record\" >>\"$log\"\n";
    writeBytes(program, script);
    fs::permissions(program,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    return *this;
}

#endif

fs::path GameDirectoryBuilder::recordFile() const { return root_ / "quake2-starts.log"; }

namespace {

// The records of a log: lines up to each line "--".
std::vector<std::vector<std::string>> recordsIn(const fs::path& file) {
    std::vector<std::vector<std::string>> starts;
    if (!fs::exists(file)) return starts;
    const std::string log = readBytes(file);
    std::vector<std::string> current;
    std::size_t begin = 0;
    while (begin < log.size()) {
        std::size_t end = log.find('\n', begin);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(begin, end - begin);
        begin = end + 1;
        if (line == "--") {
            starts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(std::move(line));
        }
    }
    // A record without its closing line is a start still being written down.
    return starts;
}

}  // namespace

std::vector<std::vector<std::string>> GameDirectoryBuilder::recordedStarts() const {
    return recordsIn(recordFile());
}

std::vector<std::string> GameDirectoryBuilder::recordedCommandLines() const {
    std::vector<std::string> lines;
    for (auto& record : recordsIn(root_ / "quake2-command-lines.log"))
        lines.push_back(record.empty() ? std::string() : std::move(record.front()));
    return lines;
}

std::string GameDirectoryBuilder::generatedRoster(int bots, int teams) {
    std::string out = "[bots]\r\n";
    for (int i = 0; i < bots; ++i) {
        const int values[] = {1 + i % 5,       1 + (i * 2 + 1) % 5, 1 + (i * 3 + 2) % 5,
                              i % 10,          (i / 3) % 2,         (i / 2) % 2,
                              20 + (i * 37) % 380};
        out += '"' + botName(i) + "\"\"" + kModelSkins[i % kModelSkinCount] + '"';
        for (std::size_t v = 0; v < std::size(values); ++v) {
            out += v == 0 ? " " : "  ";
            out += std::to_string(values[v]);
        }
        out += " \r\n";
    }
    out += "[teams]\r\n";
    for (int t = 0; t < teams; ++t) {
        out += "\"Team " + padded(t + 1, 2) + "\"\"T" + std::to_string(t + 1) + "\"\"" +
               kModelSkins[(t * 3) % kModelSkinCount] + "\"[";
        // Up to three members each, taken round the teams in turn.
        for (int m = 0, bot = t; m < 3 && bot < bots; ++m, bot += teams) {
            if (m > 0) out += ' ';
            out += '"' + botName(bot) + '"';
        }
        out += "]\r\n";
    }
    out += "[view weapons]\r\n";
    out += "\"w_blaster\"\r\n";
    out += "\"w_railgun\"\r\n";
    return out;
}

}  // namespace vexmoor::testing
