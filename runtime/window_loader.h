// Loading windows from their templates, the live components of loaded windows, and the
// teardown of a destroyed window.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/ui/window_handle.h"
#include "runtime/window_registry.h"

namespace barvell::runtime {

// Creates the window and its controls from the template, builds the menu bar, orders,
// shows, and raises the load-time events (0, 3, 4, then -7 for the focus). A window that
// is already loaded is activated (or restored) instead. A modal load disables the other
// top-level program windows. False when the window cannot be created.
bool LoadWindowObject(Window& window, bool modal, ui::WindowHandle owner);

// The component a platform window belongs to.
struct LiveComponent {
  Window* window = nullptr;
  size_t index = 0;  // 0 = the window component
};
std::optional<LiveComponent> ComponentOfHandle(ui::WindowHandle handle);
// The platform window of a live component; kNoWindow when it has none.
ui::WindowHandle HandleOf(const Window& window, size_t index);

// Whether the focused control's type claims a key for itself (a multi-line edit box
// claims Enter, Tab and the arrows), and whether a component acts as a default button.
bool ControlWantsKey(const LiveComponent& component, int key);
bool ActsAsDefaultButton(const LiveComponent& component);

// After a program window's platform window is gone: accelerators, cursors, the registry
// notice (2000), and the quit when it was the last window while the loop runs.
void TeardownWindow(Window& window);
// The windows that this window's modal load disabled are enabled again.
void ReenableModalOwners(Window& window);

std::vector<Window*> LoadedWindows();
bool AnyWindowLoaded();
// Shutdown: destroys every loaded window without raising events.
void UnloadAllWindows();

}  // namespace barvell::runtime
