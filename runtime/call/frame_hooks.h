// What the rooms above the call interface lend it: the registry's lookups (templates), the
// loader's notices (windows), the dispatcher (events), and the loop's entries and shutdown
// steps. Each room installs its share when the frame is set up; until then every window is
// missing, nothing is loaded or dispatched, and the services that need them answer 0 or
// null.
#pragma once

#include <cstdint>
#include <functional>

#include "barvell/call_interface.h"
#include "runtime/call/component_view.h"
#include "runtime/call/event_records.h"
#include "runtime/call/service_callback.h"

namespace barvell::runtime {

struct FrameHooks {
  // ---- the template registry
  // Builds the registry from the template area (step 10 of runtime initialisation);
  // raises the fatal template error itself on a malformed area.
  std::function<void(const ProgramDescriptor& program)> load_templates;
  // The registry itself (service 1001).
  std::function<void*()> registry;
  std::function<bool(WindowId window)> window_exists;
  // A component of a window in the registry (0 = the window component), or null.
  std::function<ComponentView*(WindowId window, ComponentId component)> find_component;

  // ---- the window loader
  // A window has been destroyed (service 2000): its teardown.
  std::function<void(WindowId window)> window_destroyed;
  // A menu item's record changed: that window's menu bar is built anew.
  std::function<void(WindowId window)> menu_changed;

  // ---- the dispatcher: 1 when a handler was found and called
  std::function<int32_t(EventRecord& record)> dispatch;
  std::function<int32_t(TypedEventRecord& record)> dispatch_typed;
  // The current event source; false before the first event.
  std::function<bool(WindowId* window, ComponentId* component)> event_source;

  // ---- the loop
  // Service 2005: 0 on success, -1 otherwise.
  std::function<intptr_t(const LoadWindowRecord& record)> load_window;
  std::function<void()> run_message_loop;       // kernel entry 11
  std::function<void(WindowId)> load_start_window;  // kernel entry 12
  // Shutdown steps of the rooms above: the idle callbacks and the windows go first; the
  // hidden owner window goes after the clean-up routines and the libraries.
  std::function<void()> unload_windows;
  std::function<void()> destroy_hidden_owner;
  // Carries a shutdown asked for on another thread to the start-up thread; false when
  // there is no window to carry it.
  std::function<bool(int32_t exit_code)> request_shutdown;
};

// The installed hooks; `Frame() = {}` removes them all.
FrameHooks& Frame();

// Conveniences over the registry's hooks.
bool WindowExists(WindowId window);
ComponentView* FindComponent(WindowId window, ComponentId component);
// The live object of a component: null when the window or component is missing, is a menu
// item or has no live window.
ComponentObject* LiveComponentObject(WindowId window, ComponentId component);

}  // namespace barvell::runtime
