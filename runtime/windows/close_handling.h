// Closing and destroying program windows: the close handling that the close box, Esc and
// the shutdown of a window share, and what follows the destruction of a window.
#pragma once

#include "runtime/templates/window_registry.h"

namespace barvell::runtime {

// Event 12, then event 1; either returning false keeps the window. Otherwise the windows
// its modal load disabled are enabled again and the window is destroyed. True when the
// window is gone.
bool CloseProgramWindow(Window& window);

// Event 2, then the platform window is destroyed and torn down.
void DestroyProgramWindow(Window& window);

// The window system reported the window component's platform window gone: event 2 if the
// window did not have it yet (it went with its owner), then the teardown.
void ProgramWindowDestroyed(Window& window);

}  // namespace barvell::runtime
