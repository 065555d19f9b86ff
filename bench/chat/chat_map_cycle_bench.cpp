// Reading and writing a chat file of 8 x 10,000 lines and a map cycle of
// 10,000 entries, beside the raw whole-file read and safe write of the same
// bytes as the floor each of them stands on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "chat/chat_file.h"
#include "core/ports.h"
#include "options/map_cycle_file.h"
#include "support/fakes.h"

namespace {

using namespace vexmoor;
namespace fs = std::filesystem;

constexpr int kChatLines = 10000;
constexpr int kCycleMaps = 10000;

ChatSections generatedChat() {
    static const char* const phrases[] = {
        "Evening, %s. Mind the mud.",           "You aim like fog on the moor.",
        "Keep them coming, I'm counting.",      "Lucky shot. It won't last.",
        "Say that again after the next round.", "Pinned down, need a hand!"};
    ChatSections sections;
    for (std::size_t k = 0; k < kChatCategories; ++k)
        for (int i = 0; i < kChatLines; ++i)
            sections[k].push_back(std::string(phrases[(static_cast<std::size_t>(i) + k) % 6]) + " (" +
                                  std::to_string(i) + ")");
    return sections;
}

std::vector<std::string> generatedCycle() {
    static const char* const maps[] = {"q2dm1", "q2dm8", "base1", "city3", "boss2", "q2ctf4", "vexarena"};
    std::vector<std::string> cycle;
    for (int i = 0; i < kCycleMaps; ++i) cycle.push_back(std::string(maps[i % 7]) + (i % 3 ? "" : "_b"));
    return cycle;
}

// One folder with both files, written once and shared by the benchmarks.
struct Fixture {
    Fixture()
        : chat(generatedChat()),
          cycle(generatedCycle()),
          chatBytes(chatFileBytes(chat)),
          cycleBytes(mapCycleBytes(cycle)),
          chatFile(dir.path() / "chat.txt"),
          cycleFile(dir.path() / "maps.txt") {
        testing::writeBytes(chatFile, chatBytes);
        testing::writeBytes(cycleFile, cycleBytes);
        if (readChatBytes(chatBytes) != chat || readMapCycleBytes(cycleBytes) != cycle)
            throw std::runtime_error("generated files do not read back");
    }
    testing::TempDir dir;
    ChatSections chat;
    std::vector<std::string> cycle;
    std::string chatBytes;
    std::string cycleBytes;
    fs::path chatFile;
    fs::path cycleFile;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void setBytes(benchmark::State& state, const std::string& bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

void check(benchmark::State& state, const Status& status) {
    if (!status) state.SkipWithError(status.error().describe().c_str());
}

void ReadChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(readChatFile(f.chatFile));
    setBytes(state, f.chatBytes);
}

void WriteChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) check(state, writeChatFile(f.chatFile, f.chat));
    setBytes(state, f.chatBytes);
}

void RawReadChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(f.chatFile));
    setBytes(state, f.chatBytes);
}

void RawWriteChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) check(state, writeWholeFile(f.chatFile, f.chatBytes));
    setBytes(state, f.chatBytes);
}

void ReadMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(readMapCycle(f.cycleFile));
    setBytes(state, f.cycleBytes);
}

void WriteMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) check(state, writeMapCycle(f.cycleFile, f.cycle));
    setBytes(state, f.cycleBytes);
}

void RawReadMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(f.cycleFile));
    setBytes(state, f.cycleBytes);
}

void RawWriteMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) check(state, writeWholeFile(f.cycleFile, f.cycleBytes));
    setBytes(state, f.cycleBytes);
}

// The comparison that counts: a whole round, reading the file and
// writing it back, in the format and raw.
void ReadAndWriteChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto read = readChatFile(f.chatFile);
        if (!read) state.SkipWithError(read.error().describe().c_str());
        check(state, writeChatFile(f.chatFile, read.value()));
    }
    setBytes(state, f.chatBytes);
}

void RawReadAndWriteChatFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto read = readWholeFile(f.chatFile);
        if (!read) state.SkipWithError(read.error().describe().c_str());
        check(state, writeWholeFile(f.chatFile, read.value()));
    }
    setBytes(state, f.chatBytes);
}

void ReadAndWriteMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto read = readMapCycle(f.cycleFile);
        if (!read) state.SkipWithError(read.error().describe().c_str());
        check(state, writeMapCycle(f.cycleFile, read.value()));
    }
    setBytes(state, f.cycleBytes);
}

void RawReadAndWriteMapCycle(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto read = readWholeFile(f.cycleFile);
        if (!read) state.SkipWithError(read.error().describe().c_str());
        check(state, writeWholeFile(f.cycleFile, read.value()));
    }
    setBytes(state, f.cycleBytes);
}

}  // namespace

BENCHMARK(ReadChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawReadChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawWriteChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadMapCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawReadMapCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteMapCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawWriteMapCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadAndWriteChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawReadAndWriteChatFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadAndWriteMapCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawReadAndWriteMapCycle)->Unit(benchmark::kMicrosecond);
