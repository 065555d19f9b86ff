#pragma once

namespace vexmoor {

class VexmoorMain;

// Registers the four side editors with the main window (bot profiles, chat,
// map cycle, teams), each made afresh at every opening. The program and the
// tests that open editors from the main window call it once after making
// the main window.
void registerEditors(VexmoorMain& main);

}  // namespace vexmoor
