// vexmoor_make_demo <game-dir> [<settings-file>]
//
// Builds a small game directory to try Vexmoor on without the game: a roster
// of bots and teams, a chat file, a map cycle, an archive (baseq2/pak0.pak)
// of invented maps under the game's own map names and three maps of its
// own, six player models with skins and a face for each, and a stand-in
// quake2.exe that only writes down how it was started (to quake2-starts.log
// in the game directory). The editable files that are already there are
// kept, so changes made in the demo survive the next run.
// With a settings file path, a settings file pointing at the demo game
// directory is written when none exists yet.

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "gamefiles/bsp_file.h"
#include "support/game_directory.h"
#include "support/game_file_writers.h"

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;
using vexmoor::testing::MapBuilder;

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

// A small generator of numbers, so each map is laid out the same at every run.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    int roll(int sides) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(sides));
    }

private:
    std::uint32_t state_;
};

struct DemoMap {
    const char* name;
    const char* title;  // the map's message; none for nullptr
    int spawnPoints;
    bool ctf;
};

// Invented maps for the game's own map names, and three of the demo's own.
const DemoMap kArchiveMaps[] = {
    {"q2dm1", "Ashfall Yard", 14, false},  {"q2dm2", "The Sunken Mill", 10, false},
    {"q2dm3", "Heronsgate", 12, false},    {"q2dm4", "Cinder\\nSteps", 8, false},
    {"q2dm5", "Lantern Hollow", 9, false}, {"q2dm6", "Gorse Bastion", 16, false},
    {"q2dm7", "Fenwatch", 11, false},      {"q2dm8", "Tallow Works", 13, false},
    {"q2ctf1", "Twin Cairns", 8, true},
};
const DemoMap kLooseMaps[] = {
    {"vexarena.bsp", "Vex Arena", 6, false},
    {"Moorfort.BSP", "Moorfort Keep", 10, false},
    {"dust_yard.bsp", nullptr, 4, false},
};

// Rooms on a 3 by 3 grid, each on its own level, joined by corridors and
// ramps, with a pool in some, pillars in others, a sky over everything and
// a clip brush at the edge (neither of which a floor plan shows).
std::string demoMap(const DemoMap& map, std::uint32_t seed) {
    Dice dice(seed);
    MapBuilder builder;
    constexpr float kCell = 512;
    float floors[3][3];
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float level = static_cast<float>(dice.roll(4) * 48);
            floors[row][column] = level;
            const float half = 150 + static_cast<float>(dice.roll(5) * 20);
            const float x = static_cast<float>(column) * kCell;
            const float y = static_cast<float>(row) * kCell;
            builder.box({x - half, y - half, level - 16}, {x + half, y + half, level});
            switch (dice.roll(5)) {
                case 0:
                    builder.box({x - 80, y - 60, level - 12}, {x + 40, y + 70, level + 4},
                                seed % 3 == 0 ? "vex/lava" : "vex/water", vexmoor::kSurfaceWarp);
                    break;
                case 1:
                    for (const float corner : {-1.f, 1.f})
                        builder.box({x + corner * 90 - 24, y - 24, level},
                                    {x + corner * 90 + 24, y + 24, level + 96});
                    break;
                default:
                    break;
            }
        }
    }
    // Corridors along y on the lower room's level; along x a ramp where the levels differ.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float x = static_cast<float>(column) * kCell;
            const float y = static_cast<float>(row) * kCell;
            if (row < 2) {
                const float level = std::min(floors[row][column], floors[row + 1][column]);
                builder.box({x - 48, y + 140, level - 16}, {x + 48, y + kCell - 140, level});
            }
            if (column < 2) {
                const float from = floors[row][column];
                const float to = floors[row][column + 1];
                if (from == to)
                    builder.box({x + 140, y - 48, from - 16}, {x + kCell - 140, y + 48, from});
                else if (from < to)
                    builder.ramp({x + 140, y - 48, from}, {x + kCell - 140, y + 48, to});
                else
                    builder.box({x + 140, y - 48, to - 16}, {x + kCell - 140, y + 48, to});
            }
        }
    }
    builder.box({-256, -256, 480}, {kCell * 2 + 256, kCell * 2 + 256, 496}, "vex/sky", vexmoor::kSurfaceSky);
    builder.box({kCell * 2 + 180, -64, 0}, {kCell * 2 + 200, 64, 256}, "vex/clip", vexmoor::kSurfaceNoDraw);
    if (map.title) builder.worldKey("message", map.title);
    for (int i = 0; i < map.spawnPoints; ++i) {
        const int row = i % 3;
        const int column = (i / 3) % 3;
        builder.entity("info_player_deathmatch",
                       {static_cast<float>(column) * kCell + static_cast<float>(dice.roll(200) - 100),
                        static_cast<float>(row) * kCell + static_cast<float>(dice.roll(200) - 100),
                        floors[row][column] + 24});
    }
    if (map.ctf) {
        builder.entity("item_flag_team1", {0, 0, floors[0][0] + 24});
        builder.entity("item_flag_team2", {kCell * 2, kCell * 2, floors[2][2] + 24});
    }
    return builder.bytes();
}

