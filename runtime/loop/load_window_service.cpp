#include "runtime/loop/load_window_service.h"

#include "runtime/loop/message_loop.h"
#include "runtime/templates/component_records.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

intptr_t LoadWindowService(const LoadWindowRecord& record) {
  WindowRegistry* registry = TemplateRegistry();
  Window* window = registry != nullptr ? registry->Find(record.window) : nullptr;
  if (window == nullptr) return -1;
  bool modal = record.modal != 0;
  ui::WindowHandle owner = ui::kNoWindow;
  if (record.owner != nullptr) {
    // The owner is the top-level window of the given component; a component without a
    // live window gives a handle that is no window, which fails a modeless load.
    ControlObject* control = AsControl(record.owner);
    ui::WindowHandle handle = control != nullptr ? control->Handle() : ui::kNoWindow;
    owner = Ui().IsWindow(handle) ? Ui().TopLevelOf(handle) : handle;
    if (owner == ui::kNoWindow && !modal) return -1;
  }
  if (!LoadWindowObject(*window, modal, owner)) return -1;
  if (modal && Ui().IsWindow(HandleOf(*window, 0)) &&
      (window->Component(0).flags & component_flag::kVisible) != 0) {
    RunModalLoop(*window);
  }
  return 0;
}

}  // namespace barvell::runtime
