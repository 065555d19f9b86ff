#pragma once

#include <functional>
#include <map>
#include <string>

#include <QPointer>
#include <QWidget>

#include "core/ports.h"

namespace vexmoor {

// What the registry needs of a window's view beyond being a widget: a way to
// cut it off from its model, which may be destroyed once the window closed
// while the widget itself is only deleted later.
class ModelView {
public:
    virtual ~ModelView() = default;
    virtual void detachFromModel() = 0;
};

// Puts window models on screen: each window name has a view factory; the
// main window's view is handed over once and lives as long as the program.
class QtWindows : public Windows {
public:
    using Factory = std::function<QWidget*(WindowModel&)>;

    QtWindows() = default;
    QtWindows(const QtWindows&) = delete;
    QtWindows& operator=(const QtWindows&) = delete;
    ~QtWindows() override;

    void registerView(const std::string& windowName, Factory factory);
    void setMainWindow(WindowModel& model, QWidget* view);

    void open(WindowModel& window) override;
    void close(WindowModel& window) override;
    void focus(WindowModel& window) override;
    void quit() override;

    // The view showing a window model, or null.
    QWidget* viewOf(const WindowModel& window) const;

    // Deletes the side windows' views at once; done before their models go.
    void deleteViews();

private:
    void placeInFront(QWidget* view);

    std::map<std::string, Factory> factories_;
    WindowModel* mainModel_ = nullptr;
    QPointer<QWidget> mainView_;
    std::map<const WindowModel*, QPointer<QWidget>> views_;
};

}  // namespace vexmoor
