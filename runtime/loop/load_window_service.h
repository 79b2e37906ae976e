// The load-window service (2005): a window loaded for a command library, modally or not.
#pragma once

#include <cstdint>

#include "runtime/call/service_callback.h"

namespace barvell::runtime {

// Loads the window; a visible modal window runs the modal loop until it is gone. 0 on
// success, -1 when the window is not in the registry or cannot be created.
intptr_t LoadWindowService(const LoadWindowRecord& record);

}  // namespace barvell::runtime
