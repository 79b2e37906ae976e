// The seam between the call interface and the window registry and loader. The registry
// installs these functions when it exists; until then every window is missing, nothing is
// loaded and the window services answer 0 or null.
#pragma once

#include <cstdint>
#include <functional>

#include "barvell/call_interface.h"
#include "runtime/templates/component_view.h"

namespace barvell::runtime {

struct LoaderHooks {
  // Builds the registry from the template area (step 10 of runtime initialisation);
  // raises the fatal template error itself on a malformed area.
  std::function<void(const ProgramDescriptor& program)> load_templates;
  // The registry itself (service callback 1001).
  std::function<void*()> registry;
  // Whether the window is in the registry.
  std::function<bool(WindowId window)> window_exists;
  // A component of a window in the registry (0 = the window component), or null.
  std::function<ComponentView*(WindowId window, ComponentId component)> find_component;
  // Service callback 2005: load a window from a load record; 0 on success, -1 otherwise.
  std::function<intptr_t(intptr_t load_record)> load_window;
  // Service callback 2008: dispatch a simple event record; 1 when handled.
  std::function<intptr_t(intptr_t event_record)> raise_event;
  // Service callbacks 2009 / 2010: window loading begins / ends.
  std::function<void()> loading_begins;
  std::function<void()> loading_ends;
  // Service callback 2017: the current event source; false before the first event.
  std::function<bool(WindowId* window, ComponentId* component)> event_source;
  // Service callback 2000: a window has been destroyed.
  std::function<void(WindowId window)> window_destroyed;
  // A menu item's record changed: rebuild that window's menu bar.
  std::function<void(WindowId window)> menu_changed;
  // Shutdown: empty the idle callbacks and unload every window.
  std::function<void()> unload_all_windows;
};

// Replaces the hooks; missing functions keep the "no registry" behaviour.
void SetLoaderHooks(LoaderHooks hooks);
const LoaderHooks& Loader();

// Conveniences over the hooks.
bool WindowExists(WindowId window);
ComponentView* FindComponent(WindowId window, ComponentId component);
// The live object of a component: null when the window or component is missing, is a menu
// item or has no live window.
ComponentObject* LiveComponentObject(WindowId window, ComponentId component);

}  // namespace barvell::runtime
