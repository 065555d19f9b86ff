// Every byte 1 to 255 of a text through the field that shows it: the widget
// shows the characters the field's codec gives the bytes (game texts: the
// game's code page; system texts, the game directory and the command line:
// UTF-8, a stray byte kept as itself), and what the user pastes back of what
// the field shows gives the model the very same bytes. Lists and labels show
// a roster name with every byte the roster holds.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "platform/codec.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

std::string everyByteBut(const std::string& leftOut) {
    std::string bytes;
    for (int byte = 1; byte <= 255; ++byte)
        if (leftOut.find(static_cast<char>(byte)) == std::string::npos) bytes += static_cast<char>(byte);
    return bytes;
}

class EveryByteView : public ViewTest {
protected:
    // The model's text shows as its codec says. The user types at its end and
    // takes it back again, and the model holds the same bytes; then the user
    // replaces the whole text with what the field showed, as a paste does.
    void throughTheField(QWidget* view, const char* name, TextBox& model, TextKind kind) {
        SCOPED_TRACE(name);
        ASSERT_NE(view, nullptr);
        const std::string bytes = "a" + everyByteBut("") + "z";
        model.setText(bytes);
        QWidget* field = view->findChild<QWidget*>(name);
        auto* line = qobject_cast<QLineEdit*>(field);
        auto* text = qobject_cast<QPlainTextEdit*>(field);
        ASSERT_TRUE(line || text) << "no text field " << name;
        // A field of several lines shows a line feed as a line break and a
        // carriage return as the code point of a byte it cannot show.
        QString expected = toQString(bytes, kind);
        if (text) expected.replace('\n', QChar::ParagraphSeparator).replace('\r', QChar(0xDC0D));
        const QString shown = line ? line->text() : text->document()->toRawText();
        EXPECT_EQ(shown, expected);
        if (line)
            line->end(false);
        else
            text->moveCursor(QTextCursor::End);
        QTest::keyClick(field, Qt::Key_Y);
        EXPECT_EQ(model.text(), bytes + "y");
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(model.text(), bytes);

        if (line) {
            line->clear();
            line->insert(shown);
        } else {
            text->clear();
            text->insertPlainText(shown);
        }
        EXPECT_EQ(model.text(), bytes);
        EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.back().text;
    }
    void click(QWidget* view, const char* button) {
        QTest::mouseClick(view->findChild<QPushButton*>(button), Qt::LeftButton);
    }
};

TEST_F(EveryByteView, TheMainWindowsFieldsAndTheCommandLine) {
    open();
    window->buildEveryPage();
    throughTheField(window.get(), "ExePathText", main->preferences.ExePathText, TextKind::System);
    main->preferences.ExePathText.setText(game.text());
    main->teamplay.TeamplayCheckBox.setState(1);
    for (TextBox* field : {&main->gameplay.TimeLimitText, &main->gameplay.FragLimitText,
                           &main->gameplay.ClientLatencyText, &main->teamplay.PlayersPerTeamText})
        throughTheField(window.get(), field->name().c_str(), *field, TextKind::Game);

    main->gameplay.CommandLineEditCheck.setState(1);
    main->LaunchButton.click();
    throughTheField(sideView(main->cmdLineForm()), "CommandLineText", main->cmdLineForm()->CommandLineText,
                    TextKind::System);
}

TEST_F(EveryByteView, TheEditorsFieldsListsAndLabels) {
    // A bot whose name holds every byte the roster can.
    const std::string name = "a" + everyByteBut("\n\"") + "z";
    game.withRoster("[bots]\r\n\"" + name +
                    "\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n[teams]\r\n"
                    "\"Reds\"\"R\"\"wren/ember\"[]\r\n[view weapons]\r\n");
    open();
    main->bots.BotEditButton.click();
    QWidget* bots = sideView(main->editor());
    ASSERT_NE(bots, nullptr);
    auto* botEditor = dynamic_cast<BotConfigForm*>(main->editor());
    EXPECT_EQ(rowsOf(bots->findChild<QListView*>("BotNameList")), QStringList{toQString(name)});
    // Shown as it stands: its "&" is no shortcut.
    EXPECT_EQ(bots->findChild<QGroupBox*>("BotInfoFrame")->title(), toQString(literalCaption(name)));
    click(bots, "EditBotButton");
    throughTheField(bots, "PingText", botEditor->PingText, TextKind::Game);
    click(bots, "NewBotButton");
    throughTheField(sideView(botEditor->newBotName()), "NewBotNameText",
                    botEditor->newBotName()->NewBotNameText, TextKind::Game);
    botEditor->newBotName()->CancelAddBotButton.click();
    dialogs.answers = {Answer::WithoutWriting};  // the ping typed stays in memory
    botEditor->ExitButton.click();
    dialogs.shown.clear();
    settle();

    main->teamplay.EditTeamButton.click();
    auto* teams = dynamic_cast<EditTeamForm*>(main->editor());
    teams->AddButton.click();
    QWidget* teamView = sideView(teams);
    EXPECT_EQ(rowsOf(teamView->findChild<QListView*>("TeamIndividualsList")), QStringList{toQString(name)});
    throughTheField(teamView, "AddTeamText", teams->AddTeamText, TextKind::Game);
    throughTheField(teamView, "TeamNameShortText", teams->TeamNameShortText, TextKind::Game);
    teams->CancelButton.click();
    teams->ExitButton.click();
    settle();

    main->bots.EditChatButton.click();
    auto* chat = dynamic_cast<ChatEditForm*>(main->editor());
    chat->AddButton.click();
    throughTheField(sideView(chat->lineDialog()), "ChatText", chat->lineDialog()->ChatText, TextKind::Game);
}

}  // namespace
}  // namespace vexmoor::testing
