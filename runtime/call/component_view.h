// What the call interface needs of a component of a window: its record's values (through
// a view of the record) and, while loaded, its live window object. The window registry
// provides the views; the component types provide the objects.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "barvell/call_interface.h"
#include "runtime/call/component_flags.h"

namespace barvell::runtime {

struct ComponentGeometry {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// A component's live window object (owned by its type).
class ComponentObject {
 public:
  virtual ~ComponentObject() = default;
  // Whether the object has a live platform window.
  virtual bool HasWindow() const = 0;
  // The window rectangle mapped to the parent's client coordinates.
  virtual ComponentGeometry Geometry() const = 0;
  virtual void SetGeometry(const ComponentGeometry& geometry) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // The component's cursor data changed while it is loaded.
  virtual void CursorChanged(std::span<const uint8_t> cursor_data) {}
};

// A component record of a window in the registry.
class ComponentView {
 public:
  virtual ~ComponentView() = default;
  virtual TypeId Type() const = 0;
  virtual bool IsMenuItem() const = 0;
  // The live object while the window is loaded, else null.
  virtual ComponentObject* Object() const = 0;

  // The flag word: component flags, or menu flags for a menu item.
  virtual uint32_t Flags() const = 0;
  virtual void SetFlags(uint32_t flags) = 0;

  // Components other than menu items.
  virtual ComponentGeometry TemplateGeometry() const = 0;
  virtual void SetTemplateGeometry(const ComponentGeometry& geometry) = 0;
  virtual std::string_view Tag() const = 0;
  virtual void SetTag(std::string_view tag) = 0;
  virtual std::span<const uint8_t> CursorData() const = 0;
  virtual void SetCursorData(std::span<const uint8_t> data) = 0;

  // Menu items.
  virtual std::string_view Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // A menu item's record changed: the window's menu bar is built anew.
  virtual void MenuChanged() = 0;
};

}  // namespace barvell::runtime
