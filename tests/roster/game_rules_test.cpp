#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/game_rules.h"
#include "roster_test_support.h"

namespace vexmoor::testing {
namespace {

using namespace game_rules;

// Whether some warning mentions the text.
bool mentions(const std::vector<std::string>& warnings, const std::string& text) {
    for (const auto& warning : warnings)
        if (warning.find(text) != std::string::npos) return true;
    return false;
}

struct Case {
    const char* what;
    std::vector<std::string> warnings;
    const char* mentioned;  // nullptr: no warning at all
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

class GameRules : public ::testing::TestWithParam<Case> {};

TEST_P(GameRules, WarnsWhereTheGameMisreads) {
    const Case& c = GetParam();
    if (!c.mentioned) {
        EXPECT_TRUE(c.warnings.empty()) << c.warnings.front();
    } else {
        EXPECT_TRUE(mentions(c.warnings, c.mentioned))
            << (c.warnings.empty() ? "no warning" : c.warnings.front());
    }
}

std::vector<std::string> botWith(std::string name, std::array<RosterValue, 7> values) {
    Roster r;
    addBot(r, {std::move(name), "male/cipher", values});
    return botWarnings(r, 0, "male/cipher");
}

const std::array<RosterValue, 7> kFine = {num(2), num(3), num(1), num(0), num(1), num(0), num(100)};

// The warnings of one bot of a roster of these names.
std::vector<std::string> amongBots(const std::vector<std::string>& names, std::size_t bot) {
    Roster r;
    for (const auto& name : names) addBot(r, {name, "male/cipher", kFine});
    return botWarnings(r, bot, "male/cipher");
}

std::array<RosterValue, 7> with(std::size_t k, RosterValue value) {
    auto values = kFine;
    values[k] = std::move(value);
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    Roster, GameRules,
    ::testing::Values(
        Case{"a plain bot", botWith("Grim", kFine), nullptr},
        Case{"a name of 16", botNameWarnings("ABCDEFGHIJKLMNOP"), "keeps 15"},
        Case{"a name of 128", botNameWarnings(std::string(128, 'a')), "crash"},
        Case{"a percent sign", botNameWarnings("50%"), "\"%\""},
        Case{"a tilde", botNameWarnings("a~b"), "\"~\""},
        Case{"a non-ASCII name", botNameWarnings("Zo\xEB"), "ASCII"},
        Case{"Eraser in any case", botNameWarnings("eRaSeR"), "Eraser"},
        Case{"clan tags told apart before their \"[\"", amongBots({"Ace[OW]", "Bob[OW]", "Bob"}, 0), nullptr},
        Case{"names equal before their \"[\"", amongBots({"Bob", "ace[OW]", "Ace[XX]"}, 1), "bot 3"},
        Case{"a word value", botWith("A", with(4, word("yes"))), "\"yes\""},
        Case{"an empty value", botWith("A", with(6, RosterValue{})), "nothing"},
        Case{"a fraction", botWith("A", with(6, num(12.5))), "12.5"},
        Case{"a negative first value", botWith("A", with(0, num(-2))), "minus sign"},
        Case{"a skill out of range", botWith("A", with(2, num(7))), "between 1 and 5"},
        Case{"the pistol", botWith("A", with(3, num(1))), "rocket launcher"},
        Case{"weapon 12", botWith("A", with(3, num(12))), "undefined"},
        Case{"a skill far beyond any integer", botWith("A", with(1, num(1e300))), "1E+300"},
        Case{"a ping beyond the game's integers", botWith("A", with(6, num(3e9))), "another number"},
        Case{"a plain team", teamWarnings(0, "Reds", "RD", {"Ed", "Al"}), nullptr},
        Case{"team 65", teamWarnings(64, "Reds", "RD", {}), "first 64"},
        Case{"33 members", teamWarnings(0, "Reds", "RD", std::vector<std::string>(33, "x")), "takes 32"},
        Case{"a team name of 16", teamWarnings(0, std::string(16, 'T'), "RD", {}), "teams"},
        Case{"an abbreviation of 5", teamWarnings(0, "Reds", "ABCDE", {}), "over 4"},
        Case{"a member with the abbreviation past 15", teamWarnings(0, "Reds", "RED", {"Maximilianus"}),
             "Maximilianus"},
        Case{"members equal before their \"[\"", teamWarnings(0, "Reds", "RD", {"Ace[A]", "Al", "ace"}),
             "\"Ace[A]\" and \"ace\" for one bot"},
        Case{"a plain greeting", chatLineWarnings(0, "Hello all"), nullptr},
        Case{"an insult with one name", chatLineWarnings(1, "Nice try, %s"), nullptr},
        Case{"an empty line", chatLineWarnings(2, ""), "dropped"},
        Case{"a comment", chatLineWarnings(2, "# note"), "comment"},
        Case{"a header look-alike", chatLineWarnings(2, "-- Taunts"), "section header"},
        Case{"a dash", chatLineWarnings(2, "-ha"), "next section"},
        Case{"no letter", chatLineWarnings(2, "!!! 123"), "drops"},
        Case{"leading digits", chatLineWarnings(2, "123 go"), "skips \"123 \""},
        Case{"a name in a greeting", chatLineWarnings(0, "Hi %s"), "Greetings"},
        Case{"two names", chatLineWarnings(1, "%s and %s"), "one \"%s\""},
        Case{"formats and digits in a line the game never says", chatLineWarnings(6, "12 take %d %s%s"), nullptr},
        Case{"a dash in a line the game never says", chatLineWarnings(6, "-ha"), "next section"},
        Case{"a long line", chatLineWarnings(1, std::string(256, 'a')), "crash"},
        Case{"a line break", chatLineWarnings(1, "Ha\nha"), "two lines"},
        Case{"an empty section", chatFileWarnings({{"hi"}, {}, {"a"}, {"a"}, {"a"}, {"a"}, {}, {"a"}}),
             "Insults (general)"},
        Case{"an empty drop item", chatFileWarnings({{"hi"}, {"a"}, {"a"}, {"a"}, {"a"}, {"a"}, {}, {"a"}}),
             nullptr},
        Case{"65 lines",
             chatFileWarnings(
                 {std::vector<std::string>(65, "hi"), {"a"}, {"a"}, {"a"}, {"a"}, {"a"}, {}, {"a"}}),
             "reads 64"},
        Case{"the highest latency", latencyWarnings("999"), nullptr},
        Case{"a latency of 1000", latencyWarnings("1000"), "\"lag must be lower than 1000\""},
        Case{"a latency of 0", latencyWarnings("0"), "1 to 999"},
        Case{"a latency that is no number", latencyWarnings("fast"), "1 to 999"},
        Case{"a plain cycle", mapCycleWarnings({"q2dm1", "base-2", "maps/x_1"}), nullptr},
        Case{"a map with its extension", mapCycleWarnings({"q2dm1.bsp"}), "splits"},
        Case{"a map listed twice", mapCycleWarnings({"q2dm1", "q2dm2", "q2dm1"}), "more than once"},
        Case{"a long map name", mapCycleWarnings({std::string(64, 'm')}), "63"},
        Case{"257 maps", mapCycleWarnings(std::vector<std::string>(257, "m")), "first 256"},
        Case{"256 maps and comment lines, one twice",
             [] {
                 std::vector<std::string> maps = {"# maps, for LAN", "  # maps, for LAN"};
                 for (int i = 0; i < 256; ++i) maps.push_back("m" + std::to_string(i));
                 maps.push_back("# maps, for LAN");
                 return mapCycleWarnings(maps);
             }(),
             nullptr}),
    caseName<Case>);

}  // namespace
}  // namespace vexmoor::testing
