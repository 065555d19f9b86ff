// The Main tab as the player's home: what it lists, Load and File > Recent
// Games, the line shown while there is nothing to list, and Launch! on a map
// the game has no file for. Play Again runs end to end in the whole-program tests.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "support/game_file_writers.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class HomeView : public ViewTest {
protected:
    void SetUp() override {
        const std::string map = MapBuilder().box({0, 0, -16}, {256, 256, 0}).bytes();
        game.withFile("baseq2/pak0.pak", pakArchive({{"maps/q2dm1.bsp", map}, {"maps/q2dm2.bsp", map}}));
    }

    // Plays q2dm2 with cheats allowed, then puts the window back as it started.
    void playOnce() {
        open();
        main->maps.MapList.setSelectedIndex(1);
        main->gameplay.AllowCheatsCheckBox.click();
        QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
        ASSERT_EQ(processes.starts.size(), 1u);
        main->maps.MapList.setSelectedIndex(0);
        main->gameplay.AllowCheatsCheckBox.click();
    }
    void expectThePlayedGame() const {
        EXPECT_EQ(main->maps.MapList.selectedText(), "q2dm2");
        EXPECT_TRUE(main->gameplay.AllowCheatsCheckBox.checked());
        EXPECT_EQ(processes.starts.size(), 1u) << "loading starts nothing";
    }
};

TEST_F(HomeView, TheEmptyHomeSaysWhatWillAppearThereUntilASetupIsSaved) {
    open();
    main->home.refresh();
    auto* empty = find<QLabel>("HomeEmptyLabel");
    EXPECT_TRUE(empty->isVisible());
    EXPECT_EQ(empty->text(), "The games you launch will be listed here, and the setups you save under File, "
                             "Game Setups.");
    EXPECT_FALSE(find<QPushButton>("PlayAgainButton")->isEnabled());
    // Saved; the home lists anew when the Game Setups window closes.
    ASSERT_TRUE(main->setups.save("Friday"));
    main->home.refresh();
    EXPECT_FALSE(empty->isVisible());
    EXPECT_EQ(rowsOf(find<QListView>("HomeSetupsList")), QStringList{"Friday"});
}

TEST_F(HomeView, LoadAndFileRecentGamesPutTheGameBackOnThePages) {
    playOnce();
    auto* recent = find<QListView>("RecentGamesList");
    QTRY_COMPARE(recent->model()->rowCount(), 1);
    EXPECT_TRUE(rowsOf(recent).front().startsWith("Deathmatch on q2dm2 \u00b7 "));
    clickRow(recent, 0);
    QTest::mouseClick(find<QPushButton>("LoadGameButton"), Qt::LeftButton);
    expectThePlayedGame();
    EXPECT_EQ(find<QTabWidget>("BotTabStrip")->currentIndex(), 1) << "the Bots page";

    main->maps.MapList.setSelectedIndex(0);
    auto* menu = find<QMenu>("RecentGamesMenu");
    Q_EMIT menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_TRUE(menu->actions().front()->text().startsWith("&1 Deathmatch on q2dm2"));
    menu->actions().front()->trigger();
    expectThePlayedGame();
}

TEST_F(HomeView, LaunchOfAMapWithoutAFileStartsOnlyWhenAnsweredYes) {
    open();
    main->maps.MapList.setSelectedIndex(2);
    ASSERT_EQ(main->maps.MapList.selectedText(), "q2dm3");
    for (const auto& [answer, starts] : {std::pair{Answer::No, 0u}, std::pair{Answer::Yes, 1u}}) {
        dialogs.answers.push_back(answer);
        QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
        EXPECT_EQ(dialogs.texts().back(),
                  "The game has no file for q2dm3; it would stop at its console. Launch anyway?");
        EXPECT_EQ(dialogs.shown.back().defaultAnswer, Answer::No);
        EXPECT_EQ(processes.starts.size(), starts);
    }
    EXPECT_NE(processes.starts.front().commandLine.find("+map q2dm3 "), std::string::npos);
}

}  // namespace
}  // namespace vexmoor::testing
