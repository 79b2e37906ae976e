// The program's other windows, by the ids of their templates.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

constexpr WindowId kProductBatchWindow = 0x520101FC;
constexpr WindowId kCode39BatchWindow = 0x52010258;
constexpr WindowId kTutorialWindow = 0x52010352;

}  // namespace barvell::app
