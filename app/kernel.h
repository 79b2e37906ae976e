// The program's one link to the runtime: the kernel entry table it is handed at start.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

void SetKernel(const KernelEntryTable* kernel);
const KernelEntryTable& Kernel();

}  // namespace barvell::app
