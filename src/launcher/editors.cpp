#include "launcher/editors.h"

#include "chat/chat_edit_form.h"
#include "launcher/vexmoor_main.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"

namespace vexmoor {

void registerEditors(VexmoorMain& main) {
    main.registerEditor(VexmoorMain::Editor::Chat, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return ChatEditForm::open(chatPath(m.gameDirectory()), m.services().dialogs, m.services().windows,
                                  [&m] { m.closeEditor(); });
    });
    main.registerEditor(VexmoorMain::Editor::MapCycle, [](VexmoorMain& m) -> std::unique_ptr<WindowModel> {
        return MapCycleEditForm::open(m.maps, mapCyclePath(m.gameDirectory()), m.services().dialogs,
                                      [&m] { m.closeEditor(); });
    });
}

}  // namespace vexmoor
