// Start-up of the runtime frame: the loader, the dispatcher and the message loop wired
// into the hooks and kernel entries, and the start window.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

// Installs the window loader, the dispatcher, the load-window service (2005), the
// shutdown's window steps and kernel entries 11 (RunMessageLoop) and 12 (LoadStartWindow). Call after AttachProgram
// and before the start routine.
void InstallFrame();

// Entry 12: loads the window as a top-level window without owner; a window missing from
// the registry or that cannot be created is the fatal error "载入启动窗口失败".
void LoadStartWindow(WindowId window);

}  // namespace barvell::runtime
