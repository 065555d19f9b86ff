// vexmoor_bare_window: the floor the main window's start-up is measured
// against. A main window of the same frame (a menu bar with two menus, six
// empty tabs, a status bar with a text), made with plain Qt and nothing of
// the program, shown and closed the way vexmoor_startup_bench shows the main
// window: what any Qt program with such a window pays to come up.

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

    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
