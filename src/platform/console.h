#pragma once

namespace vexmoor {

// Lets the answers of --help, --version and --list-setups reach the console
// the program was started from. A Windows program with a window gets no
// console of its own, so from a command prompt it would print nowhere; it
// writes to its parent's console instead, unless its output already goes
// somewhere (a pipe or a file). Elsewhere the program always has its
// terminal, and this does nothing.
void useParentConsole();

}  // namespace vexmoor
