// The mouse cursor a component's cursor data names.
#pragma once

#include <cstdint>
#include <span>

#include "platform/ui/window_params.h"

namespace barvell::runtime {

// The cursor for the data: none for empty data or four zero bytes (the default cursor).
// A standard cursor id maps to its cursor; an id without one and the bytes of a cursor
// file, which cannot be shown here, give the arrow.
const ui::Cursor* CursorFromData(std::span<const uint8_t> data);

}  // namespace barvell::runtime
