#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "platform/codec.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

#ifndef _WIN32

namespace fs = std::filesystem;

QString utf8(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Folder names as the system writes them (UTF-8), and one written in an
// older single-byte encoding, which is no UTF-8: both are shown as the
// system's names and kept byte for byte on their way to the settings file.
TEST_F(ViewTest, ANonAsciiGameDirectoryIsShownAsTheSystemWritesItAndStoredByteForByte) {
    const std::string zoe = "zo\xC3\xAB";
    const fs::path spiele = home / zoe / "Spiele";
    GameDirectoryBuilder(spiele / "quake2").withGame();
    drives.drives.push_back({(home / zoe).string(), home / zoe});
    open();
    showTab(5);

    QTest::mouseClick(find<QPushButton>("QuakePathButton"), Qt::LeftButton);
    QWidget* chooser = sideView(main->browseForm());
    ASSERT_NE(chooser, nullptr);
    auto* drive = chooser->findChild<QComboBox*>("QuakeDrive");
    EXPECT_EQ(drive->itemText(2), utf8((home / zoe).string()));
    auto* folders = chooser->findChild<QListWidget*>("QuakeDir");
    const auto enter = [folders](const std::string& name) {
        const auto found = folders->findItems(utf8(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        folders->setCurrentItem(found.front());
        QTest::keyClick(folders, Qt::Key_Return);
    };
    enter(zoe);
    enter("Spiele");
    enter("quake2");
    EXPECT_EQ(chooser->findChild<QLabel*>("Label2")->text(), utf8((spiele / "quake2").string()));
    QTest::mouseClick(chooser->findChild<QPushButton*>("SetButton"), Qt::LeftButton);
    settle();

    const std::string chosen = (spiele / "quake2").string() + "/";
    auto* path = find<QLineEdit>("ExePathText");
    EXPECT_EQ(main->preferences.ExePathText.text(), chosen);
    EXPECT_EQ(path->text(), utf8(chosen));
    const auto saved = [&] {
        QTest::mouseClick(find<QPushButton>("SaveChangesButton"), Qt::LeftButton);
        const std::string stored = readBytes(settingsFile);
        return stored.substr(0, stored.find("\r\n"));
    };
    EXPECT_EQ(saved(), "\"" + chosen + "\"");

    // A name that is no UTF-8 survives an edit next to it.
    const std::string older = (home / "Spi\xEBle").string() + "/";
    main->preferences.ExePathText.setText(older);
    EXPECT_EQ(path->text(), toQString(older, TextKind::System));
    path->end(false);
    type(path, QStringLiteral("x"));
    QTest::keyClick(path, Qt::Key_Backspace);
    EXPECT_EQ(main->preferences.ExePathText.text(), older);
    EXPECT_EQ(saved(), "\"" + older + "\"");
}

// The Earlier Versions window's notes name paths as the system writes them;
// the lines of the file itself are the game's single bytes.
TEST_F(ViewTest, TheEarlierVersionsWindowNamesPathsAsTheSystemWritesThemAndShowsLinesInTheGamesCodePage) {
    GameDirectoryBuilder accented(temp.path() / "g\xC3\xA4m\xC3\xA9");
    accented.withEraserFolder().withRoster(GameDirectoryBuilder::generatedRoster(2, 0)).withChat("");
    writeBytes(settingsFile, "\"" + accented.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    open();
    const fs::path eraser = accented.root() / "eraser";
    ASSERT_TRUE(
        main->rewrites().keep(KeptFile::Roster, eraser / "bots.cfg", "# Zo\xEB\r\n", "Commit Changes"));
    main->VersionsMenu.click();
    QWidget* view = sideView(main->versionsForm());
    ASSERT_NE(view, nullptr);
    auto* differences = view->findChild<QPlainTextEdit*>("VersionDiffText");
    EXPECT_TRUE(differences->toPlainText().contains(utf8("- # Zo\xC3\xAB")))
        << differences->toPlainText().toStdString();
    clickRow(view->findChild<QListView*>("VersionFileList"), 1);
    EXPECT_EQ(differences->toPlainText(),
              utf8("No earlier versions of " + (eraser / "chat.txt").string() + " are kept yet."));
}

#endif

}  // namespace
}  // namespace vexmoor::testing
