// Assistive technology works the controls through their accessible
// interfaces: it reads roles, names and states, and runs actions instead of
// clicking. Each such action has to reach the model exactly as a click does.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "core/paths.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

void act(QAccessibleInterface* face, const QString& action) {
    ASSERT_NE(face, nullptr);
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr) << face->text(QAccessible::Name).toStdString();
    ASSERT_TRUE(actions->actionNames().contains(action))
        << face->text(QAccessible::Name).toStdString() << " has no action " << action.toStdString();
    actions->doAction(action);
}

class AssistiveActions : public ViewTest {
protected:
    void SetUp() override { open(); }

    // A page tab, chosen through its own action.
    void pressTab(int index) {
        QAccessibleInterface* strip = accessible(find<QTabWidget>("BotTabStrip")->tabBar());
        ASSERT_NE(strip, nullptr);
        QAccessibleInterface* tab = strip->child(index);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        act(tab, QAccessibleActionInterface::pressAction());
        ASSERT_EQ(main->BotTabStrip.value(), index + 1);
    }
};

TEST_F(AssistiveActions, ACheckBoxToggledByItsActionChangesTheOption) {
    pressTab(4);
    QAccessibleInterface* cheats = accessible(find<QCheckBox>("AllowCheatsCheckBox"));
    ASSERT_NE(cheats, nullptr);
    EXPECT_EQ(cheats->role(), QAccessible::CheckBox);
    EXPECT_EQ(cheats->text(QAccessible::Name), "Allow Cheats");

    act(cheats, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(cheats->state().checked);
    EXPECT_EQ(main->gameplay.AllowCheatsCheckBox.state(), 1);
    EXPECT_EQ(main->gameplay.AllowCheatsCheckBox.fragment(), " +set cheats  1");

    // A flag box adds its bit as a click would, and takes it back.
    QAccessibleInterface* exit = accessible(find<QCheckBox>("AllowExitCheckBox"));
    act(exit, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(main->flags.total, 4096);
    act(exit, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(main->flags.total, 0);
    EXPECT_FALSE(exit->state().checked);

    // A switch the model refuses springs back for assistive technology too.
    writeBytes(game.root() / "eraser" / "bots.cfg", "[bots]\r\n[teams]\r\n[view weapons]\r\n");
    window.reset();
    main.reset();
    roster = Roster{};
    open();
    pressTab(3);
    QAccessibleInterface* teamplay = accessible(find<QCheckBox>("TeamplayCheckBox"));
    act(teamplay, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(main->teamplay.TeamplayCheckBox.state(), 0);
    EXPECT_FALSE(teamplay->state().checked);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.texts().back(), "No teams defined in bots.cfg");
}

TEST_F(AssistiveActions, OptionButtonsAreRadioButtonsChosenByTheirAction) {
    pressTab(1);
    QAccessibleInterface* random = accessible(find<QRadioButton>("SpawnRandomBotsOption"));
    QAccessibleInterface* specific = accessible(find<QRadioButton>("SpawnSpecificBotsOption"));
    ASSERT_NE(random, nullptr);
    ASSERT_NE(specific, nullptr);
    for (QAccessibleInterface* option : {random, specific}) {
        EXPECT_EQ(option->role(), QAccessible::RadioButton);
        EXPECT_TRUE(option->state().checkable);
    }
    EXPECT_EQ(specific->text(QAccessible::Name), "Spawn Specific Bots");
    EXPECT_TRUE(random->state().checked);
    EXPECT_FALSE(specific->state().checked);

    act(specific, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(main->bots.SpawnSpecificBotsOption.chosen());
    EXPECT_TRUE(specific->state().checked);
    EXPECT_FALSE(random->state().checked);
    EXPECT_TRUE(find<QListView>("SpecificBotList")->isEnabled());
    EXPECT_EQ(main->bots.BotNumberFrame.fragment(), "");

    // The action on the chosen button leaves it chosen, as a click does.
    act(specific, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(main->bots.SpawnSpecificBotsOption.chosen());
    EXPECT_TRUE(specific->state().checked);

    // A disabled option offers no action.
    main->bots.SpawnRandomBotsOption.setEnabled(false);
    EXPECT_FALSE(
        random->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
}

TEST_F(AssistiveActions, LaunchPressedByItsActionStartsTheGame) {
    pressTab(4);
    act(accessible(find<QCheckBox>("AllowCheatsCheckBox")), QAccessibleActionInterface::toggleAction());
    act(accessible(find<QPushButton>("LaunchButton")), QAccessibleActionInterface::pressAction());
    // The press is animated: the click comes a moment later.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !processes.starts.empty(); }, 5000));
    const std::string& line = processes.starts[0].commandLine;
    EXPECT_NE(line.find(" +set cheats  1"), std::string::npos) << line;
}

// A screen reader's "set text", a list's "select" and a scroll bar's
// "set value" are the user's changes: each reaches the model and its rule.
TEST_F(AssistiveActions, ValuesSetThroughTheInterfacesReachTheModel) {
    pressTab(5);
    QAccessibleInterface* path = accessible(find<QLineEdit>("ExePathText"));
    ASSERT_NE(path->editableTextInterface(), nullptr);
    const std::string withoutSeparator = game.text().substr(0, game.text().size() - 1);
    path->editableTextInterface()->replaceText(0, static_cast<int>(path->text(QAccessible::Value).size()),
                                               QString::fromStdString(withoutSeparator));
    EXPECT_EQ(main->gameDirectory(), withoutSeparator);
    QTest::mouseClick(find<QPushButton>("SaveChangesButton"), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.texts().back(), std::string("Last character of Quake 2 .exe path needs to be a ") +
                                          kPathSeparator + ". Changes not saved.");

    pressTab(1);
    QAccessibleInterface* count = accessible(find<QLineEdit>("BotNumText"));
    count->editableTextInterface()->replaceText(0, 1, QStringLiteral("31"));
    // Refused as typing it is: a beep, and the field shows what the model holds.
    EXPECT_EQ(alert.beeps, 1);
    EXPECT_EQ(main->bots.BotNumText.text(), "0");
    EXPECT_EQ(find<QLineEdit>("BotNumText")->text(), "0");

    QAccessibleInterface* scroll = accessible(find<QScrollBar>("BotNumScroll"));
    ASSERT_NE(scroll->valueInterface(), nullptr);
    scroll->valueInterface()->setCurrentValue(7);
    EXPECT_EQ(main->bots.BotNumText.text(), "7");

    main->bots.SpawnSpecificBotsOption.choose();
    QAccessibleInterface* list = accessible(find<QListView>("SpecificBotList"));
    ASSERT_NE(list->tableInterface(), nullptr);
    QAccessibleInterface* second = list->child(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(QAccessible::Name), "Bot 0002");
    // What the AT-SPI bridge calls for its Selection interface.
    list->tableInterface()->selectRow(1);
    EXPECT_EQ(main->bots.SpecificBotList.selectedItems(), std::vector<std::string>{"Bot 0002"});
}

}  // namespace
}  // namespace vexmoor::testing
