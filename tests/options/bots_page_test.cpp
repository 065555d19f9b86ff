// The Bots page: the bot count with its text and scroll bar, the spawn mode
// and the skill slider.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

TEST(BotsPageTest, StartsInRandomModeWithOneEasyBotAndTheRosterListed) {
    StartedMain s;
    s.bots = {"Tom", "Big Ed", "Quill"};
    VexmoorMain& w = s.start();
    const BotsPage& b = w.bots;
    EXPECT_TRUE(b.SpawnRandomBotsOption.chosen());
    EXPECT_FALSE(b.SpawnSpecificBotsOption.chosen());
    EXPECT_EQ(b.BotNumberFrame.fragment(), " +bot_num 1");
    EXPECT_EQ(b.BotSkillFrame.fragment(), " +skill 0");
    EXPECT_EQ(b.BotSkillLabel.caption(), "Easy");
    EXPECT_EQ(b.BotNumText.text(), "1");
    EXPECT_EQ(b.BotNumScroll.value(), 1);
    EXPECT_TRUE(b.BotAutoskillCheck.checked());
    EXPECT_EQ(b.SpecificBotList.items(), (std::vector<std::string>{"Tom", "Big Ed", "Quill"}));
    EXPECT_TRUE(b.SpecificBotList.selectedItems().empty());
    EXPECT_FALSE(b.SpecificBotList.enabled());
    EXPECT_FALSE(b.SpawnSpecificBotsFrame.enabled());
    EXPECT_TRUE(b.BotNumberFrame.enabled());
}

TEST(BotsPageTest, ARosterWithoutBotsLeavesTheListEmpty) {
    StartedMain s;
    s.bots = {};
    EXPECT_EQ(s.start().bots.SpecificBotList.count(), 0u);
}

TEST(BotsPageTest, CountTextIsReadAsItsLeadingNumberAndKeptWithinRange) {
    struct Case {
        const char* typed;
        int scrollBefore;
        std::string text;  // what the text box ends with
        int scroll;
        int beeps;
    };
    const Case cases[] = {
        {"31", 1, "0", 0, 1},      {"-1", 1, "0", 0, 1},
        {"31", 0, "0", 0, 1},      {"30.6", 1, "0", 0, 1},  // beyond 30 before rounding
        {"30", 1, "30", 30, 0},    {"3.7", 1, "4", 4, 0},
        {"2.5", 1, "2", 2, 0},  // halves go to the even neighbour
        {"3.5", 1, "4", 4, 0},     {"12abc", 1, "12", 12, 0},
        {" 1 5", 1, "15", 15, 0},   // blanks anywhere are ignored
        {"moor", 0, "moor", 0, 0},  // the scroll bar does not move, so the word stays
        {"moor", 1, "0", 0, 0},    {"", 0, "", 0, 0},
        {"", 1, "0", 0, 0},        {"0.4", 0, "0.4", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\" with the scroll bar at " +
                     std::to_string(c.scrollBefore));
        StartedMain s;
        BotsPage& b = s.start().bots;
        b.BotNumScroll.setValue(c.scrollBefore);
        const int beepsBefore = s.alert.beeps;
        b.BotNumText.setText(c.typed);
        EXPECT_EQ(b.BotNumText.text(), c.text);
        EXPECT_EQ(b.BotNumScroll.value(), c.scroll);
        EXPECT_EQ(s.alert.beeps - beepsBefore, c.beeps);
        EXPECT_EQ(b.BotNumberFrame.fragment(), " +set bot_num " + c.text);
        EXPECT_TRUE(s.dialogs.shown.empty());
    }
}

TEST(BotsPageTest, MovingTheScrollBarRewritesTheText) {
    StartedMain s;
    VexmoorMain& w = s.start();
    w.bots.BotNumScroll.setValue(5);
    EXPECT_EQ(w.bots.BotNumText.text(), "5");
    EXPECT_EQ(w.bots.BotNumberFrame.fragment(), " +set bot_num 5");
    EXPECT_NE(s.commandLine().find(" +set bot_auto_skill 1 +set bot_num 5 +cmd lag 1"), std::string::npos)
        << s.commandLine();
    w.bots.BotNumScroll.setValue(0);
    EXPECT_EQ(w.bots.BotNumText.text(), "0");
    EXPECT_EQ(w.bots.BotNumberFrame.fragment(), " +set bot_num 0");
    EXPECT_EQ(s.alert.beeps, 0);
}

TEST(BotsPageTest, SpawnModesSwitchTheCountFragmentAndKeepTheSelection) {
    StartedMain s;
    s.bots = {"Big Ed", "Quill", "Tom"};
    VexmoorMain& w = s.start();
    BotsPage& b = w.bots;

    b.SpawnSpecificBotsOption.choose();
    EXPECT_FALSE(b.SpawnRandomBotsOption.chosen());
    EXPECT_EQ(b.BotNumberFrame.fragment(), "");
    EXPECT_EQ(b.SpawnSpecificBotsFrame.fragment(), "");
    for (const Control* c : std::initializer_list<const Control*>{&b.BotNumberFrame, &b.BotNumLabel,
                                                                  &b.BotNumScroll, &b.BotNumText})
        EXPECT_FALSE(c->enabled()) << c->name();
    EXPECT_TRUE(b.SpawnSpecificBotsFrame.enabled());
    EXPECT_TRUE(b.SpecificBotList.enabled());
    EXPECT_EQ(s.commandLine().find("bot_num"), std::string::npos) << s.commandLine();

    b.SpecificBotList.setSelected(2, true);
    b.SpecificBotList.setSelected(0, true);

    b.SpawnRandomBotsOption.choose();
    EXPECT_EQ(b.BotNumberFrame.fragment(), " +bot_num 1");
    for (const Control* c : std::initializer_list<const Control*>{&b.BotNumberFrame, &b.BotNumLabel,
                                                                  &b.BotNumScroll, &b.BotNumText})
        EXPECT_TRUE(c->enabled()) << c->name();
    EXPECT_FALSE(b.SpawnSpecificBotsFrame.enabled());
    EXPECT_FALSE(b.SpecificBotList.enabled());
    EXPECT_EQ(b.SpecificBotList.selectedItems(), (std::vector<std::string>{"Big Ed", "Tom"}));

    // Choosing random again takes the count text as it stands, in the short form.
    b.BotNumText.setText("7");
    b.SpawnSpecificBotsOption.choose();
    b.SpawnRandomBotsOption.choose();
    EXPECT_EQ(b.BotNumberFrame.fragment(), " +bot_num 7");
    EXPECT_EQ(b.SpecificBotList.selectedItems(), (std::vector<std::string>{"Big Ed", "Tom"}));
}

TEST(BotsPageTest, SkillSliderNamesThePositionAndRebuildsTheSkillFragment) {
    StartedMain s;
    VexmoorMain& w = s.start();
    const std::pair<int, const char*> positions[] = {
        {1, "Medium"}, {2, "Hard"}, {3, "Nightmare"}, {0, "Easy"}};
    for (const auto& [position, name] : positions) {
        SCOPED_TRACE(position);
        w.bots.BotSkillSlider.setValue(position);
        EXPECT_EQ(w.bots.BotSkillLabel.caption(), name);
        const std::string fragment = " +skill  " + std::to_string(position);
        EXPECT_EQ(w.bots.BotSkillFrame.fragment(), fragment);
        EXPECT_EQ(s.commandLine().rfind(s.head() + fragment + " +teamplay 0 +map q2dm1", 0), 0u)
            << s.commandLine();
    }
}

}  // namespace
}  // namespace vexmoor::testing
