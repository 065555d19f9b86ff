// The whole program as it ships: the real Application with its real ports
// (message boxes, windows, process start, settings location, drives) on a
// generated game directory whose stand-in quake2.exe writes down how it was
// started. Only the environment is the test's: XDG_CONFIG_HOME, XDG_DATA_HOME
// and HOME point into a temporary folder, and a watcher answers every message box.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/main_fixture.h"
#include "support/program_folders.h"
#include "view_fixture.h"
#include "views/application.h"
#include "views/main_window.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 10000;

// What the game receives after its own path when every option is at its
// default: the example command line of a launch, split into arguments.
const char* const kDefaultArguments =
    "+set game eraser +skill 0 +teamplay 0 +map q2dm1 +set bot_show_connect_info 1 "
    "+set bot_allow_client_commands 1 +set bot_auto_skill 1 +bot_num 1 +cmd lag 1 +set dmflags 0 "
    "+set view_weapons 0 +set cheats 0 +set bot_calc_nodes 1";

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

std::vector<std::string> without(std::vector<std::string> list, const std::vector<std::string>& run) {
    for (auto it = list.begin(); it + static_cast<std::ptrdiff_t>(run.size()) <= list.end(); ++it)
        if (std::equal(run.begin(), run.end(), it)) {
            list.erase(it, it + static_cast<std::ptrdiff_t>(run.size()));
            break;
        }
    return list;
}

// Answers every message box that opens with its default button, as a user
// reading it and pressing Enter would, and notes what it said.
class BoxAnswerer {
public:
    struct Seen {
        std::string title, text;
        QMessageBox::Icon icon;
    };

    BoxAnswerer() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }

    static bool anyOpen() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible()) return true;
        return false;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& box : seen) result.push_back(box.text);
        return result;
    }

    std::vector<Seen> seen;

private:
    void answer() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible()) continue;
            seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
            QAbstractButton* button = box->defaultButton();
            if (!button) button = box->buttons().value(0);
            if (button) button->click();
        }
    }

    QTimer timer_;
};

QWidget* openWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible()) return widget;
    return nullptr;
}

class WholeProgram : public ::testing::Test {
protected:
    WholeProgram()
        : game(temp.path() / "Quake II"),
          programFolders(temp.path()),
          settingsFile(programFolders.settingsFile()) {
        game.withEraserFolder().withMapArchive().withGame();
    }

    void SetUp() override {
        if (const auto why = ProgramFolders::unavailable()) GTEST_SKIP() << *why;
    }

