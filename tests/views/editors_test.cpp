#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "options/map_cycle_edit_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

QString accessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

class Editors : public ViewTest {
protected:
    template <class W>
    static W* part(QWidget* view, const char* name) {
        W* found = view->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* view, const char* button) {
        QTest::mouseClick(part<QPushButton>(view, button), Qt::LeftButton);
    }
    std::filesystem::path file(const char* name) const { return game.root() / "eraser" / name; }
};

TEST_F(Editors, ChatLinesAreAddedThroughTheLineDialogAndCommitted) {
    game.withChat("-- Greetings\r\nEvening.\r\n-- Come-backs\r\nNot today.\r\n");
    QWidget* editor = openEditor(1, "EditChatButton");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Bot Chatter Editor");
    EXPECT_FALSE(window->isEnabled());
    auto* categories = part<QListView>(editor, "ChatTypeList");
    EXPECT_EQ(accessibleName(categories), "Chat categories");
    EXPECT_EQ(rowsOf(categories).size(), 8);
    auto* comebacks = part<QListView>(editor, "ChatList4");
    EXPECT_EQ(accessibleName(comebacks), "Chat lines");
    EXPECT_TRUE(part<QListView>(editor, "ChatList0")->isVisible());
    EXPECT_FALSE(comebacks->isVisible());

    clickRow(categories, 4);
    EXPECT_TRUE(comebacks->isVisible());
    EXPECT_FALSE(part<QListView>(editor, "ChatList0")->isVisible());
    EXPECT_EQ(rowsOf(comebacks), QStringList{"Not today."});
    EXPECT_TRUE(rowSelected(comebacks, 0));

    // The line dialog: the editor waits; Escape cancels, Enter commits.
    auto* chat = dynamic_cast<ChatEditForm*>(main->editor());
    ASSERT_NE(chat, nullptr);
    click(editor, "AddButton");
    QWidget* line = sideView(chat->lineDialog());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->windowTitle(), "Add Chat Text");
    EXPECT_FALSE(editor->isEnabled());
    QTest::keyClick(line, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(editor->isEnabled());
    click(editor, "AddButton");
    line = sideView(chat->lineDialog());
    ASSERT_NE(line, nullptr);
    auto* text = part<QLineEdit>(line, "ChatText");
    EXPECT_EQ(accessibleName(text), "Chat text");
    type(text, QStringLiteral("-- Again, %s?"));
    EXPECT_TRUE(part<QLabel>(line, "WarningLabel")->isVisible());
    text->clear();
    type(text, QStringLiteral("Again, %s?"));
    EXPECT_FALSE(part<QLabel>(line, "WarningLabel")->isVisible());
    QTest::keyClick(text, Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(chat->lineDialog()), nullptr);
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(rowsOf(comebacks), (QStringList{"Not today.", "Again, %s?"}));

    click(editor, "CommitButton");
    EXPECT_EQ(readBytes(file("chat.txt")),
              "-- Greetings\r\nEvening.\r\n\r\n-- Insults (general)\r\n\r\n-- Insults (kicking ass)\r\n\r\n"
              "-- Insults (losing, coming back)\r\n\r\n-- Come-backs\r\nNot today.\r\nAgain, %s?\r\n\r\n"
              "-- TEAMPLAY: Help!\r\n\r\n-- TEAMPLAY: Drop Item (not implemented yet)\r\n\r\n"
              "-- TEAMPLAY: Let's Group!\r\n\r\n");
    // Nothing refused: the warning line names the empty sections the game would crash on.
    EXPECT_TRUE(part<QLabel>(editor, "WarningLabel")->isVisible());
    EXPECT_TRUE(dialogs.shown.empty());

    click(editor, "ReturnButton");
    settle();
    EXPECT_EQ(sideView(main->editor()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(Editors, MapsAreAddedAndInsertedIntoTheCycleAndCommitted) {
    game.withMapCycle("q2dm1,q2dm2\r\n");
    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Edit Map Cycle");
    EXPECT_FALSE(window->isEnabled());
    auto* available = part<QListView>(editor, "MapsAvailableList");
    auto* cycle = part<QListView>(editor, "MapsSelectedList");
    EXPECT_EQ(accessibleName(available), "Available maps");
    EXPECT_EQ(accessibleName(cycle), "Map cycle");
    const QStringList known = rowsOf(available);
    EXPECT_EQ(known.mid(45, 4), (QStringList{"boss2", "alpha", "beta", "q2ctf1"}));
    // The first map is current but not chosen: Add copies nothing.
    EXPECT_EQ(currentText(available), "q2dm1");
    EXPECT_TRUE(available->selectionModel()->selectedRows().isEmpty());
    click(editor, "AddButton");
    EXPECT_EQ(rowsOf(cycle), (QStringList{"q2dm1", "q2dm2"}));
    EXPECT_TRUE(rowSelected(cycle, 0));

    // A click chooses one map, Ctrl adds another; Enter in the list is Add.
    clickRow(available, 8);
    const QModelIndex ctf = available->model()->index(48, 0);
    available->scrollTo(ctf);
    QTest::mouseClick(available->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      available->visualRect(ctf).center());
    QTest::keyClick(available, Qt::Key_Return);
    EXPECT_EQ(rowsOf(cycle), (QStringList{"q2dm1", "q2dm2", "base1", "q2ctf1"}));

    // Insert before the chosen entry, which moves down with it.
    clickRow(cycle, 1);
    clickRow(available, 46);
    click(editor, "InsertButton");
    EXPECT_EQ(rowsOf(cycle), (QStringList{"q2dm1", "alpha", "q2dm2", "base1", "q2ctf1"}));
    EXPECT_TRUE(rowSelected(cycle, 2));

    click(editor, "CommitButton");
    EXPECT_EQ(readBytes(file("maps.txt")), "q2dm1\r\nalpha\r\nq2dm2\r\nbase1\r\nq2ctf1\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(editor->isVisible());

    click(editor, "CancelButton");
    settle();
    EXPECT_EQ(sideView(main->editor()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace vexmoor::testing
