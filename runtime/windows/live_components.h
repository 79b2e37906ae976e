// The loader's bookkeeping of loaded windows: which component each platform window
// belongs to, and what a loaded window keeps besides its slots (its accelerators, the
// windows its modal load disabled).
#pragma once

#include <optional>
#include <vector>

#include "platform/ui/window_params.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

struct LiveWindowState {
  std::vector<ui::Accelerator> accelerators;
  std::vector<ui::WindowHandle> disabled_by_modal_load;
};

void RegisterHandle(ui::WindowHandle handle, LiveComponent component);
void ForgetHandle(ui::WindowHandle handle);

LiveWindowState& LiveStateOf(const Window& window);
void ForgetLiveState(const Window& window);

// The live object in a component's slot, or null.
ComponentObject* ObjectAt(const Window& window, size_t index);

}  // namespace barvell::runtime
