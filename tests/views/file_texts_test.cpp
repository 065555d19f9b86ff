// Texts from the user's files are shown as they stand and edited whole: an
// "&" in a bot's name is no shortcut, and a chat line longer than the
// toolkit's default field limit is not cut at the first keystroke.
#include <gtest/gtest.h>

#include <limits>

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

QString accessibleName(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

using FileTexts = ViewTest;

TEST_F(FileTexts, AnAmpersandInABotsTextsIsShownAndReadAsItself) {
    game.withRoster("[bots]\r\n\"R&D\"\"a&b/c&d\" 3 2 4 1 x&y 0 60 \r\n[teams]\r\n[view weapons]\r\n");
    QWidget* editor = openEditor(1, "BotEditButton");
    ASSERT_NE(editor, nullptr);

    auto* frame = editor->findChild<QGroupBox*>("BotInfoFrame");
    auto* quadFreak = editor->findChild<QCheckBox*>("QuadFreakCheckBox");
    for (const auto& [widget, shown, title] :
         {std::tuple{static_cast<QWidget*>(frame), QStringLiteral("R&D"), frame->title()},
          std::tuple{static_cast<QWidget*>(quadFreak), QStringLiteral("Quad Freak (x&y)"), quadFreak->text()}}) {
        EXPECT_EQ(accessibleName(widget), shown);
        EXPECT_TRUE(QKeySequence::mnemonic(title).isEmpty()) << title.toStdString();
    }
    for (const auto& [label, shown] : {std::pair{"BotModelThing", "a&b"}, std::pair{"BotSkinThing", "c&d"}}) {
        EXPECT_EQ(editor->findChild<QLabel*>(label)->text(), shown);
        EXPECT_EQ(accessibleName(editor->findChild<QLabel*>(label)), shown);
    }
}

TEST_F(FileTexts, AChatLineLongerThanTheToolkitsLimitIsEditedWhole) {
    const std::string longLine(40000, 'w');
    game.withChat("-- Greetings\r\n" + longLine + "\r\n");
    QWidget* editor = openEditor(1, "EditChatButton");
    ASSERT_NE(editor, nullptr);
    auto* chat = dynamic_cast<ChatEditForm*>(main->editor());
    QTest::mouseClick(editor->findChild<QPushButton*>("EditButton"), Qt::LeftButton);
    QWidget* dialog = sideView(chat->lineDialog());
    ASSERT_NE(dialog, nullptr);
    auto* text = dialog->findChild<QLineEdit*>("ChatText");
    EXPECT_EQ(text->text().size(), 40000);
    text->end(false);
    QTest::keyClick(text, Qt::Key_Exclam);
    QTest::keyClick(text, Qt::Key_Return);
    settle();
    EXPECT_EQ(chat->ChatList(0).items(), std::vector<std::string>{longLine + "!"});

    // Every field bound to a text holds the whole of it.
    for (QWidget* in : {static_cast<QWidget*>(window.get()), editor})
        for (const QLineEdit* field : in->findChildren<QLineEdit*>())
            EXPECT_EQ(field->maxLength(), std::numeric_limits<int>::max()) << field->objectName().toStdString();
}

}  // namespace
}  // namespace vexmoor::testing
