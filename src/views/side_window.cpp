#include "views/side_window.h"

#include <QCloseEvent>

namespace vexmoor {

SideWindow::SideWindow(WindowModel& model, Button& wayBack, QWidget* parent)
    : QDialog(parent), model_(model), wayBack_(wayBack) {
    setModal(false);
    // A side window is closed, never minimised or maximised away from its opener.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    bindWindow(bindings_, this, model_);
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
