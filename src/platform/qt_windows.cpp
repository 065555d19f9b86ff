#include "platform/qt_windows.h"

#include <algorithm>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "core/window_model.h"

namespace vexmoor {

QtWindows::~QtWindows() { deleteViews(); }

void QtWindows::deleteViews() {
    auto views = std::move(views_);
    views_.clear();
    for (auto& [model, view] : views) {
        if (!view) continue;
        if (auto* bound = dynamic_cast<ModelView*>(view.data())) bound->detachFromModel();
        delete view.data();
    }
}

void QtWindows::registerView(const std::string& windowName, Factory factory) {
    factories_[windowName] = std::move(factory);
}

void QtWindows::setMainWindow(WindowModel& model, QWidget* view) {
    mainModel_ = &model;
    mainView_ = view;
}

QWidget* QtWindows::viewOf(const WindowModel& window) const {
    if (&window == mainModel_) return mainView_;
    const auto found = views_.find(&window);
    return found == views_.end() ? nullptr : found->second.data();
}

void QtWindows::open(WindowModel& window) {
    if (&window == mainModel_) {
        if (mainView_) mainView_->show();
        return;
    }
    QWidget* view = viewOf(window);
    if (!view) {
        const auto factory = factories_.find(window.name());
        if (factory == factories_.end()) {
            qWarning("vexmoor: no view for window %s", window.name().c_str());
            return;
        }
        view = factory->second(window);
        if (!view) return;
        views_[&window] = view;
    }
    placeInFront(view);
    view->show();
    view->raise();
    view->activateWindow();
}

// Side windows are top-level windows of their own: a child window would be
// disabled along with the main window it belongs to. They are kept in front
// of the main window as its transients instead, and centred over it.
void QtWindows::placeInFront(QWidget* view) {
    view->adjustSize();
    QRect area;
    if (mainView_ && mainView_->isVisible()) {
        view->winId();
        mainView_->winId();
        if (QWindow* handle = view->windowHandle()) handle->setTransientParent(mainView_->windowHandle());
        area = mainView_->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame = view->frameGeometry();
        frame.moveCenter(area.center());
        // A window larger than the one it covers still opens whole on the screen.
        if (const QScreen* screen = mainView_ ? mainView_->screen() : QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())));
            frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
        }
        view->move(frame.topLeft());
    }
}

void QtWindows::close(WindowModel& window) {
    if (&window == mainModel_) {
        if (mainView_) mainView_->hide();
        return;
    }
    const auto found = views_.find(&window);
    if (found == views_.end()) return;
    QPointer<QWidget> view = found->second;
    views_.erase(found);
    if (!view) return;
    if (auto* bound = dynamic_cast<ModelView*>(view.data())) bound->detachFromModel();
    view->hide();
    // The close may come from one of the view's own buttons, still on the stack.
    view->deleteLater();
}

void QtWindows::focus(WindowModel& window) {
    QWidget* view = viewOf(window);
    if (!view || !view->isVisible()) return;
    view->raise();
    view->activateWindow();
}

void QtWindows::quit() {
    // Queued: the request may come from inside a handler, or before the event
    // loop runs. exit() rather than quit(): the windows have said their last
    // word already and are not asked again.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace vexmoor
