#pragma once
// The desktop window system (wxWidgets). Declared here, free of wx, so the program's entry
// can ask for it; built only with the desktop backend (barvell_platform_ui_wx).

#include <memory>

#include "platform/ui/window_system.h"

namespace barvell::ui {

// Initialises the desktop toolkit. Returns null, without crashing, when there is no
// display to open (or the toolkit cannot start); one per process.
std::unique_ptr<WindowSystem> CreateDesktopWindowSystem(int argc, char** argv);

}  // namespace barvell::ui
