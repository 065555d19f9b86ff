#pragma once

#include <QThreadPool>

#include <memory>

#include "launcher/vexmoor_main.h"
#include "platform/drives.h"
#include "platform/game_places.h"
#include "platform/process_starter.h"
#include "platform/qt_alert.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_windows.h"
#include "platform/settings_location.h"
#include "roster/roster.h"
#include "views/start_options.h"

namespace vexmoor {

class MainWindow;

// The views of the launcher's side windows (chooser, command-line review,
// about box), by window name.
void registerSideWindowViews(QtWindows& windows, Dialogs& dialogs);

// The composition root: the real ports, the roster, the main window's model
// and its view, and the views of the side windows. A QApplication must exist
// before it is made.
class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up and shows the main window, unless the first run
    // keeps it hidden; with a setup named, the window comes up with it
    // loaded, and launches it when asked.
    void start(const StartOptions& options = {});
    // start(), then the event loop until the program ends; the exit code.
    int run(const StartOptions& options = {});

    VexmoorMain& model() { return *main_; }
    MainWindow& mainWindow() { return *mainWindow_; }

private:
    void registerViews();

    QtDialogs dialogs_;
    QtWindows windows_;
    QtAlert alert_;
    SystemProcessStarter processes_;
    SystemSettingsLocation settings_;
    SystemDrives drives_;
    SystemGamePlaces gamePlaces_;
    Roster roster_;
    std::unique_ptr<VexmoorMain> main_;
    std::unique_ptr<MainWindow> mainWindow_;
    // Reads the home's games after the window is shown; the destructor waits
    // for a read still running before it lets the model go.
    QThreadPool homeReader_;
};

}  // namespace vexmoor
