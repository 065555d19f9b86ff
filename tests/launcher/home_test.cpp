// The player's home: every started game kept among the recent games (the
// newest ten), each game summed up in one line, and the setups renamed and
// copied as the Game Setups window does it.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "launcher/setups_form.h"
#include "options/started_main.h"
#include "setups/game_summary.h"
#include "setups/recent_games.h"

namespace vexmoor::testing {
namespace {

// A setup as the summary reads it: the controls it names and the map piece.
vexmoor::Setup gameOf(std::map<std::string, SetupValue> controls, const std::string& map) {
    vexmoor::Setup setup;
    setup.gameDirectory = "/games/q2/";
    setup.controls = std::move(controls);
    setup.fragments["MapFrame"] = " +map " + map;
    return setup;
}

TEST(GameSummary, SaysModeMapBotsSkillAndLimitsInOneLine) {
    using Names = std::vector<std::string>;
    const auto title = [](const std::string& map) -> std::string {
        return map == "q2ctf1" ? "Capture Cove" : map == "q2dm1" ? "The Edge" : "";
    };
    const struct {
        const char* what;
        vexmoor::Setup setup;
        std::string summary;
    } rows[] = {
        {"random bots in CTF with a time limit",
         gameOf({{"CTFMapOption", true}, {"BotNumScroll", 6}, {"BotSkillSlider", 1}, {"TimelimitCheckBox", 1},
                 {"TimeLimitText", std::string("20")}},
                "q2ctf1"),
         "CTF on q2ctf1 (Capture Cove) \xB7 6 random bots, skill 1 \xB7 time 20"},
        {"teamplay on a map without a title, a frag limit",
         gameOf({{"TeamplayCheckBox", 1}, {"BotTeamList", Names{"Rooks", "Lanterns"}}, {"FraglimitCheckBox", 1},
                 {"FragLimitText", std::string("30")}, {"TimelimitCheckBox", 0}},
                "base2"),
         "Teamplay on base2 \xB7 teams Rooks vs Lanterns \xB7 frags 30"},
        {"specific bots",
         gameOf({{"SpawnSpecificBotsOption", true},
                 {"SpecificBotList", Names{"Quill", "Sable", "Marrow Jack"}},
                 {"BotSkillSlider", 2}},
                "q2dm1"),
         "Deathmatch on q2dm1 (The Edge) \xB7 Quill, Sable, Marrow Jack \xB7 skill 2"},
        {"many specific bots, auto skill",
         gameOf({{"SpawnSpecificBotsOption", true}, {"SpecificBotList", Names{"A", "B", "C", "D", "E", "F"}},
                 {"BotAutoskillCheck", 1}},
                "q2dm1"),
         "Deathmatch on q2dm1 (The Edge) \xB7 A, B, C, D and 2 more \xB7 auto skill"},
        {"no bots, and a map the setup does not name", gameOf({{"BotNumScroll", 0}}, ""), "Deathmatch \xB7 no bots"},
    };
    for (const auto& row : rows) EXPECT_EQ(gameSummary(row.setup, title), row.summary) << row.what;
}

TEST(GameSummary, SaysWhenAGameWasPlayed) {
    std::tm noon{};
    noon.tm_year = 126;
    noon.tm_mon = 11;
    noon.tm_mday = 8;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    const std::time_t now = std::mktime(&noon);
    const std::time_t hour = 3600;
    EXPECT_EQ(playedText(now - 3 * hour + 14 * 60, now), "today 09:14");
    EXPECT_EQ(playedText(now - 15 * hour, now), "yesterday 21:00");
    EXPECT_EQ(playedText(now - 48 * hour, now), "6 Dec 12:00");
    EXPECT_EQ(playedText(now - 400 * 24 * hour, now), "3 Nov 2025");
}

TEST(RecentGames, KeepsTheNewestTenOfEachGameDirectoryNewestFirst) {
    TempDir temp;
    const RecentGames recent(temp.path() / "Recent games");
    vexmoor::Setup game = gameOf({{"BotNumScroll", 1}}, "q2dm1");
    vexmoor::Setup other = game;
    other.gameDirectory = "/games/other/";
    ASSERT_TRUE(recent.keep(other, 999));
    for (int i = 0; i < 12; ++i) {
        game.controls["BotNumScroll"] = i;
        ASSERT_TRUE(recent.keep(game, 1000 + i / 2));  // two games a second
    }
    const auto kept = recent.list("/games/q2/");
    ASSERT_EQ(kept.size(), RecentGames::kKept);
    EXPECT_EQ(kept.front().played, 1005);
    EXPECT_EQ(std::get<int>(kept.front().setup.controls.at("BotNumScroll")), 11);
    EXPECT_EQ(std::get<int>(kept.back().setup.controls.at("BotNumScroll")), 2);
    EXPECT_TRUE(recent.list("/games/other/").empty());  // the oldest of all went first
}

TEST(RecentGames, ALaunchIsKeptOnTheHomeAndPlayedAgainAsItWas) {
    StartedMain s;
    s.bots = {"Quill", "Sable"};
    VexmoorMain& m = s.start();
    HomePage& home = m.home;
    home.refresh();
    EXPECT_TRUE(home.HomeEmptyLabel.visible());
    EXPECT_FALSE(home.PlayAgainButton.enabled());

    m.bots.SpawnSpecificBotsOption.choose();
    m.bots.SpecificBotList.setSelected(1, true);
    m.gameplay.TimelimitCheckBox.click();
    m.LaunchButton.click();
    ASSERT_EQ(s.processes.starts.size(), 1u);
    const std::string first = s.processes.starts[0].commandLine;
    ASSERT_EQ(home.RecentGamesList.count(), 1u);
    EXPECT_EQ(home.RecentGamesList.items()[0].rfind("Deathmatch on q2dm1 \xB7 Sable \xB7 auto skill \xB7 time 20 \xB7 today ", 0),
              0u)
        << home.RecentGamesList.items()[0];
    EXPECT_FALSE(home.HomeEmptyLabel.visible());
    EXPECT_EQ(home.HomeSetupsList.items(), std::vector<std::string>{kLastGameSetup});

    // Changed since, the game comes back whole: loaded onto the pages at the
    // Bots page, or played again with the same command line.
    m.bots.SpawnRandomBotsOption.choose();
    m.gameplay.TimelimitCheckBox.click();
    home.RecentGamesList.setSelectedIndex(0);
    home.LoadGameButton.click();
    EXPECT_EQ(launchCommandLine(m), first);
    EXPECT_EQ(m.BotTabStrip.value(), 2);
    EXPECT_EQ(s.processes.starts.size(), 1u);
    m.gameplay.TimelimitCheckBox.click();
    home.RecentGamesList.setSelectedIndex(0);
    home.PlayAgainButton.click();
    ASSERT_EQ(s.processes.starts.size(), 2u);
    EXPECT_EQ(s.processes.starts[1].commandLine, first);
    EXPECT_EQ(home.RecentGamesList.count(), 2u);

    // One entry of the two lists is chosen at a time.
    home.RecentGamesList.setSelectedIndex(1);
    home.HomeSetupsList.setSelectedIndex(0);
    EXPECT_EQ(home.RecentGamesList.selectedIndex(), -1);
}

TEST(SetupsWindow, RenamesAndCopiesASetupUnderNamesASetupCanHave) {
    StartedMain s;
    VexmoorMain& m = s.start();
    ASSERT_TRUE(m.setups.save("Friday"));
    ASSERT_TRUE(m.setups.save("Duel"));
    m.SetupsMenu.click();
    SetupsForm& form = *m.setups.form();
    const auto choose = [&](const std::string& name) {
        const auto& items = form.SetupList.items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == name) form.SetupList.setSelectedIndex(static_cast<int>(i));
    };
    EXPECT_EQ(form.summaryOf("Friday"), "Deathmatch on q2dm1 \xB7 1 random bot, auto skill");

