#pragma once

#include "core/controls.h"
#include "core/ports.h"
#include "roster/roster.h"

namespace vexmoor {

// The "Bots" page: spawn mode, bot count and skill, and the specific bots.
class BotsPage {
public:
    explicit BotsPage(Alert& alert);

    Frame BotTab{"BotTab"};

    OptionGroup spawnMode;
    OptionButton SpawnSpecificBotsOption{"SpawnSpecificBotsOption", "Spawn Specific Bots", spawnMode, false};
    OptionButton SpawnRandomBotsOption{"SpawnRandomBotsOption", "Spawn Random Bots", spawnMode, true};
    Button EditChatButton{"EditChatButton", "Edit Bot Chat"};
    Button BotEditButton{"BotEditButton", "Edit Bot Profiles", "Edits particular bot's settings."};

    Frame BotSkillFrame{"BotSkillFrame", "Bot Skill"};
    CheckBox BotAutoskillCheck{"BotAutoskillCheck", "Auto Skill", true,
                               "Enables/Disables automatic skill adjustment."};
    RangeControl BotSkillSlider{"BotSkillSlider", 0, 3, 0, "Adjusts the skill level of the bots. "};
    Label BotSkillLabel{"BotSkillLabel", "Easy"};

    Frame BotNumberFrame{"BotNumberFrame"};
    RangeControl BotNumScroll{"BotNumScroll", 0, 30, 1};
    TextBox BotNumText{"BotNumText", "1", "Number of bots to be spawned."};
    Label BotNumLabel{"BotNumLabel", "Number of Bots (0-30)"};

    Frame SpawnSpecificBotsFrame{"SpawnSpecificBotsFrame"};
    ListBox SpecificBotList{"SpecificBotList", ListBox::Mode::Multiple};
    // Shows the bots whose names hold its text; bots chosen and then
    // filtered out stay chosen and are launched.
    FilterText SpecificBotFilter{"SpecificBotFilter"};
    // "6 of 28 bots chosen", after every tick.
    Label SpecificBotCountLabel{"SpecificBotCountLabel", "0 of 0 bots chosen"};

    // Shows the roster's bot names in roster order, read from the roster
    // itself: until the next fill the names must not change, or the list
    // keeps a copy first (ListBox::keepOwnCopy).
    void fillSpecificBots(const Roster& roster);

    static const char* skillName(int position);

private:
    void countTextChanged();
    void setSpecificEnabled(bool enabled);
    Alert& alert_;
    Connection chosenCountLink_;
};

}  // namespace vexmoor
