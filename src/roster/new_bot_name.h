#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "roster/roster.h"

namespace vexmoor {

// What a new bot starts with; the user changes it in the bot profile editor.
struct NewBotDefaults {
    static constexpr const char* modelSkin = "male/cipher";
    static constexpr const char* model = "male";
    static constexpr const char* skin = "cipher";
    static constexpr int accuracy = 2;
    static constexpr int aggressiveness = 2;
    static constexpr int combatSkills = 2;
    static constexpr int favoriteWeapon = 2;  // the shotgun
    static constexpr int quadFreak = 0;
    static constexpr int camper = 0;
    static constexpr int ping = 100;
};

// The dialog that names a new bot. Add Bot appends a bot with the defaults to
// the in-memory roster and hands control back through `added`; Cancel (also
// Escape and the frame's close) through `cancelled`. The file is not written
// here: the user commits in the editor.
class NewBotName : public WindowModel {
public:
    NewBotName(Roster& roster, Dialogs& dialogs, std::function<void()> added,
               std::function<void()> cancelled);

    Label NewBotNameLabel{"NewBotNameLabel", "Enter Name for new Eraser Bot:"};
    TextBox NewBotNameText{"NewBotNameText", ""};
    Button AddBotButton{"AddBotButton", "Add Bot"};
    Button CancelAddBotButton{"CancelAddBotButton", "Cancel"};
    // How the game would read the name typed so far, one sentence a line;
    // hidden when there is nothing to say.
    Label NewBotWarningLabel{"NewBotWarningLabel"};

    void closeRequested() override { CancelAddBotButton.click(); }

    // Why the roster file could not hold a bot of this name, or nothing.
    static std::optional<std::string> unwritableNameReason(std::string_view name);

private:
    void addBot();
    void showWarnings();

    Roster& roster_;
    Dialogs& dialogs_;
    std::function<void()> added_;
};

}  // namespace vexmoor
