// Conversion between the raw values of a type's property reader and writer and the 64-bit
// values the program reads and writes, by the property's data-type code.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/call/type_descriptor.h"

namespace barvell::runtime {

// The program's value of a raw value read: texts and byte arrays as new heap blocks.
int64_t ConvertReadValue(uint16_t data_type, const RawProperty& raw, int32_t element);

// The standard cursors by number, as the mouse-pointer property numbers them: the
// platform cursor id, or 0 for the default cursor.
std::span<const uint32_t> StandardCursors();

}  // namespace barvell::runtime
