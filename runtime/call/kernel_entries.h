// The KernelEntryTable the runtime hands to the program: its thirteen entries in order.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

const KernelEntryTable& KernelEntries();

// Entries 11 and 12 belong to the message loop and the window loader; until they exist
// the loop returns at once (no window is loaded) and the start window cannot be loaded.
struct FrameEntries {
  void (*run_message_loop)() = nullptr;
  void (*load_start_window)(WindowId window) = nullptr;
};
void SetFrameEntries(FrameEntries entries);

}  // namespace barvell::runtime
