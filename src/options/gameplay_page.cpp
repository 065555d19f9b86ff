#include "options/gameplay_page.h"

#include "roster/game_rules.h"

namespace vexmoor {

GameplayPage::GameplayPage(DeathmatchFlags& flags) {
    struct FlagRow {
        CheckBox& box;
        double value;
        FlagKind kind;
    };
    const FlagRow rows[] = {
        {AllowHealthCheckBox, 1, FlagKind::Inverted},       {AllowPowerupsCheckBox, 2, FlagKind::Inverted},
        {WeaponsStayCheckBox, 4, FlagKind::Enable},         {FallingDamageCheckBox, 8, FlagKind::Inverted},
        {InstantPowerupsCheckBox, 16, FlagKind::Enable},    {SameMapCheckBox, 32, FlagKind::Enable},
        {FriendlyFireCheckBox, 256, FlagKind::Inverted},    {SpawnFarthestCheckBox, 512, FlagKind::Enable},
        {ForceRespawnCheckBox, 1024, FlagKind::Inverted},   {AllowArmorCheckBox, 2048, FlagKind::Inverted},
        {AllowExitCheckBox, 4096, FlagKind::Enable},        {InfiniteAmmoCheckBox, 8192, FlagKind::Enable},
        {QuadDropCheckBox, 16384, FlagKind::Enable},        {FixedFOVCheckBox, 32768, FlagKind::Enable},
    };
    for (const auto& row : rows) wireFlagBox(row.box, row.value, row.kind, flags);

    AllowCheatsCheckBox.setFragment(" +set cheats 0");
    wireNumberFragment(AllowCheatsCheckBox, " +set cheats ");
    BotCalcNodesCheck.setFragment(" +set bot_calc_nodes 1");
    wireNumberFragment(BotCalcNodesCheck, " +set bot_calc_nodes ");
    BotConnectInfoCheckBox.setFragment(" +set bot_show_connect_info 1");
    wireNumberFragment(BotConnectInfoCheckBox, " +set bot_show_connect_info");
    ClientCommandsCheckBox.setFragment(" +set bot_allow_client_commands 1");
    wireNumberFragment(ClientCommandsCheckBox, " +set bot_allow_client_commands");
    ViewableWeaponsCheckBox.setFragment(" +set view_weapons 0");
    wireNumberFragment(ViewableWeaponsCheckBox, " +set view_weapons ");

    wirePresentOrEmpty(DedicatedCheckBox, " +set dedicated 1");
    wirePresentOrEmpty(TimelimitCheckBox, " +timelimit ", &TimeLimitText);
    wirePresentOrEmpty(FraglimitCheckBox, " +fraglimit ", &FragLimitText);

    ClientLatencyWarning.setVisible(false);
    ClientLatencyText.onChange([this] {
        const std::string text = game_rules::warningText(game_rules::latencyWarnings(ClientLatencyText.text()));
        ClientLatencyWarning.setCaption(text);
        ClientLatencyWarning.setVisible(!text.empty());
    });

    for (Control* hidden : std::initializer_list<Control*>{&MaxPlayersCheckBox, &MaxPlayersText,
                                                           &BotFreeClientsLabel, &BotFreeClientsText})
        hidden->setVisible(false);
}

std::vector<CheckBox*> GameplayPage::flagBoxes() {
    return {&AllowHealthCheckBox,     &AllowPowerupsCheckBox, &WeaponsStayCheckBox,  &FallingDamageCheckBox,
            &InstantPowerupsCheckBox, &SameMapCheckBox,       &FriendlyFireCheckBox, &SpawnFarthestCheckBox,
            &ForceRespawnCheckBox,    &AllowArmorCheckBox,    &AllowExitCheckBox,    &InfiniteAmmoCheckBox,
            &QuadDropCheckBox,        &FixedFOVCheckBox};
}

}  // namespace vexmoor
