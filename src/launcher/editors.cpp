#include "launcher/editors.h"

#include <memory>

#include "chat/chat_edit_form.h"
#include "launcher/vexmoor_main.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"

namespace vexmoor {

namespace {

// Return to Main closes the editor and refills the main window's bot list.
std::unique_ptr<WindowModel> botProfileEditor(VexmoorMain& main) {
    // The list shows the names as they were until it is refilled, while the editor changes the roster.
    main.bots.SpecificBotList.keepOwnCopy();
    const auto gameDirectory = [&main] { return main.gameDirectory(); };
    const auto returnToMain = [&main] {
        main.closeEditor();
        main.bots.fillSpecificBots(main.roster());
    };
    Services& services = main.services();
    return std::make_unique<BotConfigForm>(BotConfigForm::Host{
        main.roster(), services.dialogs, services.windows, gameDirectory, returnToMain, &main.rewrites()});
}

}  // namespace

void registerEditors(VexmoorMain& main) {
    main.registerEditor(VexmoorMain::Editor::BotProfiles, botProfileEditor);
    main.registerEditor(VexmoorMain::Editor::Teams, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return std::make_unique<EditTeamForm>(EditTeamForm::Context{
            m.roster(), m.services().dialogs, m.teamplay, [&m] { return m.gameDirectory(); },
            [&m] { m.closeEditor(); }, &m.rewrites()});
    });
    main.registerEditor(VexmoorMain::Editor::Chat, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return ChatEditForm::open(
            chatPath(m.gameDirectory()), m.services().dialogs, m.services().windows,
            [&m] { m.closeEditor(); }, &m.rewrites());
    });
    main.registerEditor(VexmoorMain::Editor::MapCycle, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return MapCycleEditForm::open(
            m.maps, mapCyclePath(m.gameDirectory()), m.services().dialogs, [&m] { m.closeEditor(); },
            &m.rewrites());
    });
}

}  // namespace vexmoor
