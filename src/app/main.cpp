#include <cstdio>
#include <optional>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include "platform/console.h"
#include "platform/game_places.h"
#include "platform/settings_location.h"
#include "views/application.h"
#include "views/pictures.h"
#include "views/start_options.h"

namespace {

// The options are read before any window or display is needed: --help,
// --version, --list-setups, --find-games and options that cannot be
// followed are answered on the terminal and end the program there.
vexmoor::CommandLineRequest requestOf(int argc, char* argv[]) {
    if (argc < 2) return {};
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // The parser names the program from the running application's first
    // argument; a core application needs no display.
    int programOnly = 1;
    QCoreApplication core(programOnly, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexmoor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXMOOR_VERSION));
    return vexmoor::readCommandLine(arguments, vexmoor::SystemSettingsLocation(),
                                    vexmoor::SystemGamePlaces());
}

}  // namespace

int main(int argc, char* argv[]) {
    const vexmoor::CommandLineRequest request = requestOf(argc, argv);
    if (request.exitStatus) {
        vexmoor::useParentConsole();
        std::fputs(request.output.c_str(), stdout);
        std::fputs(request.errors.c_str(), stderr);
        return std::fflush(stdout) == 0 ? *request.exitStatus : 1;
    }

    // The toolkit's own options are not taken: only the program's own name
    // is handed on.
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setApplicationName(QStringLiteral("vexmoor"));
    QApplication::setApplicationVersion(QStringLiteral(VEXMOOR_VERSION));
    // The installed desktop entry: desktops match windows to their menu
    // entry and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VEXMOOR_APP_ID));
    QApplication::setWindowIcon(vexmoor::applicationIcon());
    // The program ends when its main window's model says so, not when the
    // last window happens to close (the first run has no main window on screen).
    QApplication::setQuitOnLastWindowClosed(false);

    vexmoor::Application application;
    return application.run(request.start);
}
