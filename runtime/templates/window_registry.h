// The window registry: one window object per template of the area, built once at
// initialisation, with the template's handler offsets turned into handler table entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/templates/template_area.h"

namespace barvell::runtime {

// The first menu item's index and the length of the consecutive run from there.
struct MenuRun {
  size_t first = 0;
  size_t count = 0;
};

// Live state of one component while its window is loaded; the loader fills it.
struct ComponentSlots {
  void* object = nullptr;  // the component's window object
  void* cursor = nullptr;  // the cursor made from the cursor data
};

class Window {
 public:
  explicit Window(WindowTemplate t);

  WindowId Id() const { return template_.id; }
  const WindowTemplate& Template() const { return template_; }
  size_t ComponentCount() const { return template_.components.size(); }

  // The first component with the id; every command looks its component up, so by an
  // index of the ids made with the window (the template never changes).
  std::optional<size_t> FindComponent(ComponentId id) const;
  const ComponentRecord* ComponentById(ComponentId id) const;
  // The records as they stand: the template's values, changed by property writes until
  // the window is loaded afresh.
  const ComponentRecord& Component(size_t index) const { return records_.at(index); }
  ComponentRecord& MutableComponent(size_t index) { return records_.at(index); }
  // Every load starts from the template, and so does an unloaded window: what a load
  // changed in its records goes with it.
  void ResetRecords() { records_ = template_.components; }
  std::span<const uint8_t> PropertyBlock(size_t index) const {
    return template_.PropertyBlock(index);
  }

  MenuRun Menu() const;

  // The relocated handlers: null when the template has none (offset -1).
  const HandlerEntry* MenuHandler(size_t index) const { return menu_handlers_.at(index); }
  const HandlerEntry* EventHandler(size_t index, int32_t event) const;

  // Live state.
  bool loaded = false;
  std::vector<ComponentSlots> slots;

 private:
  friend class WindowRegistry;
  WindowTemplate template_;  // as parsed; never changed
  std::vector<ComponentRecord> records_;
  std::vector<const HandlerEntry*> menu_handlers_;             // per component
  std::vector<std::vector<const HandlerEntry*>> event_handlers_;  // per component, per event
  // (id, index) of every component, sorted by id and then index.
  std::vector<std::pair<ComponentId, size_t>> by_id_;
};

class WindowRegistry {
 public:
  // Builds the registry from an area; the code base is the program's handler table. A
  // malformed area, or a handler offset that does not name an entry of the table, gives
  // nullopt and the reason in *error.
  static std::optional<WindowRegistry> Build(std::span<const uint8_t> area,
                                             std::span<const HandlerEntry> code_base,
                                             std::string* error);

  // As Build, but a failure is the fatal error "载入窗口模板数据段出错!", followed in the
  // report's message by the reason on a line of its own.
  static WindowRegistry BuildOrFail(std::span<const uint8_t> area,
                                    std::span<const HandlerEntry> code_base);

  // Handler offset -> entry: -1 gives null; any other offset must be a multiple of the
  // stride inside the table.
  static std::optional<const HandlerEntry*> Relocate(int32_t offset,
                                                     std::span<const HandlerEntry> code_base);

  size_t Count() const { return windows_.size(); }
  Window& At(size_t index) { return windows_.at(index); }
  const Window& At(size_t index) const { return windows_.at(index); }
  Window* Find(WindowId id);
  const Window* Find(WindowId id) const;

 private:
  std::vector<Window> windows_;
};

}  // namespace barvell::runtime
