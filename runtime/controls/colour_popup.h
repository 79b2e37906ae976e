// The colour picker's popup: the preset grid under the picker, with "透明" above it when
// transparency is allowed and "其它颜色..." below it. It runs its own event loop until the
// user chooses or cancels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/ui/events.h"
#include "platform/ui/window_handle.h"

namespace barvell::runtime::controls {

struct ColourPopupRequest {
  ui::WindowHandle picker = ui::kNoWindow;
  uint32_t colour = 0;  // COLORREF; 0xFF000000 = transparent
  bool allow_transparent = false;
  // Shows the highlighted entry's colour on the picker while the user moves.
  std::function<void(uint32_t colour)> tentative;
};

struct ColourPopupResult {
  std::optional<uint32_t> chosen;  // nothing when cancelled
  bool picker_gone = false;        // the picker's window went away meanwhile
};

ColourPopupResult RunColourPopup(const ColourPopupRequest& request);

// The open popup's share of the window system's events: true when `event` is about one
// of its windows (it is then handled). The popup routes the event sink here while open.
bool RouteToColourPopup(const ui::Event& event);

// The handle of the open popup's window, or none (for tests and the input driver's
// scripts).
ui::WindowHandle OpenColourPopup();

}  // namespace barvell::runtime::controls
