// Reading and writing generated rosters of 1,000, 8,000, 16,384 and 32,767
// bots (the largest a 16-bit count holds) with 60 teams, beside the raw file
// reads and writes of the same bytes as the floor each of them stands on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/ports.h"
#include "roster/roster_file.h"
#include "support/fakes.h"
#include "support/game_directory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

#ifdef __GLIBC__
// Every run pays for its memory as a fresh start does. Left to itself, glibc
// raises its threshold for mapping large blocks after the first run frees
// one, and then keeps a smaller roster's memory between runs while a larger
// one is still mapped afresh each time: the sizes would not be comparable.
const bool kFreshMemoryEachRun = [] {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    return true;
}();
#endif

using namespace vexmoor;
namespace fs = std::filesystem;

class NoDialogs : public Dialogs {
public:
    Answer show(const Message&) override { return Answer::Ok; }
};

// One game folder per size, written once and shared by the benchmarks.
struct Fixture {
    explicit Fixture(int bots)
        : bytes(testing::GameDirectoryBuilder::generatedRoster(bots, 60)), path(rosterPath(dir.text())) {
        testing::writeBytes(path, bytes);
        if (!ReadRoster(path, roster)) throw std::runtime_error("generated roster does not read");
    }
    testing::TempDir dir;
    std::string bytes;
    fs::path path;
    Roster roster;
};

Fixture& fixture(int bots) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& slot = fixtures[bots];
    if (!slot) slot = std::make_unique<Fixture>(bots);
    return *slot;
}

void setBytes(benchmark::State& state, const Fixture& f) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(f.bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(f.bytes.size());
}

void ReadRosterFile(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Roster roster;
        const Status status = ReadRoster(f.path, roster);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(roster.BotCount);
    }
    setBytes(state, f);
}

void ReadRosterInMemory(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Roster roster;
        const Status status = readRosterBytes(f.bytes, "bots.cfg", roster);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(roster.BotCount);
    }
    setBytes(state, f);
}

void FormatRoster(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(rosterFileBytes(f.roster, ModelSkinSource::AsRead));
    setBytes(state, f);
}

void WriteRosterFile(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    NoDialogs dialogs;
    for (auto _ : state) {
        const Status status = WriteRoster(f.path, f.roster, ModelSkinSource::AsRead, dialogs);
        if (!status) state.SkipWithError(status.error().describe().c_str());
    }
    setBytes(state, f);
}

void RawReadWholeFile(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(f.path));
    setBytes(state, f);
}

void RawWriteWholeFile(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const Status status = writeWholeFile(f.path, f.bytes);
        if (!status) state.SkipWithError(status.error().describe().c_str());
    }
    setBytes(state, f);
}

// Truncate and write in place: no temporary file, no sync, no rename.
void RawOfstreamWrite(benchmark::State& state) {
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ofstream out(f.path, std::ios::binary | std::ios::trunc);
        out.write(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size()));
        out.close();
        if (!out) state.SkipWithError("plain write failed");
    }
    setBytes(state, f);
}

}  // namespace

#define ROSTER_SIZES Arg(1000)->Arg(8000)->Arg(16384)->Arg(32767)->Unit(benchmark::kMicrosecond)

BENCHMARK(ReadRosterFile)->ROSTER_SIZES;
BENCHMARK(ReadRosterInMemory)->ROSTER_SIZES;
BENCHMARK(RawReadWholeFile)->ROSTER_SIZES;
BENCHMARK(FormatRoster)->ROSTER_SIZES;
BENCHMARK(WriteRosterFile)->ROSTER_SIZES;
BENCHMARK(RawWriteWholeFile)->ROSTER_SIZES;
BENCHMARK(RawOfstreamWrite)->ROSTER_SIZES;
