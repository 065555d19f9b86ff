#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "history/rewrite_guard.h"
#include "roster/new_bot_name.h"
#include "roster/roster.h"

namespace vexmoor {

// The bot profile editor. It keeps no bot data of its own: every change goes
// at once into the in-memory roster, and only Commit Changes writes the file.
// The list index of BotNameList is the roster index.
//
// Browsing (a bot selected): the frame is disabled and the model and skin
// show as labels. Editing (Edit Bot): the frame is enabled and the model and
// skin lists are shown. Showing a bot never changes the roster; a value the
// sliders or check boxes cannot show stays as stored until the user changes
// that control.
class BotConfigForm : public WindowModel {
public:
    // What the editor needs of the window that opened it.
    struct Host {
        Roster& roster;
        Dialogs& dialogs;
        Windows& windows;
        // The game directory text, asked afresh at each use. The roster
        // file is the one it names when the editor opens.
        std::function<std::string()> gameDirectory;
        // Closes the editor and gives the main window back, its bot list refilled.
        std::function<void()> returnToMain;
        // What Commit Changes goes through before it rewrites the roster, when given.
        RewriteGuard* rewrites = nullptr;
    };

    explicit BotConfigForm(Host host);
    ~BotConfigForm() override;

    ListBox BotNameList{"BotNameList", ListBox::Mode::Single};
    // Shows the bots whose names hold its text; the bot shown stays chosen.
    FilterText BotNameFilter{"BotNameFilter"};
    Label BotNameLabel{"BotNameLabel", "Bot Name"};
    Button NewBotButton{"NewBotButton", "New Bot"};
    Button EditBotButton{"EditBotButton", "Edit Bot"};
    Button DeleteBotButton{"DeleteBotButton", "Delete Bot"};
    Button CommitChangesButton{"CommitChangesButton", "Commit Changes"};
    Button ExitButton{"ExitButton", "Return to Main"};

    Frame BotInfoFrame{"BotInfoFrame"};
    Label BotModelListLabel{"BotModelListLabel", "Bot Model"};
    ListBox ModelList{"ModelList", ListBox::Mode::Single};
    Label BotModelThing{"BotModelThing"};
    Label BotSkinListLabel{"BotSkinListLabel", "Bot Skin"};
    ListBox SkinList{"SkinList", ListBox::Mode::Single};
    Label BotSkinThing{"BotSkinThing"};
    Label FiringAccuracySliderLabel{"FiringAccuracySliderLabel", "Firing Accuracy is"};
    RangeControl FiringAccuracySlider{"FiringAccuracySlider", 1, 5, 1};
    Label FiringAccuracyLabel{"FiringAccuracyLabel"};
    Label AgressivenessSliderLabel{"AgressivenessSliderLabel", "Agressiveness is"};
    RangeControl AgressivenessSlider{"AgressivenessSlider", 1, 5, 1};
    Label AgressivenessLabel{"AgressivenessLabel"};
    Label CombatSkillsSliderLabel{"CombatSkillsSliderLabel", " Combat Skills is"};
    RangeControl CombatSkillsSlider{"CombatSkillsSlider", 1, 5, 1};
    Label CombatSkillsLabel{"CombatSkillsLabel"};
    Label FavoriteWeaponLabel{"FavoriteWeaponLabel", "Favorite Weapon is"};
    RangeControl FavoriteWeaponSlider{"FavoriteWeaponSlider", 1, 10, 1};
    Label BotFavoriteWeapon{"BotFavoriteWeapon"};
    Label AveragePingLabel{"AveragePingLabel", "Average Ping (0-400)"};
    TextBox PingText{"PingText", "0"};
    CheckBox QuadFreakCheckBox{"QuadFreakCheckBox", "Quad Freak", false};
    CheckBox CamperCheckBox{"CamperCheckBox", "Camper", false};
    // Decoration without text; the window leaves them out.
    Label StatusBar1{"StatusBar1"};
    Label StatusBar2{"StatusBar2"};
    // How the game would read the bot shown, one sentence a line; hidden
    // when there is nothing to say.
    Label BotWarningLabel{"BotWarningLabel"};

    // The new-bot dialog last opened; kept after it closes, since it closes
    // from inside its own buttons.
    NewBotName* newBotName() { return newBotName_.get(); }

    // The favourite-weapon slider: its label at a position (1 to 10), the
    // value the game understands for it, and the position a stored value
    // shows at (nothing for a value that is no weapon of the table).
    static const char* weaponName(int position);
    static int weaponValue(int position);
    static std::optional<int> weaponPosition(const RosterValue& stored);

    void closeRequested() override;
    // Whether the roster as Commit Changes would write it differs from what
    // bots.cfg holds now: an edit undone by hand is no change, and one kept
    // in memory from an earlier visit still is.
    bool hasUnwrittenChanges() const;
    // The game directory text now; the views find the skins' faces under it.
    std::string gameDirectory() const { return gameDirectory_(); }

private:
    using Values = std::vector<RosterValue> Roster::*;

    void open();
    std::optional<std::size_t> selectedBot() const;
    void showBot(std::size_t bot);
    void showWarnings();
    void editBot();
    void deleteBot();
    void newBot();
    void botAdded();
    bool commitChanges();
    TextList committedModelSkins() const;
    void leave();

    void skillMoved(RangeControl& slider, Label& label, Values values);
    void weaponMoved();
    void flagClicked(CheckBox& box, const char* caption, Values values);
    void pingChanged();
    void modelChosen();
    void skinChosen();

    Roster& roster_;
    Dialogs& dialogs_;
    Windows& windows_;
    std::function<std::string()> gameDirectory_;
    std::function<void()> returnToMain_;
    RewriteGuard* rewrites_;
    // Where the roster came from: Commit Changes writes there and nowhere else.
    std::filesystem::path rosterFile_;
    // Set while a bot is being shown: the controls follow the roster then,
    // and nothing they report is stored back.
    bool showing_ = false;
    // Per bot: whether the user chose its model or skin in this editor.
    // Commit joins the halves of those bots and of every bot whose text the
    // halves came from; any other text stays as read.
    std::vector<bool> appearanceChosen_;
    std::unique_ptr<NewBotName> newBotName_;
};

}  // namespace vexmoor
