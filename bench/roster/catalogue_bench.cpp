// The player model and skin catalogue on a players folder of 1,000 models
// with 20 skins each: every model listed, then every model's skins, beside a
// plain std::filesystem walk of the same tree that only collects the names.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "roster/catalogue.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace {

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

constexpr int kModels = 1000;
constexpr int kSkins = 20;

struct Players {
    Players() : game(dir.path() / "game") {
        std::vector<std::string> skins;
        for (int s = 0; s < kSkins; ++s) skins.push_back("skin" + std::to_string(s) + ".pcx");
        for (int m = 0; m < kModels; ++m) game.withModel("model" + std::to_string(m), skins);
    }
    vexmoor::testing::TempDir dir;
    GameDirectoryBuilder game;
};

Players& players() {
    static const auto built = std::make_unique<Players>();
    return *built;
}

void report(benchmark::State& state, std::size_t names) {
    state.counters["names"] = static_cast<double>(names);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kModels * (kSkins + 1));
}

void ListModelsAndEverySkin(benchmark::State& state) {
    const std::string gameDirectory = players().game.text();
    std::size_t names = 0;
    for (auto _ : state) {
        names = 0;
        const auto models = vexmoor::ListModels(gameDirectory);
        names += models.size();
        for (const auto& model : models) names += vexmoor::ListSkins(gameDirectory, model).size();
        benchmark::DoNotOptimize(names);
    }
    report(state, names);
}

// The floor: one directory listing per folder, every name kept, nothing
// tested, sorted or cut.
void PlainFilesystemWalk(benchmark::State& state) {
    const fs::path folder = players().game.root() / "baseq2" / "players";
    std::size_t names = 0;
    for (auto _ : state) {
        std::vector<std::string> models;
        std::vector<std::string> skins;
        for (const auto& model : fs::directory_iterator(folder)) {
            models.push_back(model.path().filename().string());
            for (const auto& skin : fs::directory_iterator(model.path()))
                skins.push_back(skin.path().filename().string());
        }
        names = models.size() + skins.size();
        benchmark::DoNotOptimize(names);
    }
    report(state, names);
}

}  // namespace

BENCHMARK(ListModelsAndEverySkin)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFilesystemWalk)->Unit(benchmark::kMillisecond);
