#pragma once

#include <functional>
#include <string>

#include "core/ports.h"
#include "core/signal.h"

namespace vexmoor {

// A window's own properties; the window models of every subsystem derive from it.
class WindowModel {
public:
    WindowModel(std::string name, std::string caption) : name_(std::move(name)), caption_(std::move(caption)) {}
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;
    virtual ~WindowModel() = default;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        if (enabled_ == enabled) return;
        enabled_ = enabled;
        changed_.emit();
    }
    bool visible() const { return visible_; }
    void setVisible(bool visible) {
        if (visible_ == visible) return;
        visible_ = visible;
        changed_.emit();
    }

    Signal<>& changed() { return changed_; }

    // Closing through the window frame: every side window treats it like its
    // own way back, so its opener never stays disabled.
    virtual void closeRequested() {}

    // Ending the program from inside this window (Ctrl+Q): the window that
    // opened it says how, when it offers that; otherwise nothing happens.
    void onQuitRequest(std::function<void()> quit) { quit_ = std::move(quit); }
    void quitRequested() {
        if (quit_) quit_();
    }

private:
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Signal<> changed_;
    std::function<void()> quit_;
};

// A side window is non-modal, but its opener stays disabled while it is open.
inline void openSideWindow(Windows& windows, WindowModel& opener, WindowModel& window) {
    opener.setEnabled(false);
    windows.open(window);
}

inline void closeSideWindow(Windows& windows, WindowModel& opener, WindowModel& window) {
    windows.close(window);
    opener.setEnabled(true);
    windows.focus(opener);
}

}  // namespace vexmoor
