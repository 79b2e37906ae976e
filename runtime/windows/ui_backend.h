// The window system the runtime runs on: the desktop or the headless backend, chosen by
// the entry point before the program starts. Everything in the runtime reaches windows
// through it.
#pragma once

#include "platform/ui/window_system.h"

namespace barvell::runtime {

void SetWindowSystem(ui::WindowSystem* system);
ui::WindowSystem& Ui();
bool HasWindowSystem();

}  // namespace barvell::runtime
