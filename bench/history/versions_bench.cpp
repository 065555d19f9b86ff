// What the earlier versions cost on the big roster (32,767 bots): the print
// start-up remembers of the file it read, the check that keeps nothing when
// the newest of a full folder (100 versions) already holds the bytes, beside
// reading the same file raw, and the differences the Earlier Versions window
// shows for one changed bot and for hundreds; and what keeping a small
// version into a full folder costs (its number claimed by making its file,
// both files synced, the folder listed again and its oldest version removed).
#include <benchmark/benchmark.h>

#include <string>

#include "core/ports.h"
#include "history/line_diff.h"
#include "history/version_store.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace {

using namespace vexmoor;

constexpr int kBots = 32767;
constexpr const char* kGame = "/games/quake2/";

struct Fixture {
    Fixture()
        : roster(testing::GameDirectoryBuilder::generatedRoster(kBots, 60)), store(dir.path() / "versions") {
        testing::writeBytes(dir.path() / "bots.cfg", roster);
        for (int i = 1; i < static_cast<int>(VersionStore::kKeptPerFile); ++i)
            static_cast<void>(
                store.keep(kGame, KeptFile::Roster, "version " + std::to_string(i), "Commit Changes", ""));
        static_cast<void>(store.keep(kGame, KeptFile::Roster, roster, "Commit Changes", ""));
        for (std::size_t i = 0; i < VersionStore::kKeptPerFile; ++i)
            static_cast<void>(
                store.keep(kGame, KeptFile::Chat, "chat " + std::to_string(i), "Commit Changes", ""));
    }
    // The roster with the bot at every step-th line given another accuracy.
    std::string changed(std::size_t step) const {
        std::string text = roster;
        std::size_t line = 0;
        // Bot lines only: each holds its model/skin's closing quote and a blank.
        for (std::size_t at = text.find("\r\n\"");
             at != std::string::npos && line < static_cast<std::size_t>(kBots);
             at = text.find("\r\n\"", at + 1))
            if (++line % step == 0) text[text.find("\" ", at) + 2] = '9';
        return text;
    }
    testing::TempDir dir;
    std::string roster;
    VersionStore store;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_RosterReadRaw(benchmark::State& state) {
    for (auto _ : state) {
        const auto bytes = readWholeFile(fixture().dir.path() / "bots.cfg");
        if (!bytes || bytes.value().size() != fixture().roster.size()) state.SkipWithError("not read");
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture().roster.size()));
}
BENCHMARK(BM_RosterReadRaw)->Unit(benchmark::kMillisecond);

void BM_RosterPrint(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(printOf(fixture().roster));
}
BENCHMARK(BM_RosterPrint)->Unit(benchmark::kMillisecond);

void BM_RosterNotKeptTwice(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const auto kept = f.store.keep(kGame, KeptFile::Roster, f.roster, "Commit Changes", "");
        if (!kept || kept.value()) state.SkipWithError("the same bytes were kept again");
    }
}
BENCHMARK(BM_RosterNotKeptTwice)->Unit(benchmark::kMillisecond);

void BM_VersionKeptIntoAFullFolder(benchmark::State& state) {
    Fixture& f = fixture();
    // Each run goes on from the last: the same bytes twice in a row are not kept.
    static std::size_t next = VersionStore::kKeptPerFile;
    for (auto _ : state) {
        const auto kept =
            f.store.keep(kGame, KeptFile::Chat, "chat " + std::to_string(next++), "Commit Changes", "");
        if (!kept || !kept.value()) state.SkipWithError("the version was not kept");
    }
}
BENCHMARK(BM_VersionKeptIntoAFullFolder)->Unit(benchmark::kMillisecond);

void BM_RosterDifferences(benchmark::State& state) {
    const std::string now = fixture().changed(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(shownDifferences(fixture().roster, now));
}
// One changed bot; 496 (992 lines removed and added, near the most the
// search takes at its shortest); 992 (shown removed and added whole).
BENCHMARK(BM_RosterDifferences)->Arg(kBots)->Arg(66)->Arg(33)->Unit(benchmark::kMillisecond);

}  // namespace