    // A game directory with a roster and maps, and settings that point at it.
    void installGame() {
        game.withRoster(GameDirectoryBuilder::generatedRoster(5, 3)).withMaps({"alpha.bsp", "beta.bsp"});
        fs::create_directories(settingsFile.parent_path());
        writeBytes(settingsFile, "\"" + game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    }

    template <class W>
    W* find(Application& app, const char* name) {
        app.mainWindow().buildEveryPage();
        return app.mainWindow().findChild<W*>(QLatin1String(name));
    }

    void showTab(Application& app, int index) {
        QTabBar* bar = find<QTabWidget>(app, "BotTabStrip")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }

    // Waits, within a bound, until the stand-in game has recorded `count` starts.
    std::vector<std::vector<std::string>> startsOnceThereAre(std::size_t count) {
        static_cast<void>(
            QTest::qWaitFor([&] { return game.recordedStarts().size() >= count; }, kStartTimeoutMs));
        return game.recordedStarts();
    }

    // A recorded start: the game's working directory, then its arguments. On
    // Windows the game's own runtime splits the command line it is given, and
    // the unquoted program path ends at its first blank: the words of the path
    // after that blank come first among the arguments (the game reads only
    // the words that begin with "+").
    std::vector<std::string> expectedStart(const std::vector<std::string>& arguments) const {
        std::vector<std::string> record{fs::canonical(game.root()).string()};
#ifdef _WIN32
        const std::vector<std::string> program = words(game.text() + "quake2.exe");
        record.insert(record.end(), program.begin() + 1, program.end());
#endif
        record.insert(record.end(), arguments.begin(), arguments.end());
        return record;
    }

    TempDir temp;
    GameDirectoryBuilder game;
    ProgramFolders programFolders;
    fs::path settingsFile;
    BoxAnswerer boxes;
};

TEST_F(WholeProgram, StartsWithTheRosterAndLaunchesTheGameFromItsDirectory) {
    installGame();
    Application app;
    app.start();
    MainWindow& window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Vexmoor ");

    auto* bots = find<QListView>(app, "SpecificBotList");
    ASSERT_NE(bots, nullptr);
    QStringList names;
    for (int row = 0; row < bots->model()->rowCount(); ++row)
        names << bots->model()->index(row, 0).data().toString();
    EXPECT_EQ(names, (QStringList{"Bot 0001", "Bot 0002", "Bot 0003", "Bot 0004", "Bot 0005"}));

    // The game directory holds a blank; the program path is still taken whole.
    QTest::mouseClick(find<QPushButton>(app, "LaunchButton"), Qt::LeftButton);
    auto starts = startsOnceThereAre(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], expectedStart(words(kDefaultArguments)));
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());

    // Specific bots: the names go to the console script and the count leaves the command line.
    showTab(app, 1);
    ViewTest::clickMark(find<QRadioButton>(app, "SpawnSpecificBotsOption"));
    ViewTest::clickRow(bots, 0);
    ViewTest::clickRow(bots, 2);
    QTest::mouseClick(find<QPushButton>(app, "LaunchButton"), Qt::LeftButton);
    starts = startsOnceThereAre(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], expectedStart(without(words(kDefaultArguments), {"+bot_num", "1"})));
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0001 Bot~0003\r\n");
    EXPECT_TRUE(boxes.seen.empty()) << boxes.texts().front();
}

TEST_F(WholeProgram, TheReviewedCommandLineStartsOnlyOnGoAndAsEdited) {
    installGame();
    Application app;
    app.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.mainWindow()));

    showTab(app, 4);
    auto* review = find<QCheckBox>(app, "CommandLineEditCheck");
    ASSERT_EQ(review->text(), "Edit/Display command line on launch");
    ViewTest::clickMark(review);
    ASSERT_TRUE(review->isChecked());
    QTest::mouseClick(find<QPushButton>(app, "LaunchButton"), Qt::LeftButton);

    QWidget* form = openWindow("CmdLineForm");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Command Line Launch");
    EXPECT_FALSE(app.mainWindow().isEnabled());
    auto* text = form->findChild<QPlainTextEdit*>("CommandLineText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText().toStdString(), game.text() + "quake2.exe " + kDefaultArguments);

    // Edited in place: a quoted argument with a blank stays one argument.
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, " +exec \"my bots.cfg\"");
    QTest::mouseClick(form->findChild<QPushButton*>("GoButton"), Qt::LeftButton);

    const auto starts = startsOnceThereAre(1);
    ASSERT_EQ(starts.size(), 1u) << "the launch itself must not start the game";
    std::vector<std::string> edited = words(kDefaultArguments);
    edited.insert(edited.end(), {"+exec", "my bots.cfg"});
    EXPECT_EQ(starts[0], expectedStart(edited));
    EXPECT_TRUE(QTest::qWaitFor([] { return !openWindow("CmdLineForm"); }, kStartTimeoutMs));
    EXPECT_TRUE(app.mainWindow().isEnabled());
    EXPECT_TRUE(boxes.seen.empty()) << boxes.texts().front();
}

