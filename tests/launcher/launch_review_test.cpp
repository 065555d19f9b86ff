// Starting the game: at once or through the review window, closing the
// launcher afterwards, and what the user is told when a launch fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

fs::path launcherCfg(const StartedMain& s) { return s.game.root() / "eraser" / "launcher.cfg"; }

TEST(LaunchTest, StartsTheGameInTheGameDirectoryWithoutMovingTheLauncher) {
    StartedMain s;
    VexmoorMain& w = s.start();
    const fs::path workingBefore = fs::current_path();

    w.LaunchButton.click();
    ASSERT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.processes.starts[0].commandLine, defaultCommandLine(s.game.text()));
    EXPECT_EQ(s.processes.starts[0].workingDirectory, fs::path(s.game.text()));
    EXPECT_EQ(s.processes.starts[0].knownProgram, s.game.text() + "quake2.exe");
    EXPECT_EQ(fs::current_path(), workingBefore);
    EXPECT_TRUE(fs::exists(launcherCfg(s)));
    EXPECT_TRUE(s.windows.opened.empty());
    EXPECT_EQ(s.windows.quits, 0);
    EXPECT_TRUE(w.enabled());

    // The menu entry does the same, and the launcher can launch again.
    w.gameplay.AllowCheatsCheckBox.click();
    w.LaunchMenu.click();
    ASSERT_EQ(s.processes.starts.size(), 2u);
    EXPECT_EQ(s.processes.starts[1].commandLine, s.commandLine());
}

TEST(LaunchTest, TheReviewWindowStartsTheEditedTextOnlyAtGo) {
    StartedMain s;
    s.tail = settingsTail(kDefaultStates, "0", "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,1");
    VexmoorMain& w = s.start();
    ASSERT_EQ(w.gameplay.CommandLineEditCheck.state(), 1);

    w.LaunchButton.click();
    EXPECT_TRUE(s.processes.starts.empty());
    EXPECT_TRUE(fs::exists(launcherCfg(s)));
    CmdLineForm* review = w.cmdLineForm();
    ASSERT_NE(review, nullptr);
    EXPECT_TRUE(s.windows.isOpen("CmdLineForm"));
    EXPECT_EQ(review->caption(), "Command Line Launch");
    EXPECT_FALSE(w.enabled());
    EXPECT_EQ(review->CommandLineText.text(), defaultCommandLine(s.game.text()));

    const std::string edited =
        s.game.text() + "quake2.exe +set game eraser +map q2dm3 +set hostname \"Moor Keep\"";
    review->CommandLineText.setText(edited);
    review->GoButton.click();
    ASSERT_EQ(s.processes.starts.size(), 1u);
    EXPECT_EQ(s.processes.starts[0].commandLine, edited);
    EXPECT_EQ(s.processes.starts[0].workingDirectory, fs::path(s.game.text()));
    EXPECT_FALSE(s.windows.isOpen("CmdLineForm"));
    EXPECT_TRUE(w.enabled());
    EXPECT_EQ(s.windows.focused.back(), "VexmoorMain");
    EXPECT_EQ(s.windows.quits, 0);
}

TEST(LaunchTest, ReturnToMainStartsNothingAndKeepsTheScript) {
    StartedMain s;
    s.tail = settingsTail(kDefaultStates, "0", "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,1");
    VexmoorMain& w = s.start();
    w.bots.SpawnSpecificBotsOption.choose();
    w.bots.SpecificBotList.setSelected(0, true);

    w.LaunchButton.click();
    ASSERT_NE(w.cmdLineForm(), nullptr);
    w.cmdLineForm()->ReturnButton.click();
    EXPECT_TRUE(s.processes.starts.empty());
    EXPECT_FALSE(s.windows.isOpen("CmdLineForm"));
    EXPECT_TRUE(w.enabled());
    EXPECT_EQ(s.windows.focused.back(), "VexmoorMain");
    EXPECT_EQ(readBytes(launcherCfg(s)), "sv bots Big~Ed\r\n");

    // Closing the review window through its frame is the same way back.
    w.LaunchButton.click();
    w.cmdLineForm()->closeRequested();
    EXPECT_TRUE(s.processes.starts.empty());
    EXPECT_TRUE(w.enabled());
}

