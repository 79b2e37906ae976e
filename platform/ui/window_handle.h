#pragma once
// The identity of a window or control of the window system. Handles are never reused
// during a run, so a stale handle is simply not a window any more.

#include <cstdint>

namespace barvell::ui {

using WindowHandle = std::uint32_t;
inline constexpr WindowHandle kNoWindow = 0;

}  // namespace barvell::ui
