#include "runtime/windows/live_components.h"

#include <map>

#include "runtime/windows/control_object.h"

namespace barvell::runtime {

namespace {

std::map<ui::WindowHandle, LiveComponent>& Handles() {
  static std::map<ui::WindowHandle, LiveComponent> handles;
  return handles;
}

std::map<const Window*, LiveWindowState>& States() {
  static std::map<const Window*, LiveWindowState> states;
  return states;
}

}  // namespace

void RegisterHandle(ui::WindowHandle handle, LiveComponent component) {
  Handles()[handle] = component;
}

void ForgetHandle(ui::WindowHandle handle) { Handles().erase(handle); }

std::optional<LiveComponent> ComponentOfHandle(ui::WindowHandle handle) {
  auto it = Handles().find(handle);
  if (it == Handles().end()) return std::nullopt;
  return it->second;
}

LiveWindowState& LiveStateOf(const Window& window) { return States()[&window]; }

void ForgetLiveState(const Window& window) { States().erase(&window); }

ComponentObject* ObjectAt(const Window& window, size_t index) {
  return index < window.slots.size() ? static_cast<ComponentObject*>(window.slots[index].object)
                                     : nullptr;
}

ui::WindowHandle HandleOf(const Window& window, size_t index) {
  ControlObject* control = AsControl(ObjectAt(window, index));
  return control != nullptr ? control->Handle() : ui::kNoWindow;
}

bool ControlWantsKey(const LiveComponent& component, int key) {
  if (component.window == nullptr) return false;
  ControlObject* control = AsControl(ObjectAt(*component.window, component.index));
  return control != nullptr && control->WantsKey(key);
}

namespace {
ControlObject* ControlOf(const LiveComponent& component) {
  if (component.window == nullptr) return nullptr;
  return AsControl(ObjectAt(*component.window, component.index));
}
}  // namespace

bool ActsAsDefaultButton(const LiveComponent& component) {
  ControlObject* control = ControlOf(component);
  return control != nullptr && control->ActsAsDefaultButton();
}

bool IsDefaultButton(const LiveComponent& component) {
  ControlObject* control = ControlOf(component);
  return control != nullptr && control->IsDefaultButton();
}

}  // namespace barvell::runtime
