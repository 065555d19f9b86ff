// vexmoor_make_big_game <game-dir> [<bots> <teams> <maps>]
//
// Builds the big game directory the start-up is measured on: a generated
// roster of 32,767 bots (the most a 16-bit count holds) and 60 teams, 5,000
// map files, a chat file, a map cycle, one player model and the stand-in
// quake2.exe. The counts can be given instead. Everything is generated, with
// our own names; an existing roster and maps folder are replaced.

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "support/game_directory.h"

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

namespace {

std::vector<std::string> mapFiles(int count) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, number.size() < 4 ? 4 - number.size() : 0, '0');
        names.push_back("moor" + number + ".bsp");
    }
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5) {
        std::cerr << "usage: vexmoor_make_big_game <game-dir> [<bots> <teams> <maps>]\n";
        return 2;
    }
    try {
        const int bots = argc == 5 ? std::stoi(argv[2]) : 32767;
        const int teams = argc == 5 ? std::stoi(argv[3]) : 60;
        const int maps = argc == 5 ? std::stoi(argv[4]) : 5000;
        const fs::path root = fs::absolute(argv[1]).lexically_normal();
        fs::remove_all(root / "baseq2" / "maps");
        GameDirectoryBuilder game(root);
        game.withEraserFolder()
            .withRoster(GameDirectoryBuilder::generatedRoster(bots, teams))
            .withChat("-- Greetings\r\nEvening.\r\n\r\n")
            .withMapCycle("moor0001\r\nmoor0002\r\n")
            .withMaps(mapFiles(maps))
            .withModel("rook", {"slate.pcx", "slate_i.pcx"})
            .withGame();
        std::cout << "big game directory: " << game.text() << " (" << bots << " bots, " << teams << " teams, "
                  << maps << " maps)\n";
    } catch (const std::exception& error) {
        std::cerr << "vexmoor_make_big_game: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
