// The program's handler table: the code base that the window templates' handler offsets
// count from (offset = index × kHandlerStride).
#pragma once

#include <cstddef>

#include "barvell/call_interface.h"

namespace barvell::app {

extern const HandlerEntry kHandlerTable[];
extern const size_t kHandlerCount;

}  // namespace barvell::app
