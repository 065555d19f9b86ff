// vexmoor_bare_window [<width>x<height>]
//
// The floor the main window's start-up is measured against. A main window of
// the same frame (a menu bar with two menus, six empty tabs, a status bar with
// a text), made with plain Qt and nothing of the program, shown and closed the
// way vexmoor_startup_bench shows the main window: what any Qt program with
// such a window pays to come up. Given the main window's size (which
// vexmoor_startup_bench prints), it is shown at that size, so that both pay
// for the same window area.

#include <cstdio>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char* argv[]) {
    // Offscreen unless told otherwise, as vexmoor_startup_bench does.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int width = 0;
    int height = 0;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "usage: vexmoor_bare_window [<width>x<height>]\n");
        return 2;
    }
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Launch"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));

    auto* tabs = new QTabWidget;
    for (const char* tab : {"Main", "Bots", "Maps", "Teamplay", "Gameplay", "Preferences"})
        tabs->addTab(new QWidget, QString::fromLatin1(tab));
    window.setCentralWidget(tabs);
    window.statusBar()->showMessage(QStringLiteral("v1.5.5b "));

    if (width > 0 && height > 0) window.resize(width, height);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
