// Earlier versions through the real windows: a Commit keeps one, the
// Earlier Versions window shows it and brings it back, every editor asks
// before it replaces a file changed outside Vexmoor, and the roster the
// start-up tidied comes back with its comments.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTextBlock>

#include "core/paths.h"
#include "core/ports.h"
#include "view_fixture.h"

namespace vexmoor::testing {

namespace {

namespace fs = std::filesystem;

class EarlierVersions : public ViewTest {
protected:
    template <class W>
    static W* in(QWidget* parent, const char* name) {
        W* found = parent->findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* parent, const char* button) {
        QTest::mouseClick(in<QPushButton>(parent, button), Qt::LeftButton);
        settle();
    }
    fs::path eraser(const char* name) const { return game.root() / "eraser" / name; }
};

const QColor kRemoved(0xfd, 0xe2, 0xe2);
const QColor kAdded(0xdf, 0xf3, 0xdf);

TEST_F(EarlierVersions, ACommitIsKeptShownWithItsDifferencesAndRestoredWithTheBotList) {
    const std::string original = readBytes(eraser("bots.cfg"));
    QWidget* editor = openEditor(1, "BotEditButton");
    ASSERT_NE(editor, nullptr);
    // A start that finds the roster tidy keeps nothing, not even a folder.
    EXPECT_FALSE(fs::exists(versionsFolder));
    auto* bots = find<QListView>("SpecificBotList");
    const QStringList names = rowsOf(bots);
    const QString gone = names[0];
    clickRow(in<QListView>(editor, "BotNameList"), 0);
    click(editor, "DeleteBotButton");  // answered Yes
    clickRow(in<QListView>(editor, "BotNameList"), 1);
    click(editor, "EditBotButton");
    in<QSlider>(editor, "FiringAccuracySlider")->setValue(5);
    click(editor, "CommitChangesButton");
    click(editor, "ExitButton");
    ASSERT_EQ(rowsOf(bots).size(), 4);

    // Taller than the main window at the top of the screen, it still opens whole.
    window->move(0, 0);
    window->findChild<QAction*>(QStringLiteral("VersionsMenu"))->trigger();
    settle();
    QWidget* view = sideView(main->versionsForm());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(window->screen()->availableGeometry().contains(view->frameGeometry().topLeft()));
    EXPECT_EQ(view->windowTitle(), "Earlier Versions");
    EXPECT_FALSE(window->isEnabled());
    auto* files = in<QListView>(view, "VersionFileList");
    auto* versions = in<QListView>(view, "VersionList");
    auto* differences = in<QPlainTextEdit>(view, "VersionDiffText");
    for (const auto& [widget, name] : {std::pair<QWidget*, const char*>{files, "Files"},
                                       {versions, "Versions"},
                                       {differences, "Differences"}})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    EXPECT_TRUE(differences->isReadOnly());
    EXPECT_EQ(rowsOf(files)[0], QString::fromStdString(nativeSeparators("eraser\\bots.cfg (1 version)")));
    ASSERT_EQ(rowsOf(versions).size(), 1);
    EXPECT_TRUE(rowsOf(versions)[0].endsWith(" - Commit Changes - 5 bots, 3 teams"));
    EXPECT_TRUE(rowSelected(versions, 0));

    // The deleted bot is a line only the version holds; the changed bot both.
    bool removedBot = false, added = false;
    for (QTextBlock line = differences->document()->begin(); line.isValid(); line = line.next()) {
        const QColor colour = line.blockFormat().background().color();
        if (line.text().startsWith(QStringLiteral("- \"") + gone + QLatin1Char('"')))
            removedBot = colour == kRemoved;
        if (line.text().startsWith(QStringLiteral("+ "))) added = colour == kAdded;
    }
    EXPECT_TRUE(removedBot);
    EXPECT_TRUE(added);

    click(view, "RestoreButton");
    EXPECT_EQ(readBytes(eraser("bots.cfg")), original);
    EXPECT_EQ(rowsOf(bots), names);
    EXPECT_EQ(differences->toPlainText(), "No differences.");
    EXPECT_EQ(rowsOf(files)[0], QString::fromStdString(nativeSeparators("eraser\\bots.cfg (2 versions)")));
    ASSERT_EQ(rowsOf(versions).size(), 2);
    EXPECT_TRUE(rowsOf(versions)[0].contains(QStringLiteral(" - restore - 4 bots, 3 teams")));
    EXPECT_TRUE(rowSelected(versions, 1));

    QTest::keyClick(view, Qt::Key_Escape);
    settle();
    EXPECT_EQ(sideView(main->versionsForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

// One editor's write as the user makes it: the tab and button that open the
// editor, the team chosen and the button clicked there first, and the button
// that writes.
struct EditorWrite {
    const char* name;
    int tab;
    const char* openButton;
    KeptFile file;
    // Null: no team chosen; else the first team is, and this button clicked, if any.
    const char* teamListThen;
    const char* writeButton;
    std::size_t questionsBefore;  // the editor's own, answered Yes
};

class OutsideChangeQuestion : public EarlierVersions, public ::testing::WithParamInterface<EditorWrite> {};

TEST_P(OutsideChangeQuestion, ComesBeforeTheEditorWritesAndNoLeavesTheOtherVersion) {
    const EditorWrite& w = GetParam();
    QWidget* editor = openEditor(w.tab, w.openButton);
    ASSERT_NE(editor, nullptr);
    if (w.teamListThen) {
        clickRow(in<QListView>(editor, "TeamList"), 0);
        if (*w.teamListThen) click(editor, w.teamListThen);
    }
    const fs::path file = eraser(keptFileName(w.file));
    const std::string theirs = readBytes(file) + "# changed in another editor\r\n";
    writeBytes(file, theirs);
    const auto kept = [&] { return main->rewrites().store().versions(game.text(), w.file).value(); };

    const std::size_t before = dialogs.shown.size();
    click(editor, w.writeButton);  // the question left at its default, No
    ASSERT_EQ(dialogs.shown.size(), before + w.questionsBefore + 1);
    EXPECT_EQ(dialogs.shown.back().text, pathText(file) +
                                             " was changed outside Vexmoor since it was read. Replace it "
                                             "with Vexmoor's version? The other version is kept under File > "
                                             "Earlier Versions.");
    EXPECT_EQ(readBytes(file), theirs);
    EXPECT_TRUE(kept().empty());
    EXPECT_EQ(sideView(main->editor()), editor);

    dialogs.answers.assign(w.questionsBefore + 1, Answer::Yes);
    click(editor, w.writeButton);
    EXPECT_NE(readBytes(file), theirs);
    ASSERT_EQ(kept().size(), 1u);
    EXPECT_EQ(kept()[0].action, "changed outside Vexmoor");
    EXPECT_EQ(main->rewrites().store().bytesOf(game.text(), w.file, kept()[0]).value(), theirs);
}

INSTANTIATE_TEST_SUITE_P(
    EveryEditor, OutsideChangeQuestion,
    ::testing::Values(
        EditorWrite{"BotCommit", 1, "BotEditButton", KeptFile::Roster, nullptr, "CommitChangesButton", 0},
        EditorWrite{"TeamSave", 3, "EditTeamButton", KeptFile::Roster, "EditButton", "SaveButton2", 0},
        EditorWrite{"DeleteTeam", 3, "EditTeamButton", KeptFile::Roster, "", "DeleteButton", 1},
        EditorWrite{"ChatCommit", 1, "EditChatButton", KeptFile::Chat, nullptr, "CommitButton", 0},
        EditorWrite{"MapCycleCommit", 2, "EditMapCycleButton", KeptFile::MapCycle, nullptr, "CommitButton",
                    0}),
    [](const ::testing::TestParamInfo<EditorWrite>& param) { return std::string(param.param.name); });

// Opened, walked and restored from the keyboard: Alt+F, V, Tab through the
// window, Enter on the versions restores the chosen one.
TEST_F(EarlierVersions, ARosterTidiedAtStartUpComesBackWithItsCommentsFromTheKeyboard) {
    const std::string commented = "# The bots of our LAN, by hand.\r\n" +
                                  GameDirectoryBuilder::generatedRoster(5, 3) + "\r\n  ; old teams below\r\n";
    game.withRoster(commented);
    open();
    ASSERT_EQ(readBytes(eraser("bots.cfg")), GameDirectoryBuilder::generatedRoster(5, 3));
    EXPECT_TRUE(dialogs.shown.empty());  // kept unasked
    auto* bots = find<QListView>("SpecificBotList");
    const QStringList names = rowsOf(bots);

    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : window.get(), Qt::Key_F, Qt::AltModifier);
    auto* file = find<QMenu>("FileMenu");
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 5000));
    QTest::keyClick(file, Qt::Key_V);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sideView(main->versionsForm()) != nullptr; }, 5000));
    QWidget* view = sideView(main->versionsForm());
    auto* files = in<QListView>(view, "VersionFileList");
    auto* versions = in<QListView>(view, "VersionList");
    auto* differences = in<QPlainTextEdit>(view, "VersionDiffText");
    EXPECT_EQ(rowsOf(files),
              (QStringList{QString::fromStdString(nativeSeparators("eraser\\bots.cfg (1 version)")),
                           QString::fromStdString(nativeSeparators("eraser\\chat.txt (no versions)")),
                           QString::fromStdString(nativeSeparators("eraser\\maps.txt (no versions)")),
                           "vexmoor.ini (no versions)"}));
    ASSERT_EQ(rowsOf(versions).size(), 1);
    EXPECT_TRUE(
        std::regex_match(rowsOf(versions)[0].toStdString(),
                         std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d - start-up tidy - 5 bots, 3 teams)")));
    EXPECT_EQ(differences->toPlainText().toStdString(),
              "- only in this version    + only in the file as it is now\n"
              "Lines 1 to 4 of this version, lines 1 to 3 of the file now:\n"
              "- # The bots of our LAN, by hand.\n"
              "  [bots]\n"
              "  \"Bot 0001\"\"rook/slate\" 1  2  3  0  0  0  20 \n"
              "  \"Bot 0002\"\"wren/ember\" 2  4  1  1  0  0  57 \n"
              "Lines 12 to 16 of this version, lines 11 to 13 of the file now:\n"
              "  [view weapons]\n"
              "  \"w_blaster\"\n"
              "  \"w_railgun\"\n"
              "- \n"
              "-   ; old teams below");

    // A file without versions offers nothing to restore.
    clickRow(files, 1);
    EXPECT_EQ(differences->toPlainText().toStdString(),
              "No earlier versions of " + pathText(eraser("chat.txt")) + " are kept yet.");
    EXPECT_FALSE(in<QPushButton>(view, "RestoreButton")->isEnabled());
    clickRow(files, 0);

    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isAncestorOf(QApplication::focusWidget()); }, 5000));
    std::vector<std::string> walked;
    for (int i = 0; i < 5; ++i) {
        walked.push_back(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"VersionFileList", "VersionList", "VersionDiffText",
                                                "RestoreButton", "VersionsExitButton"}));
    EXPECT_EQ(in<QPushButton>(view, "RestoreButton")->text(), "&Restore This Version");
    versions->setFocus();
    QTest::keyClick(versions, Qt::Key_Return);
    settle();
    EXPECT_EQ(readBytes(eraser("bots.cfg")), commented);
    EXPECT_EQ(rowsOf(bots), names);
    // The file that was replaced, tidied, is the newest version now.
    EXPECT_TRUE(rowsOf(versions)[0].contains(QStringLiteral(" - restore - 5 bots, 3 teams")));

    // A copy changed after it was kept is not offered.
    const fs::path copy =
        main->rewrites().store().folderOf(game.text(), KeptFile::Roster) / "000001-bots.cfg";
    writeBytes(copy, "changed by hand");
    clickRow(versions, 0);
    clickRow(versions, 1);
    EXPECT_TRUE(differences->toPlainText().startsWith(
        QString::fromStdString("This version cannot be read: " + pathText(copy))));
    EXPECT_FALSE(in<QPushButton>(view, "RestoreButton")->isEnabled());

    view->close();  // the frame's close button
    settle();
    EXPECT_EQ(sideView(main->versionsForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(readBytes(eraser("bots.cfg")), commented);
}

}  // namespace
}  // namespace vexmoor::testing
