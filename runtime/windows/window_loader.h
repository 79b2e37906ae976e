// Loading windows from their templates, the live components of loaded windows, and the
// teardown of a destroyed window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/window_handle.h"
#include "runtime/call/component_view.h"
#include "runtime/templates/window_registry.h"
#include "runtime/windows/hidden_owner.h"
#include "runtime/windows/menu_bar.h"  // MenuItemOfCommand: menu command id -> menu item
#include "runtime/windows/window_object.h"

namespace barvell::runtime {

// Creates the window and its controls from the template, builds the menu bar, orders,
// shows, and raises the load-time events (0, 3, 4, then -7 for the focus). A window that
// is already loaded is activated (or restored) instead. A modal load disables the other
// top-level program windows. False when the window cannot be created.
//
// While a window loads (until `loaded` is set at the end) the loader raises its focus
// event itself: focus changes reported by the window system for a window that is not yet
// loaded are not events of the program.
bool LoadWindowObject(Window& window, bool modal, ui::WindowHandle owner);

// Installs the registry's frame hooks and the loader's (a window destroyed, a menu item
// changed), keeping the others.
void UseWindowLoader();

// The component a platform window belongs to.
struct LiveComponent {
  Window* window = nullptr;
  size_t index = 0;  // 0 = the window component
};
std::optional<LiveComponent> ComponentOfHandle(ui::WindowHandle handle);
// The platform window of a component while its slot holds an object (even when that
// window has just been destroyed and the teardown is still to come); kNoWindow otherwise.
ui::WindowHandle HandleOf(const Window& window, size_t index);

// Whether the focused control's type claims a key for itself (a multi-line edit box
// claims Enter and the arrows, a combo box the arrows), and whether a component acts as a
// default button (buttons).
bool ControlWantsKey(const LiveComponent& component, int key);
bool ActsAsDefaultButton(const LiveComponent& component);
// A button marked as its window's default, which Enter presses from any other control.
bool IsDefaultButton(const LiveComponent& component);

// The options of a loaded window; all off when it is not loaded.
WindowOptions OptionsOf(const Window& window);

// After a program window's platform window is gone: accelerators, cursors, the live
// objects and slots (`loaded` cleared, the records back to the template's), and the quit
// when it was the last window while the loop runs. Harmless when called twice.
void TeardownWindow(Window& window);
// The windows that this window's modal load disabled are enabled again.
void ReenableModalOwners(Window& window);

std::vector<Window*> LoadedWindows();
bool AnyWindowLoaded();
// Shutdown: destroys every loaded window (events do not reach the program by then).
void UnloadAllWindows();

}  // namespace barvell::runtime
