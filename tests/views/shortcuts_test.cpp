// The keys of the main window and the editors, one row each: where the key
// (or a double click on the first row) goes, and what happened.
#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "core/paths.h"
#include "options/map_cycle_edit_form.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

constexpr int kDoubleClick = 0;
enum class In { Main, Bots, Teams, Chat, Cycle };

class Shortcuts : public ViewTest {
protected:
    Button* opener(In in) const {
        switch (in) {
            case In::Bots: return &main->bots.BotEditButton;
            case In::Teams: return &main->teamplay.EditTeamButton;
            case In::Chat: return &main->bots.EditChatButton;
            case In::Cycle: return &main->maps.EditMapCycleButton;
            case In::Main: break;
        }
        return nullptr;
    }
    template <class Form>
    Form& form() {
        return *dynamic_cast<Form*>(main->editor());
    }
    std::string lastMessage() const { return dialogs.shown.empty() ? "" : dialogs.shown.back().text; }
};

TEST_F(Shortcuts, EachKeyDoesWhatItsButtonOrMenuEntryDoes) {
    game.withChat("-- Greetings\r\nHi.\r\n");
    struct Row {
        In in;
        std::function<void()> prepare;
        const char* target;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> happened;
    };
    const auto none = [] {};
    const Row rows[] = {
        {In::Main, none, "LaunchButton", Qt::Key_F5, {}, [this] { EXPECT_EQ(processes.starts.size(), 1u); }},
        {In::Main, none, "BotTabStrip", Qt::Key_Q, Qt::ControlModifier, [this] { EXPECT_EQ(windows.quits, 1); }},
        {In::Chat, [this] { form<ChatEditForm>().ChatList(0).setItem(0, "Hello."); }, "ChatList0", Qt::Key_Q,
         Qt::ControlModifier,
         [this] {  // asked first, answered Discard
             EXPECT_EQ(lastMessage(), "The chat lines have changes that are not written to " +
                                          nativeSeparators("eraser\\chat.txt") + ".");
             EXPECT_EQ(windows.quits, 1);
         }},
        {In::Bots, none, "BotNameList", Qt::Key_N, Qt::ControlModifier,
         [this] { EXPECT_NE(sideView(form<BotConfigForm>().newBotName()), nullptr); }},
        {In::Bots, none, "BotNameList", Qt::Key_S, Qt::ControlModifier,
         [this] { EXPECT_EQ(lastMessage(), "Bots.cfg file written."); }},
        {In::Bots, none, "BotNameList", Qt::Key_Return, {},
         [this] { EXPECT_TRUE(form<BotConfigForm>().ModelList.visible()); }},
        {In::Bots, none, "BotNameList", kDoubleClick, {}, [this] { EXPECT_TRUE(form<BotConfigForm>().ModelList.visible()); }},
        {In::Bots, none, "BotNameFilter", Qt::Key_Escape, {}, [this] { EXPECT_EQ(sideView(main->editor()), nullptr); }},
        {In::Teams, none, "TeamList", Qt::Key_N, Qt::ControlModifier,
         [this] { EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Add); }},
        {In::Teams, none, "TeamList", kDoubleClick, {},
         [this] { EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Edit); }},
        {In::Teams,
         [this] {
             form<EditTeamForm>().TeamList.setSelectedIndex(0);
             form<EditTeamForm>().EditButton.click();
         },
         "TeamNameShortText", Qt::Key_S, Qt::ControlModifier,
         [this] { EXPECT_EQ(form<EditTeamForm>().state(), EditTeamForm::State::Browse); }},
        {In::Chat, none, "ChatList0", Qt::Key_Insert, {},
         [this] { EXPECT_EQ(form<ChatEditForm>().lineDialog()->mode(), ChatTextEditForm::Mode::Add); }},
        {In::Chat, none, "ChatList0", kDoubleClick, {},
         [this] { EXPECT_EQ(form<ChatEditForm>().lineDialog()->mode(), ChatTextEditForm::Mode::Edit); }},
        {In::Chat, [this] { form<ChatEditForm>().ChatList(0).setItem(0, "Hey."); }, "ChatList0", Qt::Key_S,
         Qt::ControlModifier,
         [this] { EXPECT_EQ(readBytes(game.root() / "eraser" / "chat.txt").rfind("-- Greetings\r\nHey.\r\n", 0), 0u); }},
        {In::Cycle, [this] { form<MapCycleEditForm>().MapsSelectedList.addItem("base1"); }, "MapsSelectedList",
         Qt::Key_S, Qt::ControlModifier,
         [this] { EXPECT_EQ(readBytes(game.root() / "eraser" / "maps.txt"), "q2dm1\r\nbase1\r\n"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.target) + " " + std::to_string(row.key));
        windows.quits = 0;
        dialogs.answers = {Answer::WithoutWriting};
        reopen();
        if (Button* button = opener(row.in)) button->click();
        row.prepare();
        settle();
        QWidget* shown = row.in == In::Main ? window.get() : sideView(main->editor());
        shown->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
        auto* target = shown->findChild<QWidget*>(row.target);
        if (auto* list = qobject_cast<QListView*>(target); row.key == kDoubleClick) {
            const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
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
    main->bots.BotEditButton.click();
    QWidget* editor = sideView(main->editor());
    EXPECT_EQ(editor->findChild<QPushButton*>("CommitChangesButton")->toolTip(), "Commit Changes (Ctrl+S)");
    EXPECT_EQ(editor->findChild<QPushButton*>("NewBotButton")->toolTip(), "New Bot (Ctrl+N)");
}

}  // namespace
}  // namespace vexmoor::testing
