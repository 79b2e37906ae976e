// The window registry as the call interface sees it: views of the registry's component
// records, and the frame hooks that build the registry at initialisation and answer
// window and component lookups from it.
#pragma once

#include <cstddef>

#include "runtime/call/component_view.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/templates/window_registry.h"

namespace barvell::runtime {

// One component of a registry window. Writes go to the window's records of the current
// load (or, while unloaded, until the next load), never into its template. The live object is the one the loader keeps in
// the component's slot, which holds a ComponentObject*.
class RecordView : public ComponentView {
 public:
  RecordView(Window& window, size_t index) : window_(&window), index_(index) {}

  TypeId Type() const override { return Record().type; }
  bool IsMenuItem() const override { return Record().is_menu_item; }
  ComponentObject* Object() const override;
  uint32_t Flags() const override;
  void SetFlags(uint32_t flags) override;
  ComponentGeometry TemplateGeometry() const override;
  void SetTemplateGeometry(const ComponentGeometry& geometry) override;
  std::string_view Tag() const override { return Record().tag; }
  void SetTag(std::string_view tag) override { Record().tag = tag; }
  std::span<const uint8_t> CursorData() const override { return Record().cursor; }
  void SetCursorData(std::span<const uint8_t> data) override;
  std::string_view Caption() const override { return Record().caption; }
  void SetCaption(std::string_view caption) override { Record().caption = caption; }
  void MenuChanged() override;

 private:
  ComponentRecord& Record() const;

  Window* window_;
  size_t index_;
};

// Installs the registry's frame hooks, keeping the others: initialisation builds the
// registry from the program's template area and code base ("载入窗口模板数据段出错!" when
// malformed), lookups answer from it.
void UseTemplateRegistry();

// The registry built at initialisation; null before.
WindowRegistry* TemplateRegistry();

}  // namespace barvell::runtime
