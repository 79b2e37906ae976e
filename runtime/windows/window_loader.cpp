#include "runtime/windows/window_loader.h"

#include <set>

#include "runtime/call/event_records.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/runtime_state.h"
#include "runtime/templates/component_records.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/create_request.h"
#include "runtime/windows/cursor_data.h"
#include "runtime/windows/live_components.h"
#include "runtime/windows/menu_bar.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;

namespace start_position {
constexpr uint32_t kMinimised = 2;
constexpr uint32_t kMaximised = 3;
}  // namespace start_position

bool StillExists(const Window& window) {
  ComponentObject* object = ObjectAt(window, 0);
  return object != nullptr && object->HasWindow();
}

const TypeDescriptor* TypeOf(const ComponentRecord& record) {
  return FindTypeDescriptor(record.type);
}

bool IsControl(const Window& window, size_t index) {
  return index > 0 && !window.Component(index).is_menu_item;
}

// Components after the first page separator of a page container start hidden.
std::set<size_t> HiddenByPages(const Window& window) {
  std::set<size_t> hidden;
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    const ComponentRecord& record = window.Component(i);
    const TypeDescriptor* type = record.is_menu_item ? nullptr : TypeOf(record);
    if (type == nullptr || (type->flags & type_flag::kPageContainer) == 0) continue;
    bool past_first_page = false;
    for (ComponentId id : record.contains) {
      if (id == 0) {
        past_first_page = true;
      } else if (past_first_page) {
        if (std::optional<size_t> index = window.FindComponent(id)) hidden.insert(*index);
      }
    }
  }
  return hidden;
}

bool StartsVisible(const Window& window, size_t index, const std::set<size_t>& hidden) {
  const ComponentRecord& record = window.Component(index);
  const TypeDescriptor* type = TypeOf(record);
  if (type != nullptr && (type->flags & type_flag::kNoVisibleWindow) != 0) return false;
  return (record.flags & component_flag::kVisible) != 0 && hidden.count(index) == 0;
}

// Forgets the window's live objects: handles unregistered, objects deleted, slots empty,
// and the records back to the template's.
void ForgetWindow(Window& window) {
  for (ComponentSlots& slot : window.slots) {
    auto* object = static_cast<ComponentObject*>(slot.object);
    if (ControlObject* control = AsControl(object)) {
      ForgetHandle(control->Handle());
    }
    delete object;
    slot = {};
  }
  window.loaded = false;
  window.ResetRecords();
  ForgetLiveState(window);
}

bool CreateComponent(Window& window, size_t index, const CreateRequest& base,
                     bool visible) {
  const ComponentRecord& record = window.Component(index);
  const TypeDescriptor* type = TypeOf(record);
  auto create = type != nullptr
                    ? type->GetOperation<CreateOperation>(type_operation::kCreate)
                    : nullptr;
  if (create == nullptr) return false;
  CreateRequest request = base;
  request.property_block = window.PropertyBlock(index);
  request.visible = visible;
  request.enabled = (record.flags & component_flag::kDisabled) == 0;
  request.tab_stop = (record.flags & component_flag::kTabStop) != 0;
  request.rect = {record.left, record.top, record.width, record.height};
  request.window = window.Id();
  request.component = record.id;
  ComponentObject* object = create(request);
  if (object == nullptr) return false;
  window.slots[index].object = object;
  if (ControlObject* control = AsControl(object)) {
    RegisterHandle(control->Handle(), {&window, index});
  }
  return true;
}

// A load that cannot complete leaves nothing behind: the objects are forgotten first, so
// that the destruction reported for their windows finds no component of the program.
void AbandonLoad(Window& window) {
  ui::WindowHandle top = HandleOf(window, 0);
  ForgetWindow(window);
  if (top != ui::kNoWindow) Ui().Destroy(top);
}

// Each control directly below the previous component of the template with the same
// parent, so that siblings stack in template order, the first on top.
void OrderSiblings(const Window& window) {
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    ui::WindowHandle handle = IsControl(window, i) ? HandleOf(window, i) : ui::kNoWindow;
    if (handle == ui::kNoWindow) continue;
    ui::WindowHandle parent = Ui().Parent(handle);
    ui::WindowHandle previous = ui::kNoWindow;
    for (size_t j = i - 1; j >= 1 && previous == ui::kNoWindow; --j) {
      ui::WindowHandle h = IsControl(window, j) ? HandleOf(window, j) : ui::kNoWindow;
      if (h != ui::kNoWindow && Ui().Parent(h) == parent) previous = h;
    }
    if (previous != ui::kNoWindow) {
      Ui().PlaceAfter(handle, previous);
    } else {
      Ui().PlaceOnTop(handle);
    }
  }
}

