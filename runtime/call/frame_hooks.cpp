#include "runtime/call/frame_hooks.h"

namespace barvell::runtime {

FrameHooks& Frame() {
  static FrameHooks hooks;
  return hooks;
}

bool WindowExists(WindowId window) {
  return Frame().window_exists && Frame().window_exists(window);
}

ComponentView* FindComponent(WindowId window, ComponentId component) {
  if (!Frame().find_component) return nullptr;
  return Frame().find_component(window, component);
}

ComponentObject* LiveComponentObject(WindowId window, ComponentId component) {
  ComponentView* view = FindComponent(window, component);
  if (view == nullptr || view->IsMenuItem()) return nullptr;
  ComponentObject* object = view->Object();
  return object != nullptr && object->HasWindow() ? object : nullptr;
}

}  // namespace barvell::runtime
