// The live object of a window component: its top-level window and the options of its
// window PropertyBlock that the loader and the dispatcher act on.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "runtime/windows/control_object.h"

namespace barvell::runtime {

// The keyboard, mouse and showing options of a window.
struct WindowOptions {
  bool esc_closes = false;
  bool enter_moves_focus = false;
  bool f1_help = false;
  uint32_t help_context = 0;
  std::string help_file;  // GBK; empty = the program file name with the extension "hlp"
  bool drag = false;      // a left press on the client area moves the window
  uint32_t start_position = 0;  // 0 as designed, 1 centred, 2 minimised, 3 maximised
  bool sizeable = false;
};

class WindowObject : public ControlObject {
 public:
  WindowObject(ui::WindowHandle handle, WindowOptions options)
      : ControlObject(type_id::kWindow, handle, 0), options_(std::move(options)) {}
  const WindowOptions& Options() const { return options_; }

 private:
  WindowOptions options_;
};

}  // namespace barvell::runtime
