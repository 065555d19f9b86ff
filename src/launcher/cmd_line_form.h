#pragma once

#include <functional>
#include <string>

#include "core/controls.h"
#include "core/window_model.h"

namespace vexmoor {

// The command-line review window: the command line, editable, with Go and
// Return to Main.
class CmdLineForm : public WindowModel {
public:
    CmdLineForm(std::function<void(const std::string&)> go, std::function<void()> back);

    TextBox CommandLineText{"CommandLineText", ""};
    Label Label1{"Label1", "USE AT YOUR OWN RISK!"};
    Label CommandLineLabel{"CommandLineLabel",
                           "This option is provided for experienced users. Vexmoor takes no responsibility "
                           "for things going wonky."};
    Button GoButton{"GoButton", "Go"};
    Button ReturnButton{"ReturnButton", "Return to Main"};

    void closeRequested() override { ReturnButton.click(); }
};

}  // namespace vexmoor
