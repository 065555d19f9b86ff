// The main window's setups: "Last game" kept at every start of the game,
// and loading with what it tells. The window itself is tested through its view.
#include "launcher/game_setups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_io.h"
#include "launcher/setup_apply.h"
#include "launcher/vexmoor_main.h"
#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

struct Setups : StartedMain {
    Setups() { teams = {"Reds", "Blues"}; }
    SetupStore store() { return main().setups.store(); }
    vexmoor::Setup stored(const std::string& name) {
        auto read = store().load(name, game.text());
        EXPECT_TRUE(read) << read.error().describe();
        return read ? read.value().setup : vexmoor::Setup{};
    }
    // Saves a game with cheats on and two bots under a name.
    void saveCheatingGame(const std::string& name) {
        VexmoorMain& m = main();
        m.gameplay.AllowCheatsCheckBox.click();
        m.bots.SpawnSpecificBotsOption.choose();
        m.bots.SpecificBotList.setSelected(0, true);
        ASSERT_TRUE(m.setups.save(name));
        m.gameplay.AllowCheatsCheckBox.click();
        m.bots.SpawnRandomBotsOption.choose();
    }
};

TEST(LastGame, EveryStartedGameIsKeptAsLastGameReplacingTheOneBefore) {
    Setups s;
    VexmoorMain& m = s.start();
    m.LaunchButton.click();
    ASSERT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.stored(kLastGameSetup), captureSetup(m));

    m.maps.CTFMapOption.choose();
    m.LaunchMenu.click();
    EXPECT_EQ(s.stored(kLastGameSetup), captureSetup(m));
    EXPECT_EQ(s.store().names(s.game.text()), std::vector<std::string>{kLastGameSetup});
}

TEST(LastGame, OnlyAGameThatStartedIsKept) {
    Setups s;
    VexmoorMain& m = s.start();
    s.processes.failWith = "no such program";
    m.LaunchButton.click();
    EXPECT_FALSE(s.store().exists(kLastGameSetup));

    // Through the review: Return starts nothing, Go starts the game.
    s.processes.failWith.reset();
    m.gameplay.CommandLineEditCheck.click();
    m.LaunchButton.click();
    m.cmdLineForm()->ReturnButton.click();
    EXPECT_FALSE(s.store().exists(kLastGameSetup));
    m.LaunchButton.click();
    m.cmdLineForm()->GoButton.click();
    EXPECT_EQ(s.stored(kLastGameSetup), captureSetup(m));
}

TEST(LastGame, ASetupThatCannotBeKeptIsToldAndTheGameRunsAllTheSame) {
    Setups s;
    VexmoorMain& m = s.start();
    fs::create_directories(s.store().folder().parent_path());
    writeBytes(s.store().folder(), "a file where the folder would be");
    m.gameplay.CloseOnExitCheckBox.click();
    m.LaunchButton.click();
    EXPECT_EQ(s.processes.starts.size(), 1u);
    ASSERT_EQ(s.dialogs.shown.size(), 1u);
    EXPECT_EQ(
        s.dialogs.shown[0].text.rfind("The game was started, but it could not be kept as the setup \"Last "
                                      "game\".\r\n\r\n" +
                                          pathText(s.store().fileOf(kLastGameSetup)),
                                      0),
        0u)
        << s.dialogs.shown[0].text;
    EXPECT_EQ(s.windows.quits, 1);
}

TEST(GameSetups, LoadAndLaunchStartsTheGameExactlyAsLaunchDoes) {
    Setups s;
    VexmoorMain& m = s.start();
    s.saveCheatingGame("Friday");
    m.setups.load("Friday", true);
    EXPECT_TRUE(s.dialogs.shown.empty()) << s.dialogs.texts()[0];
    ASSERT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.processes.starts[0].commandLine, launchCommandLine(m));
    EXPECT_NE(s.processes.starts[0].commandLine.find(" +set cheats  1"), std::string::npos);
    EXPECT_EQ(readBytes(s.game.root() / "eraser" / "launcher.cfg"), "sv bots Big~Ed\r\n");
    EXPECT_EQ(s.stored(kLastGameSetup), s.stored("Friday"));
}

TEST(GameSetups, WhatCannotBeAppliedIsToldInOneMessageAndThePartLoadedGameIsNotLaunched) {
    Setups s;
    VexmoorMain& m = s.start();
    s.saveCheatingGame("Friday");
    // The file gained a damaged value; a bot left the roster.
    std::string bytes = readBytes(s.store().fileOf("Friday"));
    bytes.replace(bytes.find("\"BotSkillSlider\": 0"), 19, "\"BotSkillSlider\": 9");
    writeBytes(s.store().fileOf("Friday"), bytes);
    m.bots.fillSpecificBots(Roster{});

    m.setups.load("Friday", true);
    EXPECT_TRUE(s.processes.starts.empty());
    ASSERT_EQ(s.dialogs.shown.size(), 1u);
    EXPECT_EQ(s.dialogs.shown[0].title, "Setup partly loaded");
    EXPECT_EQ(s.dialogs.shown[0].text,
              "Not all of the setup \"Friday\" could be loaded; everything else is.\r\n"
              "\r\n- BotSkillSlider is passed over: 9 is outside 0 to 3."
              "\r\n- The bot \"Big Ed\" is no longer in the roster."
              "\r\n\r\nThe game was not started, so that you can look at the setup first.");
    EXPECT_EQ(m.gameplay.AllowCheatsCheckBox.state(), 1);
}

TEST(GameSetups, ASetupThatCannotBeReadIsToldWithTheFileAndChangesNothing) {
    Setups s;
    VexmoorMain& m = s.start();
    fs::create_directories(s.store().folder());
    writeBytes(s.store().fileOf("Broken"), "{\"VexmoorSetup\": 1}");
    const std::string before = launchCommandLine(m);
    m.setups.load("Broken", true);
    m.setups.load("Nobody", false);
    EXPECT_EQ(
        s.dialogs.texts(),
        (std::vector<std::string>{
            "The setup \"Broken\" cannot be loaded.\r\n\r\n" + pathText(s.store().fileOf("Broken")) +
                ": it names no game directory (\"GameDirectory\")",
            "The setup \"Nobody\" cannot be loaded.\r\n\r\nThere is no setup \"Nobody\" for the game in " +
                s.game.text() + ".",
        }));
    EXPECT_EQ(launchCommandLine(m), before);
    EXPECT_TRUE(s.processes.starts.empty());
}

}  // namespace
}  // namespace vexmoor::testing
