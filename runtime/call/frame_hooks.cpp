#include "runtime/call/frame_hooks.h"

namespace barvell::runtime {

FrameHooks& Frame() {
  static FrameHooks hooks;
  return hooks;
}

bool WindowExists(WindowId window) {
  const FrameHooks& frame = Frame();
  return frame.window_exists && frame.window_exists(window);
}

ComponentView* FindComponent(WindowId window, ComponentId component) {
  const FrameHooks& frame = Frame();
  return frame.find_component ? frame.find_component(window, component) : nullptr;
}

ComponentObject* LiveComponentObject(WindowId window, ComponentId component) {
  ComponentView* view = FindComponent(window, component);
  if (view == nullptr || view->IsMenuItem()) return nullptr;
  ComponentObject* object = view->Object();
  return object != nullptr && object->HasWindow() ? object : nullptr;
}

}  // namespace barvell::runtime
