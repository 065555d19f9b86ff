// The Game Setups window as a user works it: from the File menu, saving
// under a name (and replacing), loading, deleting, playing on a double
// click, and back to the main window by Escape or the frame.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/ports.h"
#include "launcher/launch.h"
#include "launcher/setup_apply.h"
#include "launcher/setups_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class GameSetupsWindow : public ViewTest {
protected:
    void SetUp() override {
        open();
        // Two setups saved before: a CTF game and the last game played.
        main->maps.CTFMapOption.choose();
        main->gameplay.AllowCheatsCheckBox.click();
        ASSERT_TRUE(main->setups.save("Friday CTF"));
        main->maps.InternalMapOption.choose();
        main->gameplay.AllowCheatsCheckBox.click();
        ASSERT_TRUE(main->setups.save("Last game"));
        dialogs.shown.clear();
    }

    // Opens the window the way the keyboard does: Alt+F, then S.
    void openWindow() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }, 5000));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        auto* file = find<QMenu>("FileMenu");
        ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 5000));
        QTest::keyClick(file, Qt::Key_S);
        view = sideView(main->setups.form());
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == view; }, 5000));
    }

    template <class W>
    W* part(const char* name) const {
        return view->findChild<W*>(name);
    }
    QListView* list() const { return part<QListView>("SetupList"); }
    SetupStore store() const { return main->setups.store(); }
    // The window is gone and the main window can be worked again.
    void expectClosed() const {
        settle();
        EXPECT_EQ(sideView(main->setups.form()), nullptr);
        EXPECT_TRUE(window->isEnabled());
    }

    QWidget* view = nullptr;
};

QString accessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

TEST_F(GameSetupsWindow, OpensFromTheFileMenuSavesUnderATypedNameAndAsksBeforeReplacing) {
    openWindow();
    EXPECT_EQ(view->windowTitle(), "Game Setups");
    EXPECT_EQ(view->objectName(), "SetupsForm");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(rowsOf(list()), (QStringList{"Last game", "Friday CTF"}));
    auto* name = part<QLineEdit>("SetupNameText");
    EXPECT_EQ(accessibleName(list()), "Setups");
    EXPECT_EQ(accessibleName(name), "Setup name");
    QStringList captions;
    for (const char* button :
         {"SaveSetupButton", "LoadSetupButton", "LaunchSetupButton", "DeleteSetupButton", "SetupsExitButton"})
        captions << (part<QPushButton>(button) ? part<QPushButton>(button)->text() : QString());
    EXPECT_EQ(captions,
              (QStringList{"&Save Current Game", "&Load", "Load and La&unch", "&Delete", "Return to Main"}));
    // Nothing is chosen yet, so only saving and going back can be done.
    EXPECT_FALSE(part<QPushButton>("LoadSetupButton")->isEnabled());
    EXPECT_FALSE(part<QPushButton>("DeleteSetupButton")->isEnabled());
    EXPECT_TRUE(part<QLabel>("SetupsGameLabel")->text().endsWith(QString::fromStdString(game.text())));

    QTest::keyClicks(name, "CON");
    QTest::mouseClick(part<QPushButton>("SaveSetupButton"), Qt::LeftButton);
    EXPECT_EQ(
        dialogs.texts(),
        std::vector<std::string>{"A setup cannot be called CON: Windows keeps the name CON for a device, so "
                                 "no file can have it. Please choose another name."});
    EXPECT_EQ(rowsOf(list()).size(), 2);

    dialogs.shown.clear();
    main->bots.BotSkillSlider.setValue(3);
    name->clear();
    name->setFocus();
    QTest::keyClicks(name, "Rail duel");
    QTest::keyClick(name, Qt::Key_Return);  // Enter in the name box saves
    EXPECT_EQ(rowsOf(list()), (QStringList{"Last game", "Friday CTF", "Rail duel"}));
    EXPECT_TRUE(rowSelected(list(), 2));
    const std::string saved = readBytes(store().fileOf("Rail duel"));
    EXPECT_NE(saved.find("\"BotSkillSlider\": 3"), std::string::npos);

    // Choosing a setup puts its name in the box: Save then replaces it.
    main->bots.BotSkillSlider.setValue(1);
    clickRow(list(), 1);
    EXPECT_EQ(name->text(), "Friday CTF");
    dialogs.answers = {Answer::No, Answer::Yes};
    QTest::mouseClick(part<QPushButton>("SaveSetupButton"), Qt::LeftButton);
    EXPECT_NE(readBytes(store().fileOf("Friday CTF")).find("\"CTFMapOption\": true"), std::string::npos);
    QTest::mouseClick(part<QPushButton>("SaveSetupButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(),
              std::vector<std::string>(
                  2, "A setup named \"Friday CTF\" is saved already. Replace it with the current game?"));
    EXPECT_EQ(store().load("Friday CTF", game.text()).value().setup, captureSetup(*main));
    EXPECT_EQ(readBytes(store().fileOf("Rail duel")), saved);

    QTest::keyClick(view, Qt::Key_Escape);
    expectClosed();
    EXPECT_TRUE(processes.starts.empty());
}

TEST_F(GameSetupsWindow, LoadPutsTheGameBackOnTheMainWindowAndADoubleClickAlsoPlaysIt) {
    openWindow();
    clickRow(list(), 1);
    QTest::mouseClick(part<QPushButton>("LoadSetupButton"), Qt::LeftButton);
    expectClosed();
    EXPECT_TRUE(find<QRadioButton>("CTFMapOption")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("AllowCheatsCheckBox")->isChecked());
    EXPECT_TRUE(processes.starts.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    main->maps.InternalMapOption.choose();
    openWindow();
    const QRect row = list()->visualRect(list()->model()->index(1, 0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    expectClosed();
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].commandLine, launchCommandLine(*main));
    EXPECT_NE(processes.starts[0].commandLine.find(" +map q2ctf1"), std::string::npos);
    EXPECT_EQ(store().load("Last game", game.text()).value().setup,
              store().load("Friday CTF", game.text()).value().setup);
}

TEST_F(GameSetupsWindow, DeleteAsksFirstAndTheFramesCloseGoesBack) {
    openWindow();
    clickRow(list(), 1);
    dialogs.answers = {Answer::No, Answer::Yes};
    QTest::mouseClick(part<QPushButton>("DeleteSetupButton"), Qt::LeftButton);
    EXPECT_EQ(rowsOf(list()).size(), 2);
    QTest::mouseClick(part<QPushButton>("DeleteSetupButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>(2, "Delete the setup \"Friday CTF\"?")));
    EXPECT_EQ(rowsOf(list()), QStringList{"Last game"});
    EXPECT_FALSE(store().exists("Friday CTF"));
    EXPECT_TRUE(part<QLineEdit>("SetupNameText")->text().isEmpty());
    EXPECT_FALSE(part<QPushButton>("LoadSetupButton")->isEnabled());

    // A setup deleted behind the window's back is told about; the window stays
    // until its frame is closed.
    clickRow(list(), 0);
    ASSERT_TRUE(store().remove("Last game"));
    QTest::mouseClick(part<QPushButton>("LaunchSetupButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.shown.back().text,
              "The setup \"Last game\" cannot be loaded.\r\n\r\nThere is no setup "
              "\"Last game\" for the game in " +
                  game.text() + ".");
    EXPECT_EQ(sideView(main->setups.form()), view);
    EXPECT_TRUE(rowsOf(list()).isEmpty());
    view->close();
    expectClosed();
    EXPECT_TRUE(processes.starts.empty());
}

}  // namespace
}  // namespace vexmoor::testing
