// The message loop: normal mode until the last window is gone, modal mode while a window
// loaded modally is open, idle processing in between.
#pragma once

#include "runtime/templates/window_registry.h"

namespace barvell::runtime {

// Entry 11. Returns at once when no window is loaded.
void RunMessageLoop();
// Runs the loop in modal mode until `window` is no longer loaded (or a quit is posted).
void RunModalLoop(Window& window);
// Dispatches the pending events once and returns (the pending-message command).
void DoEvents();

}  // namespace barvell::runtime