// Vexmoor started again comes up at its defaults; Play Again on the game
// listed first on the home starts it as it was started before.
TEST_F(WholeProgram, PlayAgainFromTheHomeStartsTheGameAsItsLaunchDid) {
    installGame();
    {
        Application app;
        app.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.mainWindow()));
        showTab(app, 1);
        ViewTest::clickMark(find<QRadioButton>(app, "SpawnSpecificBotsOption"));
        ViewTest::clickRow(find<QListView>(app, "SpecificBotList"), 1);
        QTest::mouseClick(find<QPushButton>(app, "LaunchButton"), Qt::LeftButton);
        ASSERT_EQ(startsOnceThereAre(1).size(), 1u);
    }
    writeBytes(game.root() / "eraser" / "launcher.cfg", "");
    Application app;
    app.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.mainWindow()));
    auto* recent = find<QListView>(app, "RecentGamesList");
    ASSERT_TRUE(QTest::qWaitFor([recent] { return recent->model()->rowCount() == 1; }, kStartTimeoutMs));
    ViewTest::clickRow(recent, 0);
    QTest::mouseClick(find<QPushButton>(app, "PlayAgainButton"), Qt::LeftButton);
    const auto starts = startsOnceThereAre(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], starts[0]);
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0002\r\n");
    EXPECT_TRUE(boxes.seen.empty()) << boxes.texts().front();
}

TEST_F(WholeProgram, AFirstRunAsksForTheGameWritesTheSettingsAndEnds) {
    // No settings file; the game lies where the chooser starts: the home
    // folder, or on Windows drive C's root.
#ifdef _WIN32
    const fs::path chooserStart("c:\\");
#else
    const fs::path chooserStart = temp.path() / "home";
#endif
    GameDirectoryBuilder firstGame(chooserStart / "Quake II");
    const auto removeGame = qScopeGuard([&firstGame] {
        std::error_code ignored;
        fs::remove_all(firstGame.root(), ignored);
    });
    firstGame.withEraserFolder().withMapArchive().withGame();
    Application app;

    // Once the chooser is up (and no message box is), walk into the game
    // directory and press Set, as a user would.
    bool chose = false;
    bool mainWindowShown = false;
    QStringList drives;
    QString startDrive, startPath;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* chooser = openWindow("BrowseForm");
        if (chose || !chooser || BoxAnswerer::anyOpen()) return;
        chose = true;
        mainWindowShown = app.mainWindow().isVisible();
        auto* driveList = chooser->findChild<QComboBox*>("QuakeDrive");
        for (int i = 0; i < driveList->count(); ++i) drives << driveList->itemText(i);
        startDrive = driveList->currentText();
        startPath = chooser->findChild<QLabel*>("Label2")->text();
        auto* folders = chooser->findChild<QListWidget*>("QuakeDir");
        const auto found = folders->findItems("Quake II", Qt::MatchExactly);
        if (found.size() == 1) {
            const QPoint at = folders->visualItemRect(found.front()).center();
            QTest::mouseClick(folders->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(folders->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        QTest::mouseClick(chooser->findChild<QPushButton*>("SetButton"), Qt::LeftButton);
    });
    user.start();
    // A bound on the whole run, should the program fail to end.
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    bound.start(30000);

    const int exitCode = app.run();

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(chose);
    // The chooser offers the system's drives and starts at drive C, or the home folder.
#ifdef _WIN32
    EXPECT_TRUE(drives.contains("c:")) << drives.join(' ').toStdString();
    EXPECT_EQ(startDrive, "c:");
    EXPECT_EQ(startPath, "c:\\");
#else
    EXPECT_EQ(drives.value(0), "/");
    EXPECT_EQ(startPath.toStdString(), (temp.path() / "home").string());
#endif
    for (const QString& drive : drives) EXPECT_EQ(drives.count(drive), 1) << drive.toStdString();
    EXPECT_FALSE(mainWindowShown);
    EXPECT_FALSE(app.mainWindow().isVisible());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].text, "Welcome! Please specify your Quake 2 directory.");
    EXPECT_EQ(boxes.seen[0].title, "Welcome to Vexmoor");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.seen[1].text, "New settings saved. Please restart Vexmoor.");
    EXPECT_EQ(boxes.seen[1].title, "vexmoor");
    ASSERT_TRUE(fs::exists(settingsFile));
    EXPECT_EQ(readBytes(settingsFile),
              "\"" + firstGame.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    // The first run reads no roster and so creates none, and starts nothing.
    EXPECT_FALSE(fs::exists(firstGame.root() / "eraser" / "bots.cfg"));
    EXPECT_TRUE(firstGame.recordedStarts().empty());
}

}  // namespace
}  // namespace vexmoor::testing
