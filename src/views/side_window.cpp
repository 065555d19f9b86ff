#include "views/side_window.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QShortcut>

namespace vexmoor {

SideWindow::SideWindow(WindowModel& model, Button& wayBack, QWidget* parent)
    : QDialog(parent), model_(model), wayBack_(wayBack) {
    setModal(false);
    // A side window is closed, never minimised or maximised away from its opener.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    bindWindow(bindings_, this, model_);
    // File, Exit of the main window, which waits disabled behind this one;
    // the window that opened this one says what it does here, if anything.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    QObject::connect(quit, &QShortcut::activated, this, [this] {
        if (!detached_) model_.quitRequested();
    });
}

void SideWindow::detachFromModel() {
    detached_ = true;
    bindings_.release();
}

void SideWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!detached_) model_.closeRequested();
}

void SideWindow::reject() {
    if (!detached_) wayBack_.click();
}

}  // namespace vexmoor
