// The program as the runtime enters it: its descriptor and its start routine.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"

namespace barvell::app {

constexpr WindowId kMainWindow = 0x52010001;

extern const ProgramDescriptor kProgramDescriptor;

// Initialises the runtime, allocates the global tables, registers their clean-up, loads
// the main window and runs the message loop; returns 0 when the last window is gone.
int32_t StartRoutine(const KernelEntryTable& kernel);

}  // namespace barvell::app
