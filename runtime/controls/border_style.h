// The BorderStyle values shared by draw panel, label, picture box and edit box.
#pragma once

#include <cstdint>

#include "platform/ui/window_params.h"

namespace barvell::runtime::controls {

// 0 none, 1 sunken, 2 raised, 3 thin sunken, 4 sunken and raised, 5 a flat line; any
// other value is no border.
inline ui::ControlBorder BorderFromStyle(uint32_t style) {
  return style <= 5 ? static_cast<ui::ControlBorder>(style) : ui::ControlBorder::kNone;
}

}  // namespace barvell::runtime::controls
