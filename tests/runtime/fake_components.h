// Component records and live objects built in the tests, and a registry of them installed
// as the loader hooks, standing in for the window registry.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/call/component_view.h"
#include "runtime/call/frame_hooks.h"

namespace barvell::testing {

class FakeObject : public runtime::ComponentObject {
 public:
  bool has_window = true;
  runtime::ComponentGeometry geometry;
  bool visible = true;
  bool enabled = true;
  std::vector<uint8_t> cursor_seen;
  // Type-specific state the test types read and write.
  std::map<int32_t, uint64_t> values;
  std::map<int32_t, std::vector<uint8_t>> bytes;
  std::map<int32_t, std::string> texts;

  bool HasWindow() const override { return has_window; }
  runtime::ComponentGeometry Geometry() const override { return geometry; }
  void SetGeometry(const runtime::ComponentGeometry& g) override { geometry = g; }
  bool IsVisible() const override { return visible; }
  void SetVisible(bool v) override { visible = v; }
  bool IsEnabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
  void CursorChanged(std::span<const uint8_t> data) override {
    cursor_seen.assign(data.begin(), data.end());
  }
};

class FakeComponent : public runtime::ComponentView {
 public:
  TypeId type = type_id::kLabel;
  bool menu_item = false;
  FakeObject* object = nullptr;
  uint32_t flags = runtime::component_flag::kVisible;
  runtime::ComponentGeometry geometry;
  std::string tag;
  std::vector<uint8_t> cursor;
  std::string caption;
  int menu_rebuilds = 0;

  TypeId Type() const override { return type; }
  bool IsMenuItem() const override { return menu_item; }
  runtime::ComponentObject* Object() const override { return object; }
  uint32_t Flags() const override { return flags; }
  void SetFlags(uint32_t f) override { flags = f; }
  runtime::ComponentGeometry TemplateGeometry() const override { return geometry; }
  void SetTemplateGeometry(const runtime::ComponentGeometry& g) override { geometry = g; }
  std::string_view Tag() const override { return tag; }
  void SetTag(std::string_view t) override { tag = t; }
  std::span<const uint8_t> CursorData() const override { return cursor; }
  void SetCursorData(std::span<const uint8_t> d) override { cursor.assign(d.begin(), d.end()); }
  std::string_view Caption() const override { return caption; }
  void SetCaption(std::string_view c) override { caption = c; }
  void MenuChanged() override { ++menu_rebuilds; }
};

// Windows by id, each a map of components by id (0 = the window component).
struct FakeRegistry {
  std::map<WindowId, std::map<ComponentId, FakeComponent*>> windows;

  void Add(WindowId window, ComponentId component, FakeComponent* c) {
    windows[window][component] = c;
  }

  void Install() {
    runtime::FrameHooks& hooks = runtime::Frame();
    hooks = {};
    hooks.window_exists = [this](WindowId w) { return windows.count(w) != 0; };
    hooks.find_component = [this](WindowId w, ComponentId c) -> runtime::ComponentView* {
      auto window = windows.find(w);
      if (window == windows.end()) return nullptr;
      auto component = window->second.find(c);
      return component == window->second.end() ? nullptr : component->second;
    };
  }
};

}  // namespace barvell::testing
