// Runs a program on a window system from start to end, as the process entry does.
#pragma once

#include "barvell/call_interface.h"
#include "platform/ui/window_system.h"

namespace barvell::runtime {

// Attaches the program, makes `ui` the window system, installs the frame and the event
// sink, calls the start routine (which initialises the runtime, loads the start window
// and runs the message loop), then shuts down. Returns the exit code: 0 after the last
// window has closed. A fatal error or EndProgram ends the process instead.
int RunProgram(const ProgramDescriptor& program, StartRoutine start, ui::WindowSystem& ui);

}  // namespace barvell::runtime
