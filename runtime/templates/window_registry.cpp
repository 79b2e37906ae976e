#include "runtime/templates/window_registry.h"

#include <algorithm>

#include "runtime/call/error_report.h"

namespace barvell::runtime {

constexpr const char* kMalformedArea = "载入窗口模板数据段出错!";

Window::Window(WindowTemplate t)
    : slots(t.components.size()), template_(std::move(t)), records_(template_.components) {
  const auto& components = template_.components;
  by_id_.reserve(components.size());
  for (size_t i = 0; i < components.size(); ++i) by_id_.emplace_back(components[i].id, i);
  std::sort(by_id_.begin(), by_id_.end());
}

std::optional<size_t> Window::FindComponent(ComponentId id) const {
  auto it = std::lower_bound(by_id_.begin(), by_id_.end(), std::pair<ComponentId, size_t>(id, 0));
  if (it == by_id_.end() || it->first != id) return std::nullopt;
  return it->second;
}

const ComponentRecord* Window::ComponentById(ComponentId id) const {
  std::optional<size_t> index = FindComponent(id);
  return index ? &records_[*index] : nullptr;
}

MenuRun Window::Menu() const {
  const auto& components = template_.components;
  MenuRun run;
  size_t i = 0;
  while (i < components.size() && !components[i].is_menu_item) ++i;
  run.first = i;
  while (i < components.size() && components[i].is_menu_item) ++i;
  run.count = i - run.first;
  return run;
}

const HandlerEntry* Window::EventHandler(size_t index, int32_t event) const {
  const auto& events = template_.components.at(index).events;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].event == event) return event_handlers_[index][i];
  }
  return nullptr;
}

std::optional<const HandlerEntry*> WindowRegistry::Relocate(
    int32_t offset, std::span<const HandlerEntry> code_base) {
  if (offset == kNoHandler) return nullptr;
  if (offset < 0 || offset % kHandlerStride != 0) return std::nullopt;
  size_t index = size_t(offset) / kHandlerStride;
  if (index >= code_base.size()) return std::nullopt;
  return &code_base[index];
}

std::optional<WindowRegistry> WindowRegistry::Build(std::span<const uint8_t> area,
                                                    std::span<const HandlerEntry> code_base,
                                                    std::string* error) {
  ParseResult parsed = ParseTemplateArea(area);
  if (!parsed.ok()) {
    if (error) *error = parsed.error.reason + " at byte " + std::to_string(parsed.error.position);
    return std::nullopt;
  }
  WindowRegistry registry;
  for (WindowTemplate& t : parsed.area->windows) {
    Window w(std::move(t));
    const auto& components = w.template_.components;
    w.menu_handlers_.assign(components.size(), nullptr);
    w.event_handlers_.resize(components.size());
    for (size_t i = 0; i < components.size(); ++i) {
      const ComponentRecord& c = components[i];
      auto bad = [&](int32_t offset) {
        if (error) {
          *error = "handler offset " + std::to_string(offset) + " outside the handler table";
        }
      };
      if (c.is_menu_item) {
        auto h = Relocate(c.handler_offset, code_base);
        if (!h) return bad(c.handler_offset), std::nullopt;
        w.menu_handlers_[i] = *h;
      } else {
        for (const EventBinding& ev : c.events) {
          auto h = Relocate(ev.handler_offset, code_base);
          if (!h) return bad(ev.handler_offset), std::nullopt;
          w.event_handlers_[i].push_back(*h);
        }
      }
    }
    registry.windows_.push_back(std::move(w));
  }
  return registry;
}

WindowRegistry WindowRegistry::BuildOrFail(std::span<const uint8_t> area,
                                           std::span<const HandlerEntry> code_base) {
  std::string reason;
  std::optional<WindowRegistry> registry = Build(area, code_base, &reason);
  if (!registry) {
    // The fixed text first, then what the parser refused, for whoever reads the report.
    std::string message = std::string(kMalformedArea) + "\r\n" + reason;
    FatalError(message.c_str());
  }
  return std::move(*registry);
}

Window* WindowRegistry::Find(WindowId id) {
  for (Window& w : windows_) {
    if (w.Id() == id) return &w;
  }
  return nullptr;
}

const Window* WindowRegistry::Find(WindowId id) const {
  return const_cast<WindowRegistry*>(this)->Find(id);
}

}  // namespace barvell::runtime
