#include "runtime/windows/control_object.h"

#include "runtime/windows/cursor_data.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

bool ControlObject::HasWindow() const {
  return handle_ != ui::kNoWindow && Ui().IsWindow(handle_);
}

ComponentGeometry ControlObject::Geometry() const {
  ui::Rect r = Ui().GetRect(handle_);
  return {r.left, r.top, r.width, r.height};
}

void ControlObject::SetGeometry(const ComponentGeometry& g) {
  Ui().SetRect(handle_, {g.left, g.top, g.width, g.height});
}

bool ControlObject::IsVisible() const { return Ui().IsVisible(handle_); }

void ControlObject::SetVisible(bool visible) {
  if (!visible) {
    Ui().Show(handle_, ui::ShowMode::kHide);
  } else {
    // A top-level window is shown as the user would see it appear: activated.
    Ui().Show(handle_, Ui().IsTopLevel(handle_) ? ui::ShowMode::kShow
                                                : ui::ShowMode::kShowNoActivate);
  }
}

bool ControlObject::IsEnabled() const { return Ui().IsEnabled(handle_); }

void ControlObject::SetEnabled(bool enabled) { Ui().Enable(handle_, enabled); }

void ControlObject::CursorChanged(std::span<const uint8_t> cursor_data) {
  const ui::Cursor* cursor = CursorFromData(cursor_data);
  Ui().SetCursor(handle_, cursor != nullptr ? *cursor : ui::Cursor::kArrow);
}

bool ControlObject::WantsKey(int) const { return false; }

ControlObject* AsControl(ComponentObject* object) {
  return dynamic_cast<ControlObject*>(object);
}

}  // namespace barvell::runtime
