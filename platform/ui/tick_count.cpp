#include "platform/ui/tick_count.h"

#include <chrono>

namespace barvell::ui {

std::uint32_t TickCount() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace barvell::ui