TEST(LaunchTest, CloseOnExitEndsTheProgramOnlyOnceTheGameHasStarted) {
    enum class Then { Nothing, Go, Return };
    struct Case {
        const char* what;
        int closeOnExit, review;
        Then then;
        bool fails;
        int starts, quitsAtLaunch, quitsAtEnd;
    };
    const Case cases[] = {
        {"close, no review", 1, 0, Then::Nothing, false, 1, 1, 1},
        {"close, review, Go", 1, 1, Then::Go, false, 1, 0, 1},
        {"close, review, Return", 1, 1, Then::Return, false, 0, 0, 0},
        {"stay, no review", 0, 0, Then::Nothing, false, 1, 0, 0},
        {"stay, review, Go", 0, 1, Then::Go, false, 1, 0, 0},
        {"close, no review, start fails", 1, 0, Then::Nothing, true, 1, 0, 0},
        {"close, review, Go, start fails", 1, 1, Then::Go, true, 1, 0, 0},
        // Only a checked review box waits for Go, and only a checked close box
        // closes at once; at Go, anything but unchecked closes.
        {"close, review grayed", 1, 2, Then::Nothing, false, 1, 0, 0},
        {"close grayed, no review", 2, 0, Then::Nothing, false, 1, 0, 0},
        {"close grayed, review, Go", 2, 1, Then::Go, false, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedMain s;
        VexmoorMain& w = s.start();
        w.gameplay.CloseOnExitCheckBox.setState(c.closeOnExit);
        w.gameplay.CommandLineEditCheck.setState(c.review);
        if (c.fails) s.processes.failWith = s.game.text() + "quake2.exe does not exist";

        w.LaunchButton.click();
        EXPECT_EQ(s.windows.quits, c.quitsAtLaunch);
        if (c.then == Then::Go) w.cmdLineForm()->GoButton.click();
        if (c.then == Then::Return) w.cmdLineForm()->ReturnButton.click();
        EXPECT_EQ(s.processes.starts.size(), static_cast<std::size_t>(c.starts));
        EXPECT_EQ(s.windows.quits, c.quitsAtEnd);
        EXPECT_TRUE(w.enabled());
        ASSERT_EQ(s.dialogs.shown.size(), c.fails ? 1u : 0u);
        if (!c.fails) continue;
        EXPECT_EQ(s.dialogs.shown[0].icon, Icon::Critical);
        EXPECT_NE(s.dialogs.shown[0].text.find(*s.processes.failWith), std::string::npos)
            << s.dialogs.shown[0].text;
    }
}

TEST(LaunchTest, AScriptThatCannotBeWrittenStopsTheLaunchWithAMessage) {
    for (const int review : {0, 1}) {
        SCOPED_TRACE(review ? "with review" : "without review");
        StartedMain s;
        VexmoorMain& w = s.start();
        w.gameplay.CommandLineEditCheck.setState(review);
        w.gameplay.CloseOnExitCheckBox.setState(1);
        fs::remove_all(s.game.root() / "eraser");

        w.LaunchButton.click();
        ASSERT_EQ(s.dialogs.shown.size(), 1u);
        const Message& message = s.dialogs.shown[0];
        EXPECT_EQ(message.icon, Icon::Critical);
        EXPECT_NE(message.text.find(launcherCfg(s).string()), std::string::npos) << message.text;
        EXPECT_NE(message.text.find("does not exist"), std::string::npos) << message.text;
        EXPECT_TRUE(s.processes.starts.empty());
        EXPECT_TRUE(s.windows.opened.empty());
        EXPECT_EQ(s.windows.quits, 0);
        EXPECT_TRUE(w.enabled());
        EXPECT_FALSE(fs::exists(s.game.root() / "eraser"));
    }
}

}  // namespace
}  // namespace vexmoor::testing
