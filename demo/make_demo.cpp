// vexmoor_make_demo <game-dir> [<settings-file>]
//
// Builds a small game directory to try Vexmoor on without the game: a roster
// of bots and teams, a chat file, a map cycle, a few map files, six player
// models with skins, and a stand-in quake2.exe that only writes down how it
// was started (to quake2-starts.log in the game directory). Files that are
// already there are kept, so changes made in the demo survive the next run.
// With a settings file path, a settings file pointing at the demo game
// directory is written when none exists yet.

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "support/game_directory.h"

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

namespace {

const char* const kRoster =
    "[bots]\r\n"
    "\"Rook\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n"
    "\"Wren Ashby\"\"wren/ember\" 4  3  3  5  1  0  45 \r\n"
    "\"Old Gaunt\"\"gaunt/ash\" 2  5  3  0  1  0  120 \r\n"
    "\"Mirelle\"\"wren/frost\" 5  2  4  7  0  1  80 \r\n"
    "\"Tarn Voss\"\"gaunt/bone\" 3  4  2  3  0  0  150 \r\n"
    "\"Kestrel\"\"wren/ember\" 4  4  5  6  1  0  35 \r\n"
    "\"Slate Hound\"\"rook/moss\" 2  3  2  8  0  1  200 \r\n"
    "\"Pike\"\"rook/rust\" 1  1  2  2  0  0  300 \r\n"
    "[teams]\r\n"
    "\"Moor Wardens\"\"MW\"\"rook/slate\"[\"Rook\" \"Slate Hound\" \"Pike\"]\r\n"
    "\"Ember Court\"\"EC\"\"wren/ember\"[\"Wren Ashby\" \"Kestrel\" \"Mirelle\"]\r\n"
    "\"Ash Walkers\"\"AW\"\"gaunt/ash\"[\"Old Gaunt\" \"Tarn Voss\"]\r\n"
    "[view weapons]\r\n"
    "\"w_blaster\"\r\n"
    "\"w_railgun\"\r\n";

const char* const kChat =
    "# Lines the bots say, by situation.\r\n"
    "-- Greetings\r\n"
    "Evening. Mind the mud.\r\n"
    "Another night on the moor.\r\n"
    "\r\n"
    "-- Insults (general)\r\n"
    "You aim like fog.\r\n"
    "Was that meant to hurt?\r\n"
    "\r\n"
    "-- Insults (kicking ass)\r\n"
    "Keep them coming, I'm counting.\r\n"
    "\r\n"
    "-- Insults (losing, coming back)\r\n"
    "Lucky shot. It won't last.\r\n"
    "\r\n"
    "-- Come-backs\r\n"
    "Say that again after the next round.\r\n"
    "\r\n"
    "-- TEAMPLAY: Help!\r\n"
    "Pinned down, need a hand!\r\n"
    "\r\n"
    "-- TEAMPLAY: Drop Item (not implemented yet)\r\n"
    "\r\n"
    "-- TEAMPLAY: Let's Group!\r\n"
    "Form up on me.\r\n"
    "\r\n";

const char* const kMapCycle = "q2dm1\r\nq2dm2\r\nbase1\r\n";

struct Model {
    const char* name;
    std::vector<std::string> skins;
};

// Invented models; "male/cipher" is what a new bot starts with. Each model
// folder also holds an icon per skin and a weapon skin, which are no skins.
const Model kModels[] = {
    {"rook", {"slate", "moss", "rust", "tallow", "pitch"}},
    {"wren", {"ember", "frost", "dusk", "sorrel"}},
    {"gaunt", {"ash", "bone", "cinder"}},
    {"male", {"cipher", "peat", "sedge", "flint"}},
    {"heron", {"reed", "mist", "lantern"}},
    {"marsh", {"bog", "fen", "willow", "thistle", "gorse"}},
};

bool present(const fs::path& path) { return fs::exists(fs::symlink_status(path)); }

std::string settingsBytes(const std::string& gameDirectory) {
    return "\"" + gameDirectory + "\"\r\n" +
           "1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n"
           "0\r\n"
           "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n";
}

void buildGame(GameDirectoryBuilder& game) {
    const fs::path& root = game.root();
    game.withEraserFolder();
    if (!present(root / "eraser" / "bots.cfg")) game.withRoster(kRoster);
    if (!present(root / "eraser" / "chat.txt")) game.withChat(kChat);
    if (!present(root / "eraser" / "maps.txt")) game.withMapCycle(kMapCycle);
    game.withMaps({"vexarena.bsp", "Moorfort.BSP", "dust_yard.bsp"});
    for (const auto& model : kModels) {
        std::vector<std::string> files{"weapon.pcx", "Weapon_Hand.PCX", "tris.md2"};
        for (const auto& skin : model.skins) {
            files.push_back(skin + ".pcx");
            files.push_back(skin + "_i.pcx");
        }
        game.withModel(model.name, files);
    }
    game.withGame();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: vexmoor_make_demo <game-dir> [<settings-file>]\n";
        return 2;
    }
    try {
        GameDirectoryBuilder game(fs::absolute(argv[1]).lexically_normal());
        buildGame(game);
        std::cout << "demo game directory: " << game.text() << "\n"
                  << "the stand-in game records its starts in " << game.recordFile().string() << "\n";

        if (argc == 3) {
            const fs::path settings = fs::absolute(argv[2]);
            if (present(settings)) {
                std::cout << "settings file kept: " << settings.string() << "\n";
            } else {
                if (settings.has_parent_path()) fs::create_directories(settings.parent_path());
                std::ofstream out(settings, std::ios::binary);
                out << settingsBytes(game.text());
                out.close();
                if (!out) {
                    std::cerr << "cannot write " << settings.string() << "\n";
                    return 1;
                }
                std::cout << "settings file written: " << settings.string() << "\n";
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "vexmoor_make_demo: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