// A face of 32 pixels square in the model's colour, with the skin's colour
// across the eyes.
std::string demoFace(const std::string& model, const std::string& skin) {
    const auto hue = [](const std::string& name) {
        std::uint32_t hash = 2166136261u;
        for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return hash;
    };
    const std::uint32_t helmet = hue(model);
    const std::uint32_t band = hue(skin);
    std::array<std::uint8_t, 768> palette{};
    const std::array<std::uint32_t, 6> colours = {
        0x1c1a24,                        // ground
        0xd8a888,                        // skin
        0x404040 + (helmet & 0x7f7f7f),  // helmet
        0x202020 + (band & 0xdfdfdf),    // band across the eyes
        0xf4f0e8,                        // eyes
        0x602820,                        // mouth
    };
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            palette[i * 3 + c] = static_cast<std::uint8_t>(colours[i] >> (16 - 8 * c));
    std::vector<std::uint8_t> pixels(32 * 32, 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float dx = (static_cast<float>(x) - 15.5f) / 11.f;
            const float dy = (static_cast<float>(y) - 17.f) / 13.f;
            std::uint8_t& pixel = pixels[static_cast<std::size_t>(y * 32 + x)];
            if (dx * dx + dy * dy > 1) continue;
            pixel = y < 12 ? 2 : 1;
            if (y >= 13 && y <= 17) pixel = 3;
            if (y >= 14 && y <= 16 && (x == 11 || x == 12 || x == 19 || x == 20)) pixel = 4;
            if (y == 24 && x >= 13 && x <= 18) pixel = 5;
        }
    }
    return vexmoor::testing::pcxPicture(32, 32, pixels, palette);
}

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
    std::vector<std::pair<std::string, std::string>> archived;
    std::uint32_t seed = 1;
    for (const DemoMap& map : kArchiveMaps)
        archived.emplace_back(std::string("maps/") + map.name + ".bsp", demoMap(map, seed++));
    game.withFile("baseq2/pak0.pak", vexmoor::testing::pakArchive(archived));
    for (const DemoMap& map : kLooseMaps)
        game.withFile(std::string("baseq2/maps/") + map.name, demoMap(map, seed++));
    for (const auto& model : kModels) {
        std::vector<std::string> files{"weapon.pcx", "Weapon_Hand.PCX", "tris.md2"};
        for (const auto& skin : model.skins) files.push_back(skin + ".pcx");
        game.withModel(model.name, files);
        for (const auto& skin : model.skins)
            game.withFile("baseq2/players/" + std::string(model.name) + "/" + skin + "_i.pcx",
                          demoFace(model.name, skin));
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
