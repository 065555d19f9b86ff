// The editors' lists worked from the keyboard: Delete deletes the chosen
// entry (asking where its button asks), and the map cycle's order changes
// with Alt+Up and Alt+Down or the Move buttons' mnemonics.
#include <gtest/gtest.h>

#include <QListView>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "options/map_cycle_edit_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class EditorKeys : public ViewTest {
protected:
    static void press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        widget->setFocus();
        QTest::keyClick(widget, static_cast<Qt::Key>(key), modifiers);
        settle();
    }
};

TEST_F(EditorKeys, DeleteInAListDeletesItsChosenEntryAfterTheButtonsQuestion) {
    game.withChat("-- Greetings\r\nHi.\r\nHello.\r\n").withMapCycle("q2dm1\r\nq2dm2\r\n");
    const struct {
        int tab;
        const char* opener;
        const char* list;
        const char* question;  // nullptr: deleted without one
    } lists[] = {
        {1, "BotEditButton", "BotNameList", "Are you sure you want to delete "},
        {3, "EditTeamButton", "TeamList", "Are you sure that you want to delete the team "},
        {1, "EditChatButton", "ChatList0", "Are you sure you want to delete Hi.?"},
        {2, "EditMapCycleButton", "MapsSelectedList", nullptr},
    };
    open();
    for (const auto& c : lists) {
        SCOPED_TRACE(c.list);
        showTab(c.tab);
        QTest::mouseClick(find<QPushButton>(c.opener), Qt::LeftButton);
        settle();
        QWidget* editor = sideView(main->editor());
        ASSERT_NE(editor, nullptr);
        auto* list = editor->findChild<QListView*>(c.list);
        clickRow(list, 0);
        const int rows = list->model()->rowCount();
        dialogs.shown.clear();
        if (c.question) {
            dialogs.answers = {Answer::No};
            press(list, Qt::Key_Delete);
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text.rfind(c.question, 0), 0u) << dialogs.shown[0].text;
            EXPECT_EQ(list->model()->rowCount(), rows);
            dialogs.answers = {Answer::Yes};
        }
        press(list, Qt::Key_Delete);
        EXPECT_EQ(list->model()->rowCount(), rows - 1);
        dialogs.answers = {Answer::WithoutWriting};  // where the deletion is not written yet
        editor->close();
        settle();
        ASSERT_TRUE(window->isEnabled());
    }
}

TEST_F(EditorKeys, TheMapCycleOrderChangesFromTheKeyboardAndTheChosenEntryStaysChosen) {
    game.withMapCycle("q2dm1\r\nq2dm2\r\nq2dm3\r\n");
    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_NE(editor, nullptr);
    auto* cycle = editor->findChild<QListView*>("MapsSelectedList");
    const auto& model = dynamic_cast<MapCycleEditForm*>(main->editor())->MapsSelectedList;
    EXPECT_EQ(editor->findChild<QPushButton*>("MoveUpButton")->text(), "Move &Up");
    EXPECT_EQ(editor->findChild<QPushButton*>("MoveDownButton")->text(), "Move &Down");

    press(cycle, Qt::Key_Down, Qt::AltModifier);
    press(cycle, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(rowsOf(cycle), (QStringList{"q2dm2", "q2dm3", "q2dm1"}));
    EXPECT_TRUE(rowSelected(cycle, 2));
    EXPECT_EQ(model.selectedIndex(), 2);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    press(cycle, Qt::Key_U, Qt::AltModifier);  // the button's mnemonic, an animated click
    EXPECT_TRUE(QTest::qWaitFor([&model] { return model.selectedIndex() == 1; }));
    EXPECT_EQ(rowsOf(cycle), (QStringList{"q2dm2", "q2dm1", "q2dm3"}));
    EXPECT_EQ(currentText(cycle), "q2dm1");
    EXPECT_TRUE(rowSelected(cycle, 1));
    press(cycle, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(model.items(), (std::vector<std::string>{"q2dm1", "q2dm2", "q2dm3"}));
}

TEST_F(EditorKeys, TakingHoldOfASliderAtItsEndStoresTheValueItShows) {
    game.withRoster("[bots]\r\n\"Odd\"\"rook/slate\" 7  0  3  2  0  0  50 \r\n[teams]\r\n[view weapons]\r\n")
        .withModel("rook", {"slate.pcx"});
    QWidget* editor = openEditor(1, "BotEditButton");
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->findChild<QPushButton*>("EditBotButton"), Qt::LeftButton);
    auto* accuracy = editor->findChild<QSlider*>("FiringAccuracySlider");
    auto* aggressiveness = editor->findChild<QSlider*>("AgressivenessSlider");
    ASSERT_EQ(accuracy->value(), 5);
    ASSERT_EQ(aggressiveness->value(), 1);

    QStyleOptionSlider handle;
    handle.initFrom(accuracy);
    handle.orientation = accuracy->orientation();
    handle.minimum = accuracy->minimum();
    handle.maximum = accuracy->maximum();
    handle.sliderPosition = handle.sliderValue = accuracy->value();
    const QRect rect = accuracy->style()->subControlRect(QStyle::CC_Slider, &handle, QStyle::SC_SliderHandle, accuracy);
    QTest::mouseClick(accuracy, Qt::LeftButton, Qt::NoModifier, rect.center());
    press(aggressiveness, Qt::Key_Home);
    EXPECT_EQ(roster.BotAccuracy[0], RosterValue::number(5));
    EXPECT_EQ(roster.BotAgressiveness[0], RosterValue::number(1));
    EXPECT_EQ(roster.BotCombatSkills[0], RosterValue::number(3));
}

}  // namespace
}  // namespace vexmoor::testing
