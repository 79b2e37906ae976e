#include "runtime/templates/loader_hooks.h"

namespace barvell::runtime {

namespace {
LoaderHooks& Hooks() {
  static LoaderHooks hooks;
  return hooks;
}
}  // namespace

void SetLoaderHooks(LoaderHooks hooks) { Hooks() = std::move(hooks); }
const LoaderHooks& Loader() { return Hooks(); }

bool WindowExists(WindowId window) {
  return Hooks().window_exists && Hooks().window_exists(window);
}

ComponentView* FindComponent(WindowId window, ComponentId component) {
  if (!Hooks().find_component) return nullptr;
  return Hooks().find_component(window, component);
}

ComponentObject* LiveComponentObject(WindowId window, ComponentId component) {
  ComponentView* view = FindComponent(window, component);
  if (view == nullptr || view->IsMenuItem()) return nullptr;
  ComponentObject* object = view->Object();
  return object != nullptr && object->HasWindow() ? object : nullptr;
}

}  // namespace barvell::runtime
