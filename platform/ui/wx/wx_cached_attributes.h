#pragma once
// A window whose default attributes (font and colours) are looked up once. The toolkit
// asks for them on every repaint of a window without attributes of its own, and each
// lookup builds a theme style context: during a batch, which repaints the preview once a
// screen frame, that costs more than copying the picture.

#include <optional>

#include <wx/window.h>

namespace barvell::ui {

template <class Window>
class CachedAttributes : public Window {
 public:
  using Window::Window;
  wxVisualAttributes GetDefaultAttributes() const override {
    if (!cached_) cached_ = Window::GetDefaultAttributes();
    return *cached_;
  }

 private:
  mutable std::optional<wxVisualAttributes> cached_;
};

}  // namespace barvell::ui
