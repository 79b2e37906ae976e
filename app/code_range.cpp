#include "code_range.h"

namespace barvell::app {

const char kRangeTooLongMessage[] = "编码数量超过1000000个,请缩小范围";

int64_t RangeCount(int32_t first, int32_t last, int32_t step) {
  if (first > last) return 0;
  return (int64_t(last) - first) / step + 1;
}

std::string ZeroFilled(const std::string& text, int32_t width) {
  if (int64_t(text.size()) >= width) return text;
  return std::string(size_t(width) - text.size(), '0') + text;
}

}  // namespace barvell::app
