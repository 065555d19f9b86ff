// The keys of the main window and the editors, one row each: the key (or a
// double click), where it is pressed, and what happened.
#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "options/map_cycle_edit_form.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

constexpr int kDoubleClick = 0;  // a double click on the first row instead of a key

class Shortcuts : public ViewTest {
protected:
    QWidget* editorFrom(Button& opener) {
        opener.click();
        settle();
        return sideView(main->editor());
    }
    template <class Form>
    Form& form() {
        return *dynamic_cast<Form*>(main->editor());
    }
};

TEST_F(Shortcuts, EachKeyDoesWhatItsButtonOrMenuEntryDoes) {
    game.withChat("-- Greetings\r\nHi.\r\n");
    struct Row {
        const char* what;
        std::function<QWidget*()> window;  // opened and made ready
        const char* target;                // the widget that has the keyboard
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> happened;
    };
    const Row rows[] = {
        {"F5 launches", [this] { return window.get(); }, "LaunchButton", Qt::Key_F5, Qt::NoModifier,
         [this] { EXPECT_EQ(processes.starts.size(), 1u); }},
        {"Ctrl+Q ends the program", [this] { return window.get(); }, "BotTabStrip", Qt::Key_Q, Qt::ControlModifier,
         [this] { EXPECT_EQ(windows.quits, 1); }},
        {"Ctrl+Q in an editor asks about its changes first",
         [this] {
             QWidget* view = editorFrom(main->bots.EditChatButton);
             form<ChatEditForm>().ChatList(0).setItem(0, "Hello.");
             dialogs.answers = {Answer::WithoutWriting};
             return view;
         },
         "ChatList0", Qt::Key_Q, Qt::ControlModifier,
         [this] {
             EXPECT_EQ(dialogs.texts().back(), "The chat lines have changes that are not written to eraser/chat.txt.");
             EXPECT_EQ(windows.quits, 1);
         }},
        {"Ctrl+N adds a bot", [this] { return editorFrom(main->bots.BotEditButton); }, "BotNameList", Qt::Key_N,
         Qt::ControlModifier, [this] { EXPECT_NE(sideView(form<BotConfigForm>().newBotName()), nullptr); }},
        {"Ctrl+S commits the bots", [this] { return editorFrom(main->bots.BotEditButton); }, "BotNameList",
         Qt::Key_S, Qt::ControlModifier, [this] { EXPECT_EQ(dialogs.texts().back(), "Bots.cfg file written."); }},
        {"Enter edits the bot", [this] { return editorFrom(main->bots.BotEditButton); }, "BotNameList",
         Qt::Key_Return, Qt::NoModifier, [this] { EXPECT_TRUE(form<BotConfigForm>().ModelList.visible()); }},
        {"a double click edits the bot", [this] { return editorFrom(main->bots.BotEditButton); }, "BotNameList",
         kDoubleClick, Qt::NoModifier, [this] { EXPECT_TRUE(form<BotConfigForm>().ModelList.visible()); }},
        {"Ctrl+N adds a team", [this] { return editorFrom(main->teamplay.EditTeamButton); }, "TeamList", Qt::Key_N,
         Qt::ControlModifier, [this] { EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Add); }},
        {"a double click edits the team", [this] { return editorFrom(main->teamplay.EditTeamButton); }, "TeamList",
         kDoubleClick, Qt::NoModifier,
         [this] { EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Edit); }},
        {"Ctrl+S saves the team",
         [this] {
             QWidget* view = editorFrom(main->teamplay.EditTeamButton);
             form<EditTeamForm>().TeamList.setSelectedIndex(0);
             form<EditTeamForm>().EditButton.click();
             return view;
         },
         "TeamNameShortText", Qt::Key_S, Qt::ControlModifier,
         [this] {
             EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Browse);
             EXPECT_EQ(dialogs.texts().back(), "Bots.cfg file written.");
         }},
        {"Insert adds a chat line", [this] { return editorFrom(main->bots.EditChatButton); }, "ChatList0",
         Qt::Key_Insert, Qt::NoModifier,
         [this] { EXPECT_EQ(form<ChatEditForm>().lineDialog()->mode(), ChatTextEditForm::Mode::Add); }},
        {"a double click edits the chat line", [this] { return editorFrom(main->bots.EditChatButton); },
         "ChatList0", kDoubleClick, Qt::NoModifier,
         [this] { EXPECT_EQ(form<ChatEditForm>().lineDialog()->mode(), ChatTextEditForm::Mode::Edit); }},
        {"Ctrl+S commits the chat", [this] { return editorFrom(main->bots.EditChatButton); }, "ChatList0",
         Qt::Key_S, Qt::ControlModifier,
         [this] {
             EXPECT_EQ(readBytes(game.root() / "eraser" / "chat.txt").rfind("-- Greetings\r\nHi.\r\n", 0), 0u);
             EXPECT_FALSE(form<ChatEditForm>().hasUnwrittenChanges());
         }},
        {"Ctrl+S commits the map cycle",
         [this] {
             QWidget* view = editorFrom(main->maps.EditMapCycleButton);
             form<MapCycleEditForm>().MapsSelectedList.addItem("base1");
             return view;
         },
         "MapsSelectedList", Qt::Key_S, Qt::ControlModifier,
         [this] { EXPECT_EQ(readBytes(game.root() / "eraser" / "maps.txt"), "q2dm1\r\nbase1\r\n"); }},
        {"Escape in an empty filter is the window's way back",
         [this] { return editorFrom(main->bots.BotEditButton); }, "BotNameFilter", Qt::Key_Escape,
         Qt::NoModifier, [this] { EXPECT_EQ(sideView(main->editor()), nullptr); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        windows.quits = 0;
        reopen();
        QWidget* shown = row.window();
        ASSERT_NE(shown, nullptr);
        shown->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
        auto* target = shown->findChild<QWidget*>(row.target);
        ASSERT_NE(target, nullptr);
        if (row.key == kDoubleClick) {
            auto* list = qobject_cast<QListView*>(target);
            const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
        } else {
            target->setFocus();
            QTest::keyClick(target, static_cast<Qt::Key>(row.key), row.modifiers);
        }
        settle();
        row.happened();
    }

    // The menus and the buttons' tooltips name the keys; the mnemonics stay.
    EXPECT_EQ(find<QAction>("LaunchMenu")->shortcut().toString(), "F5");
    EXPECT_EQ(find<QAction>("ExitMenu")->shortcut().toString(), "Ctrl+Q");
    EXPECT_EQ(find<QAction>("ExitMenu")->text(), "E&xit");
    EXPECT_EQ(find<QPushButton>("LaunchButton")->toolTip(), "Launches Quake 2 (F5)");
    QWidget* bots = editorFrom(main->bots.BotEditButton);
    EXPECT_EQ(bots->findChild<QPushButton*>("CommitChangesButton")->toolTip(), "Commit Changes (Ctrl+S)");
    EXPECT_EQ(bots->findChild<QPushButton*>("NewBotButton")->toolTip(), "New Bot (Ctrl+N)");
}

}  // namespace
}  // namespace vexmoor::testing
