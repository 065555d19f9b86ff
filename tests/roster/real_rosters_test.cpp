// Rosters in the layouts the modification's releases shipped them in (tabs,
// tabs and blanks mixed, a comment block on top, LF and CR CR LF line ends,
// clan tags, hundreds of bots), compared with what the game itself reads.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "launcher/editors.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"
#include "teams/member_list.h"

namespace vexmoor::testing {
namespace {

// What the game takes from a roster, read the way its reader works: the
// Windows build reads in text mode (CR LF becomes LF, a lone CR is white
// space); outside entries only "#" (to the line end), "[" (the next
// character names the section; "[v" ends the reading) and a double quote
// count; numbers are C's "%i" after exactly one swallowed character.
struct GameBot {
    std::string name, skin;
    std::array<long, 7> values{};
    bool operator==(const GameBot&) const = default;
};
struct GameTeam {
    std::string name, abbreviation, skin;
    std::vector<std::string> members;
    bool operator==(const GameTeam&) const = default;
};
struct GameRoster {
    std::vector<GameBot> bots;
    std::vector<GameTeam> teams;
    bool operator==(const GameRoster&) const = default;
};

GameRoster gameReads(std::string_view raw) {
    std::string s;
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) s += raw[i];
    GameRoster read;
    std::size_t p = 0;
    const auto skipSpace = [&] {
        while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
    };
    const auto quoted = [&](std::string& out) {
        skipSpace();
        if (p >= s.size() || s[p] != '"') return false;
        const std::size_t close = s.find('"', p + 1);
        if (close == std::string::npos) return false;
        out = s.substr(p + 1, close - p - 1);
        p = close + 1;
        return true;
    };
    char section = 0;
    while (p < s.size()) {
        const char c = s[p];
        if (c == '#') {
            p = s.find('\n', p);
            if (p == std::string::npos) break;
        } else if (c == '[') {
            const char next = p + 1 < s.size() ? s[p + 1] : 0;
            if (next == 'v') break;
            if (next == 'b' || next == 't') section = next;
            ++p;
        } else if (c == '"' && section == 'b') {
            GameBot bot;
            if (!quoted(bot.name) || !quoted(bot.skin)) break;
            ++p;  // the one character after the skin, unread
            for (long& value : bot.values) {
                char* end = nullptr;
                value = std::strtol(s.c_str() + p, &end, 0);
                p = static_cast<std::size_t>(end - s.c_str());
            }
            read.bots.push_back(bot);
        } else if (c == '"' && section == 't') {
            GameTeam team;
            if (!quoted(team.name) || !quoted(team.abbreviation) || !quoted(team.skin)) break;
            skipSpace();
            if (p < s.size() && s[p] == '[') ++p;
            std::string member;
            for (skipSpace(); p < s.size() && s[p] != ']' && quoted(member); skipSpace())
                team.members.push_back(member);
            read.teams.push_back(team);
        } else {
            ++p;
        }
    }
    return read;
}

GameRoster fromRoster(const Roster& r) {
    GameRoster read;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i) {
        GameBot bot{std::string(r.BotNames[i]), std::string(r.BotModelSkins[i]), {}};
        const RosterValue* values[] = {&r.BotAccuracy[i], &r.BotAgressiveness[i], &r.BotCombatSkills[i],
                                       &r.BotFavoriteWeapon[i], &r.BotQuadFreak[i], &r.BotCamper[i],
                                       &r.BotPing[i]};
        for (std::size_t k = 0; k < 7; ++k)
            bot.values[k] = values[k]->isNumber() ? static_cast<long>(values[k]->asNumber()) : -999;
        read.bots.push_back(bot);
    }
    for (std::size_t t = 0; t < static_cast<std::size_t>(r.TeamCount); ++t)
        read.teams.push_back(
            {r.TeamNames[t], r.TeamShortNames[t], r.TeamModelSkins[t], memberNames(r.TeamMembers[t])});
    return read;
}

struct Layout {
    const char* what;
    std::vector<std::string> separators;  // between fields, taken in turn
    std::string lineEnd;
    bool commentBlock;
    bool clanTags;
    int bots, teams;
};

void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.what; }

