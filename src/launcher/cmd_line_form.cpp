#include "launcher/cmd_line_form.h"

namespace vexmoor {

CmdLineForm::CmdLineForm(std::function<void(const std::string&)> go, std::function<void()> back)
    : WindowModel("CmdLineForm", "Command Line Launch") {
    GoButton.onClick([this, go] {
        // The text is taken before the window closes: Go starts what stands there, edits included.
        const std::string text = CommandLineText.text();
        go(text);
    });
    ReturnButton.onClick([back] { back(); });
}

}  // namespace vexmoor
