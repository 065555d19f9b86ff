#pragma once

#include <map>

#include <functional>
#include <string>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"

namespace vexmoor {

class GameSetups;

// The Game Setups window: the setups saved for the game directory, with
// Save Current Game under the name typed, Load, Load and Launch, Delete and
// Return to Main.
class SetupsForm : public WindowModel {
public:
    SetupsForm(GameSetups& setups, Dialogs& dialogs, std::string gameDirectory, std::function<void()> back);

    // "Last game" first, the others by name.
    ListBox SetupList{"SetupList", ListBox::Mode::Single};
    TextBox SetupNameText{"SetupNameText", ""};
    Button SaveSetupButton{"SaveSetupButton", "&Save Current Game"};
    Button LoadSetupButton{"LoadSetupButton", "&Load"};
    Button LaunchSetupButton{"LaunchSetupButton", "Load and La&unch"};
    Button DeleteSetupButton{"DeleteSetupButton", "&Delete"};
    // The chosen setup under the name typed in the name box.
    Button RenameSetupButton{"RenameSetupButton", "Re&name"};
    Button DuplicateSetupButton{"DuplicateSetupButton", "D&uplicate"};
    Button SetupsExitButton{"SetupsExitButton", "Return to Main"};
    // Whose setups these are: they are offered only for their game directory.
    Label SetupsGameLabel{"SetupsGameLabel"};

    void closeRequested() override { SetupsExitButton.click(); }

    // A listed setup's summary, shown under its name.
    std::string summaryOf(const std::string& name) const;

private:
    // Lists the setups afresh and selects the named one, if listed.
    void fill(const std::string& select);
    void followSelection();
    void save();
    void load(bool launch);
    void remove();
    void rename();
    void duplicate();
    // What the store said of a rename or copy, told when it refused.
    bool done(const Status& status, const char* what, const std::string& name);

    GameSetups& setups_;
    Dialogs& dialogs_;
    std::string gameDirectory_;
    std::map<std::string, std::string> summaries_;
};

}  // namespace vexmoor
