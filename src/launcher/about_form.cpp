#include "launcher/about_form.h"

namespace vexmoor {

AboutForm::AboutForm(std::function<void()> close) : WindowModel("AboutForm", "About Vexmoor") {
    VersionLabel.setCaption(std::string("Version ") + kVersionText);
    OKButton.onClick([close] { close(); });
}

}  // namespace vexmoor
