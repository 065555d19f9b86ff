#include "launcher/editors.h"

#include <memory>

#include "launcher/vexmoor_main.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"

namespace vexmoor {

namespace {

// Return to Main closes the editor and refills the main window's bot list.
std::unique_ptr<WindowModel> botProfileEditor(VexmoorMain& main) {
    const auto gameDirectory = [&main] { return main.gameDirectory(); };
    const auto returnToMain = [&main] {
        main.closeEditor();
        main.bots.fillSpecificBots(main.roster());
    };
    Services& services = main.services();
    return std::make_unique<BotConfigForm>(
        BotConfigForm::Host{main.roster(), services.dialogs, services.windows, gameDirectory, returnToMain});
}

}  // namespace

void registerEditors(VexmoorMain& main) {
    main.registerEditor(VexmoorMain::Editor::BotProfiles, botProfileEditor);
    main.registerEditor(VexmoorMain::Editor::Teams, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return std::make_unique<EditTeamForm>(
            EditTeamForm::Context{m.roster(), m.services().dialogs, m.teamplay,
                                  [&m] { return m.gameDirectory(); }, [&m] { m.closeEditor(); }});
    });
}

}  // namespace vexmoor
