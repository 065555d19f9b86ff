#include <cstdio>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include "views/application.h"
#include "views/pictures.h"

namespace {

// --help and --version print and end the program before any window or
// display is needed; the text to print, or nothing for an ordinary start.
std::optional<QString> informationAsked(int argc, char* argv[]) {
    if (argc < 2) return std::nullopt;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // The parser names the program from the running application's first
    // argument; a core application needs no display.
    int programOnly = 1;
    QCoreApplication core(programOnly, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexmoor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXMOOR_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A launcher for Quake 2 with the Eraser bot modification.\n"
                       "Started without options, it opens its window; it keeps its settings in "
                       "$XDG_CONFIG_HOME/vexmoor.ini (~/.config/vexmoor.ini).\n"
                       "A Windows quake2.exe is started through Wine: the program VEXMOOR_WINE names, "
                       "or wine from PATH."));
    // Not addHelpOption(): it offers --help-all for the toolkit's options,
    // which the program does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    // Anything else is ignored, as the program has always done.
    parser.parse(arguments);
    if (parser.isSet(help)) return parser.helpText();
    if (parser.isSet(version))
        return QCoreApplication::applicationName() + QLatin1Char(' ') +
               QCoreApplication::applicationVersion() + QLatin1Char('\n');
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto text = informationAsked(argc, argv)) {
        std::fputs(text->toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    // The program takes no options, not even the toolkit's: only the
    // program's own name is handed on.
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
    return application.run();
}
