#include <QApplication>

#include "views/application.h"
#include "views/pictures.h"

int main(int argc, char* argv[]) {
    // The program takes no options, not even the toolkit's: only the
    // program's own name is handed on.
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setApplicationName(QStringLiteral("vexmoor"));
    QApplication::setWindowIcon(vexmoor::applicationIcon());
    // The program ends when its main window's model says so, not when the
    // last window happens to close (the first run has no main window on screen).
    QApplication::setQuitOnLastWindowClosed(false);

    vexmoor::Application application;
    return application.run();
}
