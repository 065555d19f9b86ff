#include "core/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vexmoor {
namespace {

TEST(Signal, CallsEverySlotInConnectionOrderUntilItsConnectionIsGone) {
    Signal<int> signal;
    std::vector<std::string> log;
    Connection a = signal.connect([&](int v) { log.push_back("a" + std::to_string(v)); });
    auto b =
        std::make_unique<Connection>(signal.connect([&](int v) { log.push_back("b" + std::to_string(v)); }));

    signal.emit(1);
    b.reset();
    signal.emit(2);
    a.disconnect();
    a.disconnect();  // twice is harmless
    signal.emit(3);

    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2"}));
    EXPECT_EQ(signal.size(), 0u);
}

TEST(Signal, AMovedConnectionKeepsTheSlotAndAnAssignedOneDropsItsOldSlot) {
    Signal<> signal;
    int first = 0, second = 0;
    Connection moved;
    {
        Connection original = signal.connect([&] { ++first; });
        moved = std::move(original);
    }
    signal.emit();
    moved = signal.connect([&] { ++second; });
    signal.emit();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(signal.size(), 1u);
}

TEST(Signal, ASlotDisconnectedDuringAnEmissionIsNotCalledAfterwards) {
    Signal<> signal;
    std::vector<std::string> log;
    Connection second;
    Connection first = signal.connect([&] {
        log.push_back("first");
        second.disconnect();
    });
    second = signal.connect([&] { log.push_back("second"); });

    signal.emit();
    signal.emit();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first"}));
}

TEST(Signal, ASlotConnectedDuringAnEmissionWaitsForTheNextOne) {
    Signal<> signal;
    std::vector<std::string> log;
    std::vector<Connection> added;
    Connection first = signal.connect([&] {
        log.push_back("first");
        if (added.empty()) added.push_back(signal.connect([&] { log.push_back("added"); }));
    });

    signal.emit();
    signal.emit();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first", "added"}));
}

TEST(Signal, ASlotMayDropItsOwnConnectionAndStillUseWhatItHolds) {
    Signal<> signal;
    auto self = std::make_unique<Connection>();
    std::string seen;
    const std::string text = "still here";
    *self = signal.connect([&, held = text] {
        self.reset();
        seen = held;  // the running slot must outlive its own disconnection
    });

    signal.emit();
    signal.emit();
    EXPECT_EQ(seen, "still here");
    EXPECT_EQ(signal.size(), 0u);
}

TEST(Signal, EitherSideMayDieFirst) {
    Connection outlives;
    {
        Signal<> signal;
        outlives = signal.connect([] {});
    }
    outlives.disconnect();  // the signal is gone: nothing to do, nothing to crash

    auto signal = std::make_unique<Signal<>>();
    int calls = 0;
    {
        Connection shortLived = signal->connect([&] { ++calls; });
    }
    signal->emit();
    EXPECT_EQ(calls, 0);
}

TEST(Signal, TheOwnerMayBeDestroyedByASlot) {
    auto signal = std::make_unique<Signal<>>();
    Connection a = signal->connect([&] { signal.reset(); });
    Connection b = signal->connect([] {});
    signal->emit();
    EXPECT_EQ(signal, nullptr);
}

}  // namespace
}  // namespace vexmoor
