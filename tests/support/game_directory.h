#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexmoor::testing {

// Builds a real game directory in a folder for tests, benchmarks and the
// demo: eraser/ with bots.cfg, chat.txt and maps.txt; baseq2/players/<model>/
// with skin images; baseq2/maps/*.bsp; and a stand-in quake2.exe that records
// its arguments and working directory. Everything it writes is our own.
class GameDirectoryBuilder {
public:
    explicit GameDirectoryBuilder(std::filesystem::path root);

    // The game directory text (ends in the separator).
    std::string text() const;
    const std::filesystem::path& root() const { return root_; }

    GameDirectoryBuilder& withEraserFolder();
    GameDirectoryBuilder& withRoster(const std::string& bytes);  // eraser/bots.cfg
    GameDirectoryBuilder& withChat(const std::string& bytes);    // eraser/chat.txt
    GameDirectoryBuilder& withMapCycle(const std::string& bytes);  // eraser/maps.txt
    GameDirectoryBuilder& withMaps(const std::vector<std::string>& fileNames);  // baseq2/maps/
    // baseq2/pak0.pak with a small map under each name of the Maps page's
    // Internal and CTF lists, so that the game could load any of them.
    GameDirectoryBuilder& withMapArchive();
    GameDirectoryBuilder& withModel(const std::string& model, const std::vector<std::string>& files);
    // Any file below the game directory ("baseq2/pak0.pak"), its folders made as needed.
    GameDirectoryBuilder& withFile(const std::string& relative, const std::string& bytes);
    // A stand-in quake2.exe that appends one record per start to
    // recordFile(): the working directory, then each argument on its own
    // line, then a line "--". A small POSIX shell script; on Windows a copy
    // of the stand-in program built with the tests (tests/stand_in), which
    // also keeps the command line it was given.
    GameDirectoryBuilder& withGame();

    std::filesystem::path recordFile() const;
    // The records of every start so far; each holds the working directory
    // first, then the arguments.
    std::vector<std::vector<std::string>> recordedStarts() const;
    // Windows only: the command line of every start so far, as the system
    // handed it to the stand-in.
    std::vector<std::string> recordedCommandLines() const;

    // A roster of `bots` generated bots and `teams` teams, in the file format.
    static std::string generatedRoster(int bots, int teams);

private:
    std::filesystem::path root_;
};

// A program built with the tests (tests/stand_in), by its name without the
// system's ending for programs.
std::filesystem::path testProgram(const std::string& name);

}  // namespace vexmoor::testing
