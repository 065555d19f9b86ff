// The game finder on a tree of 10,000 folders three levels deep (20 folders,
// 20 in each, 24 in each of those), holding two games: the whole search,
// beside a plain std::filesystem walk of the same tree that only lists it.
// Goal: the search under 200 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "launcher/game_finder.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace {

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

constexpr int kFirst = 20, kSecond = 20, kThird = 24;
constexpr int kFolders = 1 + kFirst + kFirst * kSecond + kFirst * kSecond * kThird;

struct Tree {
    Tree() : root(dir.path() / "Games") {
        fs::create_directory(root);
        for (int a = 0; a < kFirst; ++a) {
            const fs::path first = root / ("folder " + std::to_string(a));
            fs::create_directory(first);
            for (int b = 0; b < kSecond; ++b) {
                const fs::path second = first / ("folder " + std::to_string(b));
                fs::create_directory(second);
                for (int c = 0; c < kThird; ++c) fs::create_directory(second / ("folder " + std::to_string(c)));
            }
        }
        GameDirectoryBuilder(root / "folder 3" / "Quake 2")
            .withEraserFolder()
            .withRoster(GameDirectoryBuilder::generatedRoster(28, 4))
            .withMaps({"q2dm1.bsp", "q2dm2.bsp", "q2dm3.bsp"})
            .withGame();
        GameDirectoryBuilder(root / "folder 7" / "folder 9" / "Quake II").withGame();
    }
    vexmoor::testing::TempDir dir;
    fs::path root;
};

Tree& tree() {
    static const auto built = std::make_unique<Tree>();
    return *built;
}

void FindGames(benchmark::State& state) {
    const std::vector<vexmoor::SearchPlace> places{{tree().root}};
    std::size_t found = 0;
    for (auto _ : state) {
        const vexmoor::FoundGames games = vexmoor::findGames(places);
        if (!games.complete) state.SkipWithError("the search ran out of time");
        found = games.games.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["games"] = static_cast<double>(found);
    state.counters["folders"] = kFolders;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kFolders);
}

// The floor: every folder listed once, nothing compared or kept.
void PlainFilesystemWalk(benchmark::State& state) {
    std::size_t entries = 0;
    for (auto _ : state) {
        entries = 0;
        for (auto it = fs::recursive_directory_iterator(tree().root); it != fs::recursive_directory_iterator();
             ++it)
            ++entries;
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kFolders);
}

}  // namespace

BENCHMARK(FindGames)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFilesystemWalk)->Unit(benchmark::kMillisecond);
