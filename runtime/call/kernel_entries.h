// The KernelEntryTable the runtime hands to the program: its thirteen entries in order.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

const KernelEntryTable& KernelEntries();

}  // namespace barvell::runtime
