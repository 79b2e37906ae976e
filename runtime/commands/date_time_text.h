// The text of a date-time value: a double counting days since 1899-12-30, its fraction
// the time of day.
#pragma once

#include <string>

namespace barvell::runtime {

// "%d年%d月%d日", then the time down to its last non-zero field: "%d时%d分%d秒",
// "%d时%d分" or "%d时". Dates are clamped to 0100-01-01 .. 9999-12-31 23:59:59.
std::string DateTimeText(double value);

}  // namespace barvell::runtime