    // Refused: a name no setup can have, one taken; nothing changes.
    for (const char* refused : {"a/b", "CON", "Duel"}) {
        choose("Friday");
        form.SetupNameText.setText(refused);
        s.dialogs.shown.clear();
        form.RenameSetupButton.click();
        EXPECT_EQ(s.dialogs.shown.size(), 1u) << refused;
        EXPECT_EQ(form.SetupList.items(), (std::vector<std::string>{"Duel", "Friday"})) << refused;
    }
    choose("Friday");
    form.SetupNameText.setText("Saturday");
    form.RenameSetupButton.click();
    EXPECT_EQ(form.SetupList.items(), (std::vector<std::string>{"Duel", "Saturday"}));
    EXPECT_EQ(form.SetupList.selectedText(), "Saturday");

    // A copy with no other name typed is named after the setup.
    form.DuplicateSetupButton.click();
    choose("Saturday");
    form.DuplicateSetupButton.click();
    EXPECT_EQ(form.SetupList.items(), (std::vector<std::string>{"Duel", "Saturday", "Saturday copy",
                                                                "Saturday copy 2"}));
    EXPECT_EQ(readBytes(m.setups.store().fileOf("Saturday copy")), readBytes(m.setups.store().fileOf("Saturday")));
}

}  // namespace
}  // namespace vexmoor::testing
