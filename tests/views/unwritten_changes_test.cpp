// The four editors closed through the frame with no change, a change, or a
// change undone by hand, under each answer given on the real message box
// (Escape included): what the file, the memory and the windows hold after.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "chat/chat_edit_form.h"
#include "chat/chat_file.h"
#include "core/paths.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"
#include "platform/qt_dialogs.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

enum class Reply { Write, Discard, Cancel, Escape };

class UnwrittenChanges : public ViewTest {
protected:
    // The question goes to a real message box, answered as a user would.
    void answerOnTheBox(Reply reply) {
        dialogs.respond = [this, reply](const Message& m) -> std::optional<Answer> {
            if (m.buttons == Buttons::Ok || m.buttons == Buttons::YesNo) return std::nullopt;
            QTimer::singleShot(0, [this, reply] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                for (QAbstractButton* b : box->buttons()) buttons.insert(b->text());
                defaultButton = box->defaultButton()->text();
                if (reply == Reply::Escape) return QTest::keyClick(box, Qt::Key_Escape);
                for (QAbstractButton* b : box->buttons())
                    if ((reply == Reply::Write) == b->text().startsWith("&Write") &&
                        (reply == Reply::Cancel) == (b->text() == "Cancel"))
                        return QTest::mouseClick(b, Qt::LeftButton);
            });
            return QtDialogs().show(m);
        };
    }
    template <class Form>
    Form* open() const {
        auto* form = dynamic_cast<Form*>(main->editor());
        return form && sideView(form) ? form : nullptr;
    }
    std::set<QString> buttons;
    QString defaultButton;
};

TEST_F(UnwrittenChanges, EveryEditorKeepsOrDropsWhatTheAnswerSaysAndAsksOnlyWhenSomethingWouldBeLost) {
    game.withChat("-- Greetings\r\nHi.\r\n").withMapCycle("q2dm1\r\nq2dm2\r\n");
    const char* names[] = {"bots.cfg", "chat.txt", "maps.txt"};
    std::vector<std::string> files;
    for (const char* name : names) files.push_back(readBytes(game.root() / "eraser" / name));
    const std::string ping = std::to_string(static_cast<int>(rosterFile().BotPing[0].asNumber()));
    struct Editor {
        std::string question;
        std::function<void()> open;
        std::function<void(bool make)> change;
        std::function<std::string()> inFile, inMemory;  // in memory: "" once the editor's lists are gone
        std::string before, after;
    };
    const Editor editors[] = {
        {"The bots have changes that are not written to " + nativeSeparators("eraser\\bots.cfg") + ".",
         [this] { main->bots.BotEditButton.click(); },
         [this, ping](bool make) { open<BotConfigForm>()->PingText.setText(make ? "77" : ping); },
         [this] { return std::to_string(static_cast<int>(rosterFile().BotPing[0].asNumber())); },
         [this] { return std::to_string(static_cast<int>(roster.BotPing[0].asNumber())); }, ping, "77"},
        {"The team Team 01 has changes that are not written to " + nativeSeparators("eraser\\bots.cfg") + ".",
         [this] {
             main->teamplay.EditTeamButton.click();
             open<EditTeamForm>()->TeamList.setSelectedIndex(0);
             open<EditTeamForm>()->EditButton.click();
         },
         [this](bool make) { open<EditTeamForm>()->TeamNameShortText.setText(make ? "TX" : "T1"); },
         [this] { return rosterFile().TeamShortNames[0]; }, [this] { return roster.TeamShortNames[0]; }, "T1",
         "TX"},
        {"The chat lines have changes that are not written to " + nativeSeparators("eraser\\chat.txt") + ".",
         [this] { main->bots.EditChatButton.click(); },
         [this](bool make) {
             open<ChatEditForm>()->EditButton.click();
             open<ChatEditForm>()->lineDialog()->ChatText.setText(make ? "Hello." : "Hi.");
             open<ChatEditForm>()->lineDialog()->CommitButton.click();
         },
         [this] { return readChatFile(game.root() / "eraser" / "chat.txt").value()[0][0]; },
         [this] { return open<ChatEditForm>() ? std::string(open<ChatEditForm>()->ChatList(0).items()[0]) : ""; }, "Hi.",
         "Hello."},
        {"The map cycle has changes that are not written to " + nativeSeparators("eraser\\maps.txt") + ".",
         [this] { main->maps.EditMapCycleButton.click(); },
         [this](bool make) {
             auto* e = open<MapCycleEditForm>();
             (make ? e->MoveDownButton : e->MoveUpButton).click();
         },
         [this] { return readMapCycle(game.root() / "eraser" / "maps.txt").value()[0]; },
         [this] {
             return open<MapCycleEditForm>() ? std::string(open<MapCycleEditForm>()->MapsSelectedList.items()[0]) : "";
         },
         "q2dm1", "q2dm2"},
    };
    for (std::size_t k = 0; k < std::size(editors); ++k)
        for (int change = 0; change < 3; ++change)  // none, made, made and undone
            for (const Reply reply : {Reply::Write, Reply::Discard, Reply::Cancel, Reply::Escape}) {
                const Editor& e = editors[k];
                SCOPED_TRACE(std::string(e.question) + " change " + std::to_string(change) + " reply " +
                             std::to_string(static_cast<int>(reply)));
                for (std::size_t f = 0; f < files.size(); ++f)
                    writeBytes(game.root() / "eraser" / names[f], files[f]);
                reopen();
                e.open();
                WindowModel* model = main->editor();
                if (change > 0) e.change(true);
                if (change > 1) e.change(false);
                answerOnTheBox(reply);
                dialogs.shown.clear();
                buttons.clear();
                sideView(model)->close();  // the frame's close button
                settle();

                const bool asked = change == 1;
                const bool stays = asked && (reply == Reply::Cancel || reply == Reply::Escape);
                const bool written = asked && reply == Reply::Write;
                ASSERT_EQ(!dialogs.shown.empty() && dialogs.shown[0].text == e.question, asked);
                if (asked) {
                    EXPECT_EQ(buttons, (std::set<QString>{"&Write and Return", "Cancel",
                                                          k == 0 ? "Return &Without Writing" : "&Discard"}));
                    EXPECT_EQ(defaultButton, "Cancel");
                }
                EXPECT_EQ(sideView(model) != nullptr, stays);
                EXPECT_EQ(window->isEnabled(), !stays);
                EXPECT_EQ(e.inFile(), written ? e.after : e.before);
                // The bot editor's roster keeps the change whatever the answer
                // (only Write puts it in the file); the team's roster takes it
                // when saved; the chat and map cycle hold it while they stay.
                const std::string memory = k == 0   ? (asked ? e.after : e.before)
                                           : k == 1 ? (written ? e.after : e.before)
                                                    : (stays ? e.after : "");
                EXPECT_EQ(e.inMemory(), memory);
            }
}

}  // namespace
}  // namespace vexmoor::testing
