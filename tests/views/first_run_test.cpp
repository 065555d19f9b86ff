// The first run on a computer where the game is kept in ~/Games: the
// chooser offers it, the keyboard chooses it, and Set writes the settings.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "core/ports.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

class FirstRun : public ViewTest {};

TEST_F(FirstRun, OffersTheGameFoundAndSetWritesTheSettingsWithIt) {
    fs::remove(settingsFile);
    const fs::path folder = fs::canonical(home) / "Games" / "Quake 2";
    GameDirectoryBuilder found(folder);
    const std::string bots = "# our bots\r\n" + GameDirectoryBuilder::generatedRoster(4, 1);
    found.withEraserFolder().withRoster(bots).withMaps({"q2dm1.bsp"}).withGame();
    FakeGamePlaces places;
    places.given.home = home;
    gamePlaces = &places;
    open();
    EXPECT_FALSE(window->isVisible());
    QWidget* chooser = sideView(main->browseForm());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(chooser));
    auto* list = chooser->findChild<QListView*>("FoundGamesList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name), "Found on this computer");

    ASSERT_TRUE(QTest::qWaitFor([this] { return !main->browseForm()->searching(); }, 5000));
    EXPECT_EQ(rowsOf(list), QStringList{QString::fromStdString(found.text()) +
                                        QString::fromUtf8(" · eraser · 1 map · 4 bots")});
    EXPECT_TRUE(list->isEnabled());

    // Alt+F is the list's; Space chooses its game, and Enter is Set.
    QTest::keyClick(chooser, Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(chooser->findChild<QLabel*>("Label2")->text(), QString::fromStdString(pathText(folder)));
    QTest::keyClick(list, Qt::Key_Return);
    settle();

    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Welcome! Please specify your Quake 2 directory.",
                                                         "New settings saved. Please restart Vexmoor."}));
    EXPECT_EQ(readBytes(settingsFile), "\"" + found.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    EXPECT_EQ(windows.quits, 1);
    EXPECT_EQ(readBytes(folder / "eraser" / "bots.cfg"), bots);
}

}  // namespace
}  // namespace vexmoor::testing
