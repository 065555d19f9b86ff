// The map preview's two costs that grow with the game's files: a floor plan
// read from a 3 MB generated map and drawn as the Maps page draws it, and the
// directory of an archive of 4,096 files (the most the game takes) read as a
// first look-up reads it.
// Each run starts with nothing kept, as the first preview after a start does.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "gamefiles/map_library.h"
#include "gamefiles/pak_file.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/game_file_writers.h"
#include "views/floor_plan_picture.h"
#include "views/map_preview_view.h"

namespace {

using namespace vexmoor;
using testing::MapBuilder;

// 90 by 90 blocks of nine heights, with nearly the 65,536 vertices its edges can name: about 3 MB.
std::string bigMap() {
    MapBuilder map;
    for (int row = 0; row < 90; ++row)
        for (int column = 0; column < 90; ++column) {
            const auto x = static_cast<float>(column * 64);
            const auto y = static_cast<float>(row * 64);
            const auto top = static_cast<float>((row * 7 + column * 13) % 9 * 16);
            map.box({x, y, top - 16}, {x + 48, y + 48, top});
        }
    return map.worldKey("message", "Benchmark Flats").bytes();
}

struct Game {
    Game() : game(dir.path() / "game") {
        map = bigMap();
        game.withFile("baseq2/maps/flats.bsp", map);
        std::vector<std::pair<std::string, std::string>> files;
        for (std::size_t i = 0; i < kGameMaxPakFiles; ++i)
            files.emplace_back("textures/vex/wall" + std::to_string(i) + ".wal", "w");
        game.withFile("baseq2/pak0.pak", testing::pakArchive(files));
    }
    testing::TempDir dir;
    testing::GameDirectoryBuilder game;
    std::string map;
};

Game& game() {
    static const auto made = std::make_unique<Game>();
    return *made;
}

void FloorPlanReadAndDrawn(benchmark::State& state) {
    const std::string directory = game().game.text();
    const qreal ratio = static_cast<qreal>(state.range(0));
    std::size_t floors = 0;
    for (auto _ : state) {
        MapLibrary library;
        library.setGameDirectory([&directory] { return directory; });
        const auto found = library.locate("flats");
        if (!found || !found.value()) throw std::runtime_error("the benchmark's map is not found");
        const auto plan = library.plan(*found.value());
        if (!plan) throw std::runtime_error(plan.error().describe());
        const QImage image = drawFloorPlan(*plan.value(), MapPreviewPanel::planSize(), ratio);
        floors = plan.value()->faces.size();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["MB"] = static_cast<double>(game().map.size()) / 1e6;
    state.counters["floors"] = static_cast<double>(floors);
}

void ArchiveDirectoryRead(benchmark::State& state) {
    const auto archive = game().game.root() / "baseq2" / "pak0.pak";
    std::size_t entries = 0;
    for (auto _ : state) {
        const auto read = readPakDirectory(archive, "baseq2/pak0.pak");
        if (!read) throw std::runtime_error(read.error().describe());
        entries = read.value().entries.size();
        benchmark::DoNotOptimize(read.value().entries.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}

}  // namespace

// At the ordinary pixel density and at twice it.
BENCHMARK(FloorPlanReadAndDrawn)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(ArchiveDirectoryRead)->Unit(benchmark::kMillisecond);
