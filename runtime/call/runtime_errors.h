// The texts of the runtime errors the program's code raises by number.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// Error text n (1-based), or null for a number outside the table.
const char* RuntimeErrorText(int32_t error);

}  // namespace barvell::runtime
