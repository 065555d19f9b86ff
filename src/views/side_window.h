#pragma once

#include <QDialog>

#include "core/controls.h"
#include "core/window_model.h"
#include "platform/qt_windows.h"
#include "views/binding.h"

namespace vexmoor {

// A side window: non-modal, with a way back (Cancel, Return, OK) that
// Escape and the frame's close button both take, so the window that opened
// it never stays disabled. The model closes the window; the view only asks.
class SideWindow : public QDialog, public ModelView {
public:
    SideWindow(WindowModel& model, Button& wayBack, QWidget* parent = nullptr);

    void detachFromModel() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    Bindings bindings_;

private:
    WindowModel& model_;
    Button& wayBack_;
    bool detached_ = false;
};

}  // namespace vexmoor
