// The live object of a component over its platform window: what every component type's
// object shares (geometry, visibility, enabled state, cursor), and the questions the
// dispatcher asks of the focused control.
#pragma once

#include <span>

#include "barvell/call_interface.h"
#include "platform/ui/events.h"
#include "platform/ui/window_handle.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

class ControlObject : public ComponentObject {
 public:
  ControlObject(TypeId type, ui::WindowHandle handle, int control_id)
      : type_(type), handle_(handle), control_id_(control_id) {}
  ~ControlObject() override = default;  // the platform window goes with its top-level window

  TypeId Type() const { return type_; }
  ui::WindowHandle Handle() const { return handle_; }
  int ControlId() const { return control_id_; }

  bool HasWindow() const override;
  // For a control: relative to its parent's client area; for a window: screen position
  // and outer size.
  ComponentGeometry Geometry() const override;
  void SetGeometry(const ComponentGeometry& geometry) override;
  bool IsVisible() const override;
  void SetVisible(bool visible) override;
  bool IsEnabled() const override;
  void SetEnabled(bool enabled) override;
  void CursorChanged(std::span<const uint8_t> cursor_data) override;

  // Whether the control handles `key` itself rather than leaving it to focus navigation,
  // default buttons and the Esc and F1 options.
  virtual bool WantsKey(int key) const;
  // Whether Enter presses this control when it has the focus.
  virtual bool ActsAsDefaultButton() const { return false; }
  // Whether Enter anywhere in the window presses this control: a button marked as the
  // window's default. No button of this program is, so Enter in an edit box presses
  // nothing rather than the first button of the window.
  virtual bool IsDefaultButton() const { return false; }

  // What the control itself does with input the program's handlers let through. Controls
  // drawn by the runtime have no platform behaviour, so they act here (bars move their
  // thumb, pickers choose a colour).
  virtual void OnMouse(const ui::Event&) {}
  virtual void OnKeyDown(int) {}
  // A character about to reach the control: the same, another, or 0 to drop it.
  virtual char32_t FilterCharacter(char32_t character) const { return character; }
  // A click of a button-like control: true when the control answers it itself and raises
  // its event 0 only when it has a result, instead of event 0 at once.
  virtual bool AnswersClick() { return false; }

 private:
  TypeId type_;
  ui::WindowHandle handle_;
  int control_id_;
};

// The object of a live component, when it is one of the runtime's own.
ControlObject* AsControl(ComponentObject* object);

}  // namespace barvell::runtime
