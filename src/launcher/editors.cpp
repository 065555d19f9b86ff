#include "launcher/editors.h"

#include "launcher/vexmoor_main.h"

namespace vexmoor {

void registerEditors(VexmoorMain& main) { static_cast<void>(main); }

}  // namespace vexmoor