// A roster of our own in the given layout.
std::string rosterIn(const Layout& l) {
    static const char* const skins[] = {"cyborg/oni911", "male/grunt", "female/athena", "male/flak"};
    std::size_t turn = 0;
    const auto sep = [&] { return l.separators[turn++ % l.separators.size()]; };
    std::string out;
    if (l.commentBlock)
        for (int i = 0; i < 60; ++i)
            out += (i % 7 == 3 ? std::string() : "# Line " + std::to_string(i) + ": \"name\" \"model/skin\" ...") +
                   l.lineEnd;
    const auto name = [&](int i) {
        std::string n = (i % 5 == 0 ? "Big " : "Bot") + std::to_string(i);
        return l.clanTags && i % 3 == 0 ? n + "[OW]" : n;
    };
    out += "[bots]" + l.lineEnd;
    for (int i = 0; i < l.bots; ++i) {
        out += '"' + name(i) + '"' + sep() + '"' + skins[i % 4] + '"' + sep();
        const int values[] = {1 + i % 5, 1 + (i / 5) % 5, 1 + (i / 25) % 5, i % 10 == 1 ? 7 : i % 10, i % 2,
                              (i / 2) % 2, 50 + 10 * (i % 30)};
        for (int k = 0; k < 7; ++k) out += std::to_string(values[k]) + (k < 6 ? sep() : std::string());
        out += l.lineEnd;
    }
    out += l.lineEnd + "[teams]" + l.lineEnd;
    for (int t = 0; t < l.teams; ++t) {
        out += "\"Team " + std::to_string(t) + '"' + sep() + "\"T" + std::to_string(t) + '"' + sep() +
               "\"male/grunt\"" + sep() + '[';
        for (int m = 0; m < 3; ++m) out += (m ? " \"" : "\"") + name((t * 3 + m) % l.bots) + '"';
        out += ']' + l.lineEnd;
    }
    out += "[view weapons]" + l.lineEnd + "\"v_shotg.md2\"" + l.lineEnd;
    return out;
}

class RealRosters : public ::testing::TestWithParam<Layout> {};

TEST_P(RealRosters, ListsWhatTheGameReadsAndWritesWhatItReadsAgain) {
    const Layout& layout = GetParam();
    const std::string bytes = rosterIn(layout);
    const GameRoster game = gameReads(bytes);
    ASSERT_EQ(game.bots.size(), static_cast<std::size_t>(layout.bots));
    ASSERT_EQ(game.teams.size(), static_cast<std::size_t>(layout.teams));

    MainFixture f;
    f.game.withEraserFolder().withRoster(bytes);
    f.writeSettings();
    registerEditors(f.main());
    f.startUp();
    EXPECT_EQ(fromRoster(f.roster), game);
    std::vector<std::string> names;
    for (const GameBot& bot : game.bots) names.push_back(bot.name);
    EXPECT_EQ(f.main().bots.SpecificBotList.items(), names);

    f.main().teamplay.EditTeamButton.click();
    auto* teams = dynamic_cast<EditTeamForm*>(f.main().editor());
    ASSERT_NE(teams, nullptr);
    std::vector<std::string> teamNames;
    for (const GameTeam& team : game.teams) teamNames.push_back(team.name);
    EXPECT_EQ(teams->TeamList.items(), teamNames);
    teams->ExitButton.click();

    // The bot editor finds nothing the game would misread, bot after bot,
    // and its Commit Changes writes what the game reads as it read the original.
    f.main().bots.BotEditButton.click();
    auto* bots = dynamic_cast<BotConfigForm*>(f.main().editor());
    ASSERT_NE(bots, nullptr);
    EXPECT_EQ(bots->BotNameList.items(), names);
    for (int i = 0; i < layout.bots; ++i) {
        bots->BotNameList.setSelectedIndex(i);
        EXPECT_FALSE(bots->BotWarningLabel.visible()) << names[static_cast<std::size_t>(i)] << ": "
                                                       << bots->BotWarningLabel.caption();
    }
    bots->CommitChangesButton.click();
    const std::string written = readBytes(f.game.root() / "eraser" / "bots.cfg");
    EXPECT_EQ(gameReads(written), game);
    Roster again;
    ASSERT_TRUE(readRosterBytes(written, "written", again));
    EXPECT_EQ(fromRoster(again), game);
}

const std::vector<std::string> kMixed = {"\t   ", " ", "\t", "  \t "};

INSTANTIATE_TEST_SUITE_P(
    Layouts, RealRosters,
    ::testing::Values(Layout{"tabs", {"\t"}, "\r\n", true, false, 28, 10},
                      Layout{"tabs and blanks mixed", kMixed, "\r\n", true, false, 32, 12},
                      Layout{"bare LF", kMixed, "\n", true, false, 28, 10},
                      Layout{"CR CR LF", {"\t"}, "\r\r\n", true, false, 28, 10},
                      Layout{"clan tags", kMixed, "\r\n", false, true, 28, 10},
                      Layout{"six hundred bots", kMixed, "\r\n", true, true, 628, 15}),
    [](const auto& param) {
        std::string name;
        for (const char c : std::string(param.param.what))
            if (std::isalnum(static_cast<unsigned char>(c))) name += c;
        return name;
    });

}  // namespace
}  // namespace vexmoor::testing
