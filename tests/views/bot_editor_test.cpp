#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "roster/bot_config_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

const std::string kRoster =
    "[bots]\r\n"
    "\"Rook\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n"
    "\"Wren Ashby\"\"wren/ember\" 4  3  3  5  1  0  45 \r\n"
    "[teams]\r\n"
    "\"Moor\"\"MW\"\"rook/slate\"[\"Rook\"]\r\n"
    "[view weapons]\r\n"
    "\"w_blaster\"\r\n";

class BotEditorView : public ViewTest {
protected:
    void SetUp() override {
        game.withRoster(kRoster)
            .withModel("rook", {"slate.pcx", "moss.pcx", "slate_i.pcx", "weapon.pcx"})
            .withModel("wren", {"ember.pcx", "frost.pcx", "ember_i.pcx", "weapon.pcx"});
        open();
        showTab(1);
        QTest::mouseClick(find<QPushButton>("BotEditButton"), Qt::LeftButton);
        editor = static_cast<BotConfigForm*>(main->editor());
        ASSERT_NE(editor, nullptr);
        view = sideView(editor);
        ASSERT_NE(view, nullptr);
    }

    template <class W>
    static W* in(QWidget* parent, const char* name) {
        return parent->findChild<W*>(QLatin1String(name));
    }
    void click(QWidget* parent, const char* button) {
        QTest::mouseClick(in<QPushButton>(parent, button), Qt::LeftButton);
        settle();
    }

    BotConfigForm* editor = nullptr;
    QWidget* view = nullptr;
};

TEST_F(BotEditorView, ANewBotTypedCommittedAndLaunched) {
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "Bot Configuration");
    EXPECT_FALSE(window->isEnabled());
    auto* names = in<QListView>(view, "BotNameList");
    EXPECT_EQ(rowsOf(names), (QStringList{"Rook", "Wren Ashby"}));
    EXPECT_EQ(in<QGroupBox>(view, "BotInfoFrame")->title(), "Rook");
    EXPECT_FALSE(in<QGroupBox>(view, "BotInfoFrame")->isEnabled());
    EXPECT_EQ(in<QLabel>(view, "BotFavoriteWeapon")->text(), "Pistol");
    EXPECT_TRUE(in<QLabel>(view, "BotWarningLabel")->isVisible());

    click(view, "NewBotButton");
    QWidget* dialog = sideView(editor->newBotName());
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(view->isEnabled());
    auto* name = in<QLineEdit>(dialog, "NewBotNameText");
    EXPECT_EQ(dialog->focusWidget(), name);
    type(name, "Dunlin");
    QTest::keyClick(name, Qt::Key_Return);
    settle();
    EXPECT_EQ(dialogs.texts().back(),
              "New bot has been added with default values. Edit the bot with the Edit Bot button.");
    EXPECT_EQ(sideView(editor->newBotName()), nullptr);
    EXPECT_TRUE(view->isEnabled());
    EXPECT_EQ(currentText(names), "Dunlin");
    // Behind the editor the main window shows the bots as they were until it is back.
    EXPECT_EQ(rowsOf(find<QListView>("SpecificBotList")), (QStringList{"Rook", "Wren Ashby"}));

    click(view, "EditBotButton");
    auto* models = in<QListView>(view, "ModelList");
    auto* skins = in<QListView>(view, "SkinList");
    EXPECT_TRUE(models->isVisible());
    EXPECT_EQ(rowsOf(models), (QStringList{"rook", "wren"}));
    EXPECT_EQ(currentText(models), "rook");  // "male" is not installed
    clickRow(models, 1);
    EXPECT_EQ(rowsOf(skins), (QStringList{"ember", "frost"}));
    clickRow(skins, 1);
    click(view, "CommitChangesButton");
    std::string expected = kRoster;
    expected.insert(expected.find("[teams]"), "\"Dunlin\"\"wren/frost\" 2  2  2  2  0  0  100 \r\n");
    EXPECT_EQ(readBytes(game.root() / "eraser" / "bots.cfg"), expected);

    QTest::keyClick(names, Qt::Key_Escape);  // Return to Main
    settle();
    EXPECT_EQ(sideView(editor), nullptr);
    EXPECT_TRUE(window->isEnabled());
    auto* bots = find<QListView>("SpecificBotList");
    EXPECT_EQ(rowsOf(bots), (QStringList{"Rook", "Wren Ashby", "Dunlin"}));
    clickMark(find<QRadioButton>("SpawnSpecificBotsOption"));
    clickRow(bots, 2);
    QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Dunlin\r\n");
    EXPECT_EQ(processes.starts.size(), 1u);
}

TEST_F(BotEditorView, NamedForAssistiveTechnologyAndWorkedFromTheKeyboard) {
    const std::pair<const char*, const char*> named[] = {{"BotNameList", "Bots"},
                                                         {"ModelList", "Bot model"},
                                                         {"SkinList", "Bot skin"},
                                                         {"FiringAccuracySlider", "Firing accuracy"},
                                                         {"AgressivenessSlider", "Aggressiveness"},
                                                         {"CombatSkillsSlider", "Combat skills"},
                                                         {"FavoriteWeaponSlider", "Favorite weapon"},
                                                         {"PingText", "Average ping"},
                                                         {"QuadFreakCheckBox", "Quad Freak"},
                                                         {"CommitChangesButton", "Commit Changes"}};
    for (const auto& [object, accessible] : named) {
        QWidget* widget = in<QWidget>(view, object);
        ASSERT_NE(widget, nullptr) << object;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), accessible);
    }
    EXPECT_EQ(in<QSlider>(view, "FavoriteWeaponSlider")->accessibleDescription(), "Pistol");

    // Top to bottom, then the buttons in their row.
    QStringList order;
    QWidget* widget = in<QWidget>(view, "BotNameList");
    for (int i = 0; i < 15; ++i, widget = widget->nextInFocusChain()) {
        while (widget->focusPolicy() == Qt::NoFocus) widget = widget->nextInFocusChain();
        order << widget->objectName();
    }
    EXPECT_EQ(order, (QStringList{"BotNameList", "ModelList", "SkinList", "FiringAccuracySlider",
                                  "AgressivenessSlider", "CombatSkillsSlider", "FavoriteWeaponSlider",
                                  "PingText", "QuadFreakCheckBox", "CamperCheckBox", "NewBotButton",
                                  "EditBotButton", "DeleteBotButton", "CommitChangesButton", "ExitButton"}));

    // Enter on a focused button presses it; in the ping field it presses nothing.
    auto* ping = in<QLineEdit>(view, "PingText");
    QTest::keyClick(ping, Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(editor->newBotName()), nullptr);
    in<QPushButton>(view, "NewBotButton")->setFocus();
    QTest::keyClick(in<QPushButton>(view, "NewBotButton"), Qt::Key_Return);
    settle();
    QWidget* dialog = sideView(editor->newBotName());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(in<QLineEdit>(dialog, "NewBotNameText"))
                  ->text(QAccessible::Name),
              "New bot name");
    type(in<QLineEdit>(dialog, "NewBotNameText"), "Eraser");
    EXPECT_TRUE(in<QLabel>(dialog, "NewBotWarningLabel")->isVisible());
    QTest::keyClick(in<QLineEdit>(dialog, "NewBotNameText"), Qt::Key_Escape);  // Cancel
    settle();
    EXPECT_EQ(sideView(editor->newBotName()), nullptr);
    EXPECT_EQ(roster.BotCount, 2);
    EXPECT_TRUE(view->isEnabled());

    view->close();  // the frame's close: Return to Main
    settle();
    EXPECT_EQ(sideView(editor), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace vexmoor::testing
