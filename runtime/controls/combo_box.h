// The combo box as the library commands reach it.
#pragma once

#include <cstdint>

#include "runtime/call/component_view.h"

namespace barvell::runtime::controls {

// The item data of item `index` (0-based); -1 when the index is below 0 or not below the
// item count, or when `object` is no combo box.
int32_t ComboItemData(ComponentObject* object, int32_t index);

}  // namespace barvell::runtime::controls
