#include "runtime/templates/component_records.h"

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace barvell::runtime {

namespace {

// A registry window and the views of its components, one slot per component.
struct WindowViews {
  Window* window;
  std::vector<std::unique_ptr<RecordView>> views;
};

struct RegistryState {
  std::optional<WindowRegistry> registry;
  // One per registry window, in its order. Views are made on first use and live as long
  // as the registry: a window's unloading leaves its records, and so its views, in place.
  std::vector<WindowViews> windows;
  // The last two components found: a batch looks up the draw panel and one other control
  // in turns, some hundred times a picture. Views stay put until the registry is rebuilt.
  struct Found {
    WindowId window = 0;
    ComponentId component = 0;
    RecordView* view = nullptr;
  };
  std::array<Found, 2> recent;
  size_t next_recent = 0;
};

RegistryState& Registry() {
  static RegistryState state;
  return state;
}

void BuildRegistry(const ProgramDescriptor& program) {
  auto* area = static_cast<const uint8_t*>(program.template_start);
  std::span<const uint8_t> bytes =
      area != nullptr ? std::span(area, program.template_size) : std::span<const uint8_t>();
  std::span<const HandlerEntry> code_base =
      program.code_base != nullptr ? std::span(program.code_base, program.handler_count)
                                   : std::span<const HandlerEntry>();
  RegistryState& state = Registry();
  state.recent = {};
  state.windows.clear();
  state.registry.reset();
  state.registry.emplace(WindowRegistry::BuildOrFail(bytes, code_base));
  for (size_t i = 0; i < state.registry->Count(); ++i) {
    Window& window = state.registry->At(i);
    state.windows.push_back({&window, std::vector<std::unique_ptr<RecordView>>(window.ComponentCount())});
  }
}

ComponentView* FindRecord(WindowId window_id, ComponentId component) {
  RegistryState& state = Registry();
  for (const RegistryState::Found& f : state.recent) {
    if (f.view != nullptr && f.window == window_id && f.component == component) return f.view;
  }
  // The first window with the id, as the registry's own lookup finds it.
  for (WindowViews& w : state.windows) {
    if (w.window->Id() != window_id) continue;
    // Component 0 is the window component, the first record.
    std::optional<size_t> index = component == 0 ? std::optional<size_t>(0)
                                                 : w.window->FindComponent(component);
    if (!index || *index >= w.views.size()) return nullptr;
    std::unique_ptr<RecordView>& view = w.views[*index];
    if (!view) view = std::make_unique<RecordView>(*w.window, *index);
    state.recent[state.next_recent] = {window_id, component, view.get()};
    state.next_recent = (state.next_recent + 1) % state.recent.size();
    return view.get();
  }
  return nullptr;
}

}  // namespace

ComponentRecord& RecordView::Record() const { return window_->MutableComponent(index_); }

ComponentObject* RecordView::Object() const {
  if (index_ >= window_->slots.size()) return nullptr;
  return static_cast<ComponentObject*>(window_->slots[index_].object);
}

uint32_t RecordView::Flags() const {
  return Record().is_menu_item ? Record().menu_flags : Record().flags;
}

void RecordView::SetFlags(uint32_t flags) {
  (Record().is_menu_item ? Record().menu_flags : Record().flags) = flags;
}

ComponentGeometry RecordView::TemplateGeometry() const {
  const ComponentRecord& r = Record();
  return {r.left, r.top, r.width, r.height};
}

void RecordView::SetTemplateGeometry(const ComponentGeometry& g) {
  ComponentRecord& r = Record();
  r.left = g.left;
  r.top = g.top;
  r.width = g.width;
  r.height = g.height;
}

void RecordView::SetCursorData(std::span<const uint8_t> data) {
  Record().cursor.assign(data.begin(), data.end());
}

void RecordView::MenuChanged() {
  if (Frame().menu_changed) Frame().menu_changed(window_->Id());
}

void UseTemplateRegistry() {
  FrameHooks& frame = Frame();
  frame.load_templates = BuildRegistry;
  frame.registry = [] { return static_cast<void*>(TemplateRegistry()); };
  frame.window_exists = [](WindowId id) {
    return TemplateRegistry() != nullptr && TemplateRegistry()->Find(id) != nullptr;
  };
  frame.find_component = FindRecord;
}

WindowRegistry* TemplateRegistry() {
  return Registry().registry ? &*Registry().registry : nullptr;
}

}  // namespace barvell::runtime
