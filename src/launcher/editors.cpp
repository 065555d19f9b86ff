#include "launcher/editors.h"

#include "launcher/vexmoor_main.h"
#include "teams/edit_team_form.h"

namespace vexmoor {

void registerEditors(VexmoorMain& main) {
    main.registerEditor(VexmoorMain::Editor::Teams, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return std::make_unique<EditTeamForm>(
            EditTeamForm::Context{m.roster(), m.services().dialogs, m.teamplay,
                                  [&m] { return m.gameDirectory(); }, [&m] { m.closeEditor(); }});
    });
}

}  // namespace vexmoor
