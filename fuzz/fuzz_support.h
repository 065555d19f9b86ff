// What the fuzz targets share: a check that stops the run with a finding,
// and ports that do nothing, for driving window models without a screen.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports.h"
#include "roster/roster.h"
#include "support/roster_compare.h"

namespace vexmoor::fuzzing {

// A property that does not hold is a finding, like a crash.
inline void require(bool condition) {
    if (!condition) std::abort();
}

// The input cut at every byte `separator`: the pieces between them, empty ones included.
inline std::vector<std::string> piecesOf(std::string_view bytes, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find(separator, start);
        pieces.emplace_back(bytes.substr(start, end == std::string_view::npos ? bytes.npos : end - start));
        if (end == std::string_view::npos) return pieces;
        start = end + 1;
    }
}

// A roster as reading back its file gives it: numbers to the digits the file
// keeps, and no model and skin halves, which only the editors fill in.
inline Roster asReadBack(Roster roster) {
    roster = testing::asWritten(std::move(roster));
    for (auto* list : {&roster.BotModels, &roster.BotSkins, &roster.TeamModels, &roster.TeamSkins})
        for (std::string& half : *list) half.clear();
    return roster;
}

struct QuietDialogs : Dialogs {
    int shown = 0;
    Answer show(const Message& message) override {
        ++shown;
        return message.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

struct NoWindows : Windows {
    void open(WindowModel&) override {}
    void close(WindowModel&) override {}
    void focus(WindowModel&) override {}
    void quit() override {}
};

struct CountingAlert : Alert {
    int beeps = 0;
    void beep() override { ++beeps; }
};

}  // namespace vexmoor::fuzzing
