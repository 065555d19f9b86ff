#pragma once

#include <vector>

#include "core/controls.h"
#include "options/deathmatch_flags.h"

namespace vexmoor {

// The "Gameplay" page: the general deathmatch flags and the server settings.
class GameplayPage {
public:
    explicit GameplayPage(DeathmatchFlags& flags);

    Frame ConsoleTab{"ConsoleTab"};

    Frame DeathmatchFrame{"DeathmatchFrame", "General Settings"};
    CheckBox FallingDamageCheckBox{"FallingDamageCheckBox", "Falling Damage", true,
                                   "Enables/Disables falling damage"};
    CheckBox WeaponsStayCheckBox{"WeaponsStayCheckBox", "Weapons Stay", false,
                                 "Enables/Disables weapons that don't disappear"};
    CheckBox InstantPowerupsCheckBox{"InstantPowerupsCheckBox", "Instant Powerups", false};
    CheckBox AllowPowerupsCheckBox{"AllowPowerupsCheckBox", "Allow Powerups", true,
                                   "Enable/Disable power up items"};
    CheckBox AllowHealthCheckBox{"AllowHealthCheckBox", "Allow Health", true, "Enable/Disable health boxes"};
    CheckBox AllowArmorCheckBox{"AllowArmorCheckBox", "Allow Armor", true, "Enable/Disable armor items"};
    CheckBox SpawnFarthestCheckBox{"SpawnFarthestCheckBox", "Spawn Farthest", false,
                                   "Enable/Disable spawn farthest"};
    CheckBox SameMapCheckBox{"SameMapCheckBox", "Same Map", false};
    CheckBox ForceRespawnCheckBox{"ForceRespawnCheckBox", "Force Respawn", true, "Enable/Disable force respawn"};
    CheckBox AllowExitCheckBox{"AllowExitCheckBox", "Allow Exit", false,
                               "Enable/Disable allowing exit from a level"};
    CheckBox InfiniteAmmoCheckBox{"InfiniteAmmoCheckBox", "Infinite Ammo", false, "Enable/Disable infinite ammo"};
    CheckBox QuadDropCheckBox{"QuadDropCheckBox", "Quad Drop", false,
                              "Enable/Disable dropping of quad power on death"};
    CheckBox FriendlyFireCheckBox{"FriendlyFireCheckBox", "Friendly Fire", true, "Enables/Disables friendly fire"};
    CheckBox FixedFOVCheckBox{"FixedFOVCheckBox", "Fixed FOV", false};
    CheckBox ViewableWeaponsCheckBox{"ViewableWeaponsCheckBox", "Viewable Weapons", false,
                                     "Enables VWP - "};
    CheckBox CloseOnExitCheckBox{"CloseOnExitCheckBox", "Close Application  on Exit", false};

    Frame ServerFrame{"ServerFrame", "Server Settings"};
    CheckBox CommandLineEditCheck{"CommandLineEditCheck", "Edit/Display command line on launch", false};
    CheckBox DedicatedCheckBox{"DedicatedCheckBox", "Dedicated Server", false};
    CheckBox BotCalcNodesCheck{"BotCalcNodesCheck", "Bot Dynamic Node Calculation", true,
                               "Disables Enables dynamic node calculation. "};
    CheckBox AllowCheatsCheckBox{"AllowCheatsCheckBox", "Allow Cheats", false,
                                 "Allows cheats in multiplayer game."};
    CheckBox BotConnectInfoCheckBox{"BotConnectInfoCheckBox", "Show Bot Connect Info", true,
                                    "Enables/disables the banner that's shown to clients upon connecting."};
    CheckBox ClientCommandsCheckBox{"ClientCommandsCheckBox", "Allow Client Commands", true,
                                    "Enables/disables client-side bot spawning via the console."};
    CheckBox TimelimitCheckBox{"TimelimitCheckBox", "Time Limit", false, "Sets timelimit for map level."};
    TextBox TimeLimitText{"TimeLimitText", "20"};
    CheckBox FraglimitCheckBox{"FraglimitCheckBox", "Frag Limit", false, "Sets fraglimit for level."};
    TextBox FragLimitText{"FragLimitText", "20"};
    Label ClientLatencyLabel{"ClientLatencyLabel", "Client latency (1 to 1000)",
                             "Sets client lag. Default is 1 (no lag)."};
    TextBox ClientLatencyText{"ClientLatencyText", "1"};
    // What the game makes of a latency it does not accept; hidden otherwise.
    Label ClientLatencyWarning{"ClientLatencyWarning"};

    // Present but never shown; they only travel through the settings file.
    CheckBox MaxPlayersCheckBox{"MaxPlayersCheckBox", "Max Players", false,
                                "Sets max number of players (humans + bots)."};
    TextBox MaxPlayersText{"MaxPlayersText", "8"};
    Label BotFreeClientsLabel{"BotFreeClientsLabel", "Bot free slots",
                              "Sets how many slots of total players are non-bot."};
    TextBox BotFreeClientsText{"BotFreeClientsText", "0"};

    // The fourteen flag boxes of this page in the order of their values.
    std::vector<CheckBox*> flagBoxes();
};

}  // namespace vexmoor
