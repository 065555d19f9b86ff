// What each editor leaves behind when its window is closed: the four
// editors, with no change, a change, or a change undone by hand, and each
// answer to the question, given on the real message box (Escape included).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "chat/chat_edit_form.h"
#include "chat/chat_file.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"
#include "platform/qt_dialogs.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

enum class Change { None, Made, Undone };
enum class Reply { Write, Discard, Cancel, Escape };

class UnwrittenChanges : public ViewTest {
protected:
    struct Editor {
        const char* name;
        int tab;
        const char* opener;
        const char* question;
        std::set<QString> buttons;
        // Gets the editor ready (Edit Team), then makes the change or takes it back.
        std::function<void(WindowModel&)> prepare;
        std::function<void(WindowModel&, bool make)> change;
        // The value the change is to: in the file, and in memory (the
        // roster, or the open editor's list; nothing once that is closed).
        std::function<std::string()> inFile;
        std::function<std::optional<std::string>()> inMemory;
    };

    std::string eraser(const char* file) const { return readBytes(game.root() / "eraser" / file); }

    // A fresh program on the same game files, as they were.
    void restart() {
        for (const auto& [file, bytes] : files) writeBytes(game.root() / "eraser" / file, bytes);
        dialogs.shown.clear();
        reopen();
    }

    // The question goes to a real message box, answered as the user would.
    void answerOnTheBox(Reply reply, std::set<QString>& buttons, QString& defaultButton) {
        dialogs.respond = [reply, &buttons, &defaultButton](const Message& m) -> std::optional<Answer> {
            if (m.buttons == Buttons::Ok || m.buttons == Buttons::YesNo) return std::nullopt;
            QTimer::singleShot(0, [reply, &buttons, &defaultButton] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                for (QAbstractButton* b : box->buttons()) buttons.insert(b->text());
                defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
                if (reply == Reply::Escape) {
                    QTest::keyClick(box, Qt::Key_Escape);
                    return;
                }
                const QStringList names = reply == Reply::Write    ? QStringList{"Write and Return"}
                                          : reply == Reply::Cancel ? QStringList{"Cancel"}
                                                                   : QStringList{"Discard", "Return Without Writing"};
                QAbstractButton* pressed = nullptr;
                for (QAbstractButton* b : box->buttons())
                    if (names.contains(b->objectName())) pressed = b;
                ASSERT_NE(pressed, nullptr);
                QTest::mouseClick(pressed, Qt::LeftButton);
            });
            return QtDialogs().show(m);
        };
    }

    std::map<std::string, std::string> files;
};

