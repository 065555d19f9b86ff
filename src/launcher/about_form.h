#pragma once

#include <functional>

#include "core/controls.h"
#include "core/window_model.h"

namespace vexmoor {

inline constexpr const char* kVersionText = "v1.5.5b ";

class AboutForm : public WindowModel {
public:
    explicit AboutForm(std::function<void()> close);

    Label TitleLabel{"TitleLabel", "Vexmoor"};
    Label VersionLabel{"VersionLabel"};
    Label FeedbackLabel{"FeedbackLabel",
                        "A launcher for Quake 2 with the Eraser bot. Found a fault or have an idea? "
                        "Please tell us; every report makes the next version better."};
    Button OKButton{"OKButton", "OK"};

    void closeRequested() override { OKButton.click(); }
};

}  // namespace vexmoor
