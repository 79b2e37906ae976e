// Numbered ranges of the batch windows: how many numbers a range holds, the bound on that,
// and a number's text filled with leading zeros.
#pragma once

#include <cstdint>
#include <string>

namespace barvell::app {

// A longer range is refused rather than filling memory with its list.
constexpr int64_t kMaxRangeCodes = 1000000;
// The refusal, error icon.
extern const char kRangeTooLongMessage[];

// Numbers first, first + step, ... up to last; 0 when first > last. Counted in 64 bits,
// so a range ending at the largest 32-bit number ends after it. Step must be positive.
int64_t RangeCount(int32_t first, int32_t last, int32_t step);
// The text preceded by as many "0" as it lacks bytes of width (a minus sign included).
std::string ZeroFilled(const std::string& text, int32_t width);

}  // namespace barvell::app