TEST_F(UnwrittenChanges, EveryEditorKeepsOrDropsWhatTheAnswerSaysAndOnlyAsksWhenSomethingWouldBeLost) {
    game.withChat("-- Greetings\r\nHi.\r\n").withMapCycle("q2dm1\r\nq2dm2\r\n");
    for (const char* file : {"bots.cfg", "chat.txt", "maps.txt"}) files[file] = eraser(file);
    const std::set<QString> discard = {"&Write and Return", "&Discard", "Cancel"};
    const auto fileRoster = [this] {
        Roster held;
        EXPECT_TRUE(readRosterAsHeld(game.root() / "eraser" / "bots.cfg", held));
        return held;
    };
    const Editor editors[] = {
        {"bot editor", 1, "BotEditButton", "The bots have changes that are not written to eraser/bots.cfg.",
         {"&Write and Return", "Return &Without Writing", "Cancel"}, [](WindowModel&) {},
         [](WindowModel& w, bool make) { static_cast<BotConfigForm&>(w).PingText.setText(make ? "77" : "20"); },
         [fileRoster] { return std::to_string(static_cast<int>(fileRoster().BotPing[0].asNumber())); },
         [this]() -> std::optional<std::string> {
             return std::to_string(static_cast<int>(main->roster().BotPing[0].asNumber()));
         }},
        {"team editor", 3, "EditTeamButton",
         "The team Team 01 has changes that are not written to eraser/bots.cfg.", discard,
         [](WindowModel& w) {
             auto& e = static_cast<EditTeamForm&>(w);
             e.TeamList.setSelectedIndex(0);
             e.EditButton.click();
         },
         [](WindowModel& w, bool make) {
             static_cast<EditTeamForm&>(w).TeamNameShortText.setText(make ? "TX" : "T1");
         },
         [fileRoster] { return fileRoster().TeamShortNames[0]; },
         [this]() -> std::optional<std::string> { return main->roster().TeamShortNames[0]; }},
        {"chat editor", 1, "EditChatButton",
         "The chat lines have changes that are not written to eraser/chat.txt.", discard, [](WindowModel&) {},
         [](WindowModel& w, bool make) {
             auto& e = static_cast<ChatEditForm&>(w);
             e.EditButton.click();
             e.lineDialog()->ChatText.setText(make ? "Hello." : "Hi.");
             e.lineDialog()->CommitButton.click();
         },
         [this] { return readChatFile(game.root() / "eraser" / "chat.txt").value()[0][0]; },
         [this]() -> std::optional<std::string> {
             auto* e = dynamic_cast<ChatEditForm*>(main->editor());
             if (!e || !sideView(e)) return std::nullopt;
             return e->ChatList(0).items()[0];
         }},
        {"map cycle editor", 2, "EditMapCycleButton",
         "The map cycle has changes that are not written to eraser/maps.txt.", discard, [](WindowModel&) {},
         [](WindowModel& w, bool make) {
             auto& e = static_cast<MapCycleEditForm&>(w);
             (make ? e.MoveDownButton : e.MoveUpButton).click();
         },
         [this] { return readMapCycle(game.root() / "eraser" / "maps.txt").value()[0]; },
         [this]() -> std::optional<std::string> {
             auto* e = dynamic_cast<MapCycleEditForm*>(main->editor());
             if (!e || !sideView(e)) return std::nullopt;
             return e->MapsSelectedList.items()[0];
         }},
    };
    const std::string before[] = {"20", "T1", "Hi.", "q2dm1"};
    const std::string after[] = {"77", "TX", "Hello.", "q2dm2"};

    for (std::size_t k = 0; k < std::size(editors); ++k) {
        const Editor& editor = editors[k];
        for (const Change change : {Change::None, Change::Made, Change::Undone})
            for (const Reply reply : {Reply::Write, Reply::Discard, Reply::Cancel, Reply::Escape}) {
                SCOPED_TRACE(std::string(editor.name) + ", change " + std::to_string(static_cast<int>(change)) +
                             ", reply " + std::to_string(static_cast<int>(reply)));
                restart();
                showTab(editor.tab);
                QTest::mouseClick(find<QPushButton>(editor.opener), Qt::LeftButton);
                settle();
                WindowModel* model = main->editor();
                QWidget* view = sideView(model);
                ASSERT_NE(view, nullptr);
                editor.prepare(*model);
                if (change != Change::None) editor.change(*model, true);
                if (change == Change::Undone) editor.change(*model, false);
                std::set<QString> buttons;
                QString defaultButton;
                answerOnTheBox(reply, buttons, defaultButton);
                dialogs.shown.clear();
                view->close();  // the frame's close button
                settle();

                const bool asked = change == Change::Made;
                const bool stays = asked && (reply == Reply::Cancel || reply == Reply::Escape);
                const bool written = asked && reply == Reply::Write;
                ASSERT_EQ(!dialogs.shown.empty() && dialogs.shown[0].buttons != Buttons::Ok, asked);
                if (asked) {
                    EXPECT_EQ(dialogs.shown[0].text, editor.question);
                    EXPECT_EQ(buttons, editor.buttons);
                    EXPECT_EQ(defaultButton, "Cancel");
                }
                EXPECT_EQ(sideView(model) != nullptr, stays);
                EXPECT_EQ(window->isEnabled(), !stays);
                EXPECT_EQ(editor.inFile(), written ? after[k] : before[k]);
                // Memory: the bot editor's roster keeps the change whatever
                // the answer (only Write puts it in the file); the team's
                // roster holds it once saved, its entry while the editor
                // stays; the chat and map cycle hold it while they stay.
                const std::optional<std::string> memory = k == 0   ? std::optional(asked ? after[k] : before[k])
                                                          : k == 1 ? std::optional(written ? after[k] : before[k])
                                                          : stays  ? std::optional(after[k])
                                                                   : std::nullopt;
                EXPECT_EQ(editor.inMemory(), memory);
                if (k == 1 && stays) {
                    EXPECT_EQ(static_cast<EditTeamForm*>(model)->TeamNameShortText.text(), after[k]);
                }
            }
    }
}

}  // namespace
}  // namespace vexmoor::testing
