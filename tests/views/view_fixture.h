#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QListView>
#include <QListWidget>
#include <QPoint>
#include <QTabWidget>
#include <QWidget>

#include "launcher/vexmoor_main.h"
#include "platform/qt_windows.h"
#include "roster/roster.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/main_fixture.h"
#include "views/main_window.h"

namespace vexmoor::testing {

// The real window registry, except that ending the program is only counted:
// a test has no event loop to end.
class TestWindows : public QtWindows {
public:
    void quit() override { ++quits; }
    int quits = 0;
};

// The real main window and side windows on a generated game directory, with
// fake message boxes, process starts and drives. The chooser's home drive is
// a folder of the test's own.
class ViewTest : public ::testing::Test {
public:
    // Helpers that need no window of the fixture; the whole-program tests use them too.

    // Lets deferred deletions and posted events run.
    static void settle();
    static void clickRow(QAbstractItemView* list, int row);
    // What a list shows: its rows' texts, whether a row is selected, the current row's text.
    static QStringList rowsOf(const QAbstractItemView* list);
    static bool rowSelected(const QAbstractItemView* list, int row);
    static QString currentText(const QAbstractItemView* list);
    // Types text a key at a time, whatever its characters (QTest's typing knows only ASCII).
    static void type(QWidget* field, const QString& text);
    // Clicks a check box or option button on its mark, where a user would.
    static void clickMark(QWidget* button);
    // Clicks the check box of a list's row, where a user would.
    static void clickCheck(QListView* list, int row);

protected:
    ViewTest();
    ~ViewTest() override;

    // Builds the model, runs its start-up and shows the window (unless the
    // first run keeps it hidden).
    void open();
    // The same afresh, on the game directory as it stands now: the program
    // open() made, if any, goes first. For tables that start each row anew.
    void reopen();

    // A widget of the main window; a page not shown yet is built for it.
    template <class W>
    W* find(const std::string& name) const {
        if (W* found = window->findChild<W*>(QString::fromStdString(name))) return found;
        window->buildEveryPage();
        return window->findChild<W*>(QString::fromStdString(name));
    }
    // Shows a tab of the main window, clicks one of its Edit buttons and
    // returns the editor's view (null when none opened).
    QWidget* openEditor(int tab, const char* button);
    // The view of an open side window, or null.
    QWidget* sideView(const WindowModel* model) const { return model ? windows.viewOf(*model) : nullptr; }
    void showTab(int index) const;

    // The roster bots.cfg holds now, read as the game reads it.
    Roster rosterFile() const;

    // Every control of the main window's model, pages included.
    std::vector<Control*> controls() const;

    TempDir temp;
    GameDirectoryBuilder game;
    std::filesystem::path home;
    std::filesystem::path settingsFile;
    std::filesystem::path versionsFolder;
    FakeDialogs dialogs;
    TestWindows windows;
    FakeAlert alert;
    FakeProcessStarter processes;
    FakeSettingsLocation settings;
    FakeDrives drives;
    // Where the chooser looks for games; by default nowhere.
    const GamePlaces* gamePlaces = nullptr;
    Roster roster;
    std::unique_ptr<VexmoorMain> main;
    std::unique_ptr<MainWindow> window;
};

}  // namespace vexmoor::testing