void Reparent(const Window& window) {
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    ui::WindowHandle handle = IsControl(window, i) ? HandleOf(window, i) : ui::kNoWindow;
    ComponentId parent_id = window.Component(i).parent;
    if (handle == ui::kNoWindow || parent_id == 0) continue;
    std::optional<size_t> parent = window.FindComponent(parent_id);
    if (!parent || *parent == i || !IsControl(window, *parent)) continue;
    ui::WindowHandle parent_handle = HandleOf(window, *parent);
    if (parent_handle != ui::kNoWindow) Ui().SetParent(handle, parent_handle);
  }
}

void MakeCursors(Window& window) {
  for (size_t i = 0; i < window.ComponentCount(); ++i) {
    if (window.Component(i).is_menu_item) continue;
    const ui::Cursor* cursor = CursorFromData(window.Component(i).cursor);
    // The slot holds the cursor while loaded; the cursors are constants, not owned.
    window.slots[i].cursor = const_cast<ui::Cursor*>(cursor);
    ui::WindowHandle handle = HandleOf(window, i);
    if (cursor != nullptr && handle != ui::kNoWindow) Ui().SetCursor(handle, *cursor);
  }
}

ui::ShowMode FirstShowMode(const Window& window) {
  auto* object = dynamic_cast<WindowObject*>(ObjectAt(window, 0));
  // Run mode 0 shows every window normally the first time.
  if (object == nullptr || State().run_mode == 0) return ui::ShowMode::kShow;
  const WindowOptions& options = object->Options();
  if (options.start_position == start_position::kMinimised) return ui::ShowMode::kMinimise;
  if (options.start_position == start_position::kMaximised && options.sizeable) {
    return ui::ShowMode::kMaximise;
  }
  return ui::ShowMode::kShow;
}

void RaiseFocusEvent(Window& window, ui::WindowHandle top) {
  ui::WindowHandle focus = Ui().Focus();
  if (focus == ui::kNoWindow || Ui().TopLevelOf(focus) != top) return;
  std::optional<LiveComponent> holder = ComponentOfHandle(focus);
  if (!holder || holder->window != &window) return;
  ComponentId id = holder->index == 0 ? 0 : window.Component(holder->index).id;
  RaiseEvent(window.Id(), id, event::kGotFocus);
}

void DisableOtherWindows(Window& window) {
  std::vector<ui::WindowHandle>& disabled = LiveStateOf(window).disabled_by_modal_load;
  for (Window* other : LoadedWindows()) {
    if (other == &window) continue;
    ui::WindowHandle handle = HandleOf(*other, 0);
    if (handle != ui::kNoWindow && Ui().IsEnabled(handle)) {
      Ui().Enable(handle, false);
      disabled.push_back(handle);
    }
  }
}

void InstallMenuBar(Window& window, ui::WindowHandle top) {
  MenuBar menu = BuildMenuBar(window);
  Ui().SetMenuBar(top, menu.bar);
  Ui().SetAccelerators(top, menu.accelerators);
  LiveStateOf(window).accelerators = std::move(menu.accelerators);
}

}  // namespace

bool LoadWindowObject(Window& window, bool modal, ui::WindowHandle owner) {
  // 1. Already loaded: bring it forward instead.
  if (StillExists(window)) {
    ui::WindowHandle top = HandleOf(window, 0);
    if (Ui().IsMinimised(top)) {
      Ui().Show(top, ui::ShowMode::kRestore);
    } else {
      Ui().Activate(top);
    }
    return true;
  }
  // 2. The owner.
  if (modal) {
    owner = ui::kNoWindow;
  } else if (owner != ui::kNoWindow && !Ui().IsWindow(owner)) {
    return false;
  }
  if (window.ComponentCount() == 0) return false;

  // 3-5. Records of its own for this load; the window component, its menu bar, then the
  // controls from the last record to the second.
  window.ResetRecords();
  window.slots.assign(window.ComponentCount(), {});
  std::set<size_t> hidden = HiddenByPages(window);
  MenuBar menu = BuildMenuBar(window);
  CreateRequest base;
  base.owner = owner;
  base.modal = modal;
  bool created = CreateComponent(window, 0, base, StartsVisible(window, 0, hidden));
  ui::WindowHandle top = created ? HandleOf(window, 0) : ui::kNoWindow;
  if (top != ui::kNoWindow) {
    // The bar goes on before the controls: it takes its height from the client area.
    if (!menu.bar.empty()) Ui().SetMenuBar(top, menu.bar);
    base.parent = top;
    int control_id = kFirstControlId;
    for (size_t i = window.ComponentCount() - 1; i >= 1 && created; --i) {
      if (window.Component(i).is_menu_item) continue;
      base.control_id = control_id;
      control_id += kControlIdStep;
      created = CreateComponent(window, i, base, StartsVisible(window, i, hidden));
    }
  }
  if (!created || top == ui::kNoWindow) {
    AbandonLoad(window);
    return false;
  }

  // 6-10. Parents, z-order, cursors, start visibility.
  Reparent(window);
  OrderSiblings(window);
  MakeCursors(window);
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    ui::WindowHandle handle = IsControl(window, i) ? HandleOf(window, i) : ui::kNoWindow;
    if (handle == ui::kNoWindow) continue;
    Ui().Show(handle, StartsVisible(window, i, hidden) ? ui::ShowMode::kShowNoActivate
                                                       : ui::ShowMode::kHide);
  }

  // 11. Accelerators.
  Ui().SetAccelerators(top, menu.accelerators);
  LiveStateOf(window).accelerators = std::move(menu.accelerators);

  // 12. The creation events; any handler may close the window.
  const WindowId id = window.Id();
  RaiseEvent(id, 0, event::kCreated);
  if (StillExists(window)) RaiseEvent(id, 0, event::kMoved);
  if (StillExists(window)) RaiseEvent(id, 0, event::kSized);

  // 13. Shown by its start position; the focus event for whatever holds the focus.
  if (StillExists(window) && (window.Component(0).flags & component_flag::kVisible) != 0) {
    Ui().Show(top, FirstShowMode(window));
    if (StillExists(window)) RaiseFocusEvent(window, top);
  }
  if (!StillExists(window)) return true;  // closed by its own handlers: still a load

  // 14-15. A modal window disables the others; the focus stays where it was.
  ui::WindowHandle focus = Ui().Focus();
  if (modal) DisableOtherWindows(window);
  if (focus != ui::kNoWindow && Ui().Focus() != focus && Ui().IsWindow(focus)) {
    Ui().SetFocus(focus);
  }
  window.loaded = true;
  return true;
}

