#pragma once
// Milliseconds of a monotonic clock, for the idle timing of the event loop (the runtime's
// own sources cannot include <chrono>: they are compiled for the GBK character set).

#include <cstdint>

namespace barvell::ui {

// Milliseconds since an arbitrary fixed point; wraps around after 49.7 days.
std::uint32_t TickCount();

}  // namespace barvell::ui
