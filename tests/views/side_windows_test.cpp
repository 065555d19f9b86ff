#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/ports.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row) result << list->item(row)->text();
    return result;
}

QString accessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

class ChooserView : public ViewTest {
protected:
    void SetUp() override {
        open();
        showTab(5);
        QTest::mouseClick(find<QPushButton>("QuakePathButton"), Qt::LeftButton);
        view = sideView(main->browseForm());
        ASSERT_NE(view, nullptr);
    }

    template <class W>
    W* part(const char* name) const {
        return view->findChild<W*>(name);
    }
    QListWidget* folders() const { return part<QListWidget>("QuakeDir"); }
    void enterFolder(const QString& name) const {
        const auto found = folders()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        const QRect rect = folders()->visualItemRect(found.front());
        // A real double click starts with a press and release; QTest's double click alone does not.
        QTest::mouseClick(folders()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseDClick(folders()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    QWidget* view = nullptr;
};

TEST_F(ChooserView, OpensInFrontOfTheDisabledMainWindow) {
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->isWindow());
    EXPECT_EQ(view->objectName(), "BrowseForm");
    EXPECT_EQ(view->windowTitle(), "Location");
    EXPECT_FALSE(window->isEnabled());
    // On Unix a combo box reports its current text as its name and takes its
    // label from the accessible name through a relation.
    EXPECT_EQ(part<QComboBox>("QuakeDrive")->accessibleName(), "Drive");
    EXPECT_EQ(accessibleName(folders()), "Directory");
    EXPECT_EQ(part<QLabel>("Label1")->text(), "Current path is:");
    EXPECT_EQ(part<QLabel>("Label2")->text(), QString::fromStdString(pathText(home)));
    EXPECT_TRUE(part<QPushButton>("SetButton")->isDefault());
    EXPECT_EQ(part<QComboBox>("QuakeDrive")->currentIndex(), 1);
}

TEST_F(ChooserView, ListsTheWayUpThenTheFolders) {
    EXPECT_EQ(texts(folders()), (QStringList{"..", "alpha", "beta"}));
    // Enter goes down first: the first folder, not the way up, has the focus.
    EXPECT_EQ(folders()->currentItem()->text(), "alpha");
    enterFolder("beta");
    EXPECT_EQ(main->browseForm()->QuakeDir.path(), home / "beta");
    EXPECT_EQ(texts(folders()), (QStringList{"..", "gamma"}));
    EXPECT_EQ(part<QLabel>("Label2")->text(), QString::fromStdString(pathText(home / "beta")));

    // Enter on the way up goes back and lands on the folder just left; it
    // does not press Set.
    folders()->setCurrentRow(0);
    QTest::keyClick(folders(), Qt::Key_Return);
    EXPECT_EQ(main->browseForm()->QuakeDir.path(), home);
    EXPECT_EQ(folders()->currentItem()->text(), "beta");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(view->isVisible());
}

TEST_F(ChooserView, AFileSystemRootHasNoWayUp) {
    auto* drive = part<QComboBox>("QuakeDrive");
    drive->setFocus();
    QTest::keyClick(drive, Qt::Key_Up);
    EXPECT_EQ(main->browseForm()->QuakeDrive.selectedIndex(), 0);
    EXPECT_EQ(main->browseForm()->QuakeDir.path(), fs::path("/"));
    EXPECT_FALSE(texts(folders()).contains(".."));
}

TEST_F(ChooserView, SetTakesAGameDirectoryAndGivesTheMainWindowBack) {
    // Walk from the home folder up and into the game directory.
    enterFolder("..");
    enterFolder("game");
    QTest::mouseClick(part<QPushButton>("SetButton"), Qt::LeftButton);
    settle();
    EXPECT_EQ(main->preferences.ExePathText.text(), game.text());
    EXPECT_EQ(find<QLineEdit>("ExePathText")->text(), QString::fromStdString(game.text()));
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(ChooserView, TheDisabledMainWindowIgnoresItsFrame) {
    window->close();
    EXPECT_EQ(windows.quits, 0);
    EXPECT_TRUE(view->isVisible());
}

TEST_F(ChooserView, SetRefusesAFolderWithoutTheGame) {
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "There is no quake2.exe here. Please specify directory where your quake2.exe resides.");
    EXPECT_TRUE(view->isVisible());
}

TEST_F(ChooserView, EscapeAndTheFrameBothCancel) {
    const std::string before = main->preferences.ExePathText.text();
    QTest::keyClick(view, Qt::Key_Escape);
    settle();
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(main->preferences.ExePathText.text(), before);

    QTest::mouseClick(find<QPushButton>("QuakePathButton"), Qt::LeftButton);
    QWidget* again = sideView(main->browseForm());
    ASSERT_NE(again, nullptr);
    again->close();
    settle();
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

class ReviewAndAbout : public ViewTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(ReviewAndAbout, TheReviewedCommandLineStartsOnGo) {
    main->gameplay.CommandLineEditCheck.setState(1);
    QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
    QWidget* review = sideView(main->cmdLineForm());
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(review->windowTitle(), "Command Line Launch");
    EXPECT_FALSE(window->isEnabled());
    auto* text = review->findChild<QPlainTextEdit*>("CommandLineText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(accessibleName(text), "Command line");
    EXPECT_EQ(text->toPlainText().toStdString().rfind(game.text() + "quake2.exe +set game eraser", 0), 0u);

    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, " +set extra 1");
    EXPECT_EQ(main->cmdLineForm()->CommandLineText.text().substr(
                  main->cmdLineForm()->CommandLineText.text().size() - 13),
              " +set extra 1");
    QTest::keyClick(text, Qt::Key_Return);  // no line break: Go is the default button
    EXPECT_FALSE(text->toPlainText().contains(QLatin1Char('\n')));
    settle();
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].commandLine.substr(processes.starts[0].commandLine.size() - 13),
              " +set extra 1");
    EXPECT_EQ(sideView(main->cmdLineForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

// Every byte but the line ends comes back from the review field as it went
// in, also after the user has edited the text around it.
TEST_F(ReviewAndAbout, EveryByteSurvivesAnEditInTheReview) {
    main->gameplay.CommandLineEditCheck.setState(1);
    QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
    auto* text = sideView(main->cmdLineForm())->findChild<QPlainTextEdit*>("CommandLineText");
    ASSERT_NE(text, nullptr);
    TextBox& model = main->cmdLineForm()->CommandLineText;
    for (int byte = 1; byte < 256; ++byte) {
        const std::string line = std::string("a") + static_cast<char>(byte) + "z";
        model.setText(line);
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_X);
        QTest::keyClick(text, Qt::Key_Backspace);
        EXPECT_EQ(model.text(), line) << "byte " << byte;
    }
}

TEST_F(ReviewAndAbout, EscapeReturnsToMainWithoutStarting) {
    main->gameplay.CommandLineEditCheck.setState(1);
    QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
    QWidget* review = sideView(main->cmdLineForm());
    ASSERT_NE(review, nullptr);
    QTest::keyClick(review, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(processes.starts.empty());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(ReviewAndAbout, AboutOpensFromTheHelpMenuAndClosesWithOk) {
    find<QAction>("AboutMenu")->trigger();
    QWidget* about = sideView(main->aboutForm());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("VersionLabel")->text(), "Version v1.5.5b ");
    EXPECT_FALSE(window->isEnabled());
    QTest::keyClick(about, Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(main->aboutForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace vexmoor::testing
