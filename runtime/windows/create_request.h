// What a component type's create operation (operation 1) receives, and its signature.
#pragma once

#include <cstdint>
#include <span>

#include "barvell/call_interface.h"
#include "platform/ui/window_handle.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

struct CreateRequest {
  std::span<const uint8_t> property_block;
  // The style bits of the flag word.
  bool visible = true;
  bool enabled = true;
  bool tab_stop = false;
  ui::WindowHandle parent = ui::kNoWindow;  // the new window, for controls
  int control_id = 0;                       // 100, 110, 120, ... in creation order
  ComponentGeometry rect;                   // controls: in the parent's client area
  WindowId window = 0;
  ComponentId component = 0;
  // The window component only: the owner window and whether the load is modal.
  ui::WindowHandle owner = ui::kNoWindow;
  bool modal = false;
};

// Returns the component's window object (owned by the caller), or null when the
// platform window cannot be made or the PropertyBlock is invalid.
using CreateOperation = ComponentObject* (*)(const CreateRequest& request);

}  // namespace barvell::runtime
