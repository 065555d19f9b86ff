// vexmoor_bare_window: a bare Qt window, shown and closed the way
// vexmoor_startup_bench shows the main window; what any Qt program pays to
// come up, to compare the main window's start-up with.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(850, 510);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