void UseWindowLoader() {
  UseTemplateRegistry();
  FrameHooks& frame = Frame();
  frame.window_destroyed = [](WindowId id) {
    WindowRegistry* registry = TemplateRegistry();
    if (Window* window = registry != nullptr ? registry->Find(id) : nullptr) {
      TeardownWindow(*window);
    }
  };
  frame.menu_changed = [](WindowId id) {
    WindowRegistry* registry = TemplateRegistry();
    Window* window = registry != nullptr ? registry->Find(id) : nullptr;
    if (window != nullptr && StillExists(*window)) InstallMenuBar(*window, HandleOf(*window, 0));
  };
}

WindowOptions OptionsOf(const Window& window) {
  auto* object = dynamic_cast<WindowObject*>(ObjectAt(window, 0));
  return object != nullptr ? object->Options() : WindowOptions{};
}

void ReenableModalOwners(Window& window) {
  std::vector<ui::WindowHandle> disabled =
      std::move(LiveStateOf(window).disabled_by_modal_load);
  LiveStateOf(window).disabled_by_modal_load.clear();
  for (ui::WindowHandle handle : disabled) {
    if (Ui().IsWindow(handle)) Ui().Enable(handle, true);
  }
}

void TeardownWindow(Window& window) {
  bool live = window.loaded;
  for (const ComponentSlots& slot : window.slots) live = live || slot.object != nullptr;
  if (!live) return;

  ui::WindowHandle top = HandleOf(window, 0);
  if (top != ui::kNoWindow) Ui().SetAccelerators(top, {});
  LiveStateOf(window).accelerators.clear();
  for (size_t i = 0; i < window.slots.size(); ++i) {
    if (!window.Component(i).is_menu_item) window.slots[i].cursor = nullptr;
  }
  // A modal window that goes by any way gives the others back.
  ReenableModalOwners(window);
  ForgetWindow(window);

  if (!AnyWindowLoaded() && State().running && !State().shutting_down) Ui().PostQuit(0);
}

std::vector<Window*> LoadedWindows() {
  std::vector<Window*> windows;
  WindowRegistry* registry = TemplateRegistry();
  if (registry == nullptr) return windows;
  for (size_t i = 0; i < registry->Count(); ++i) {
    Window& window = registry->At(i);
    if (window.loaded && StillExists(window)) windows.push_back(&window);
  }
  return windows;
}

bool AnyWindowLoaded() {
  WindowRegistry* registry = TemplateRegistry();
  if (registry == nullptr) return false;
  for (size_t i = 0; i < registry->Count(); ++i) {
    if (StillExists(registry->At(i))) return true;
  }
  return false;
}

void UnloadAllWindows() {
  WindowRegistry* registry = TemplateRegistry();
  if (registry == nullptr) return;
  for (size_t i = 0; i < registry->Count(); ++i) {
    Window& window = registry->At(i);
    ui::WindowHandle top = HandleOf(window, 0);
    if (top != ui::kNoWindow) Ui().Destroy(top);
    TeardownWindow(window);
  }
}

}  // namespace barvell::runtime
