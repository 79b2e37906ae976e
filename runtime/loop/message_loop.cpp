#include "runtime/loop/message_loop.h"

#include "runtime/loop/idle.h"
#include "runtime/call/runtime_state.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

bool ModalEnded(const Window* modal) {
  return modal != nullptr && (!modal->loaded || !Ui().IsWindow(HandleOf(*modal, 0)));
}

// The one loop of both modes. Normal mode ends on a quit, which it takes; modal mode ends
// when its window is gone or a quit is posted, which it leaves for the outer loop.
void RunLoop(const Window* modal) {
  ui::WindowSystem& ui = Ui();
  bool idle = true;
  int32_t idle_count = 0;
  for (;;) {
    // Idle phase: as long as nothing is waiting and something asks for more.
    while (idle && !ui.HasPendingEvent() && !ui.IsQuitPosted()) {
      if (ModalEnded(modal)) return;
      RunIdleCallbacks();
      if (!OnIdle(idle_count++)) idle = false;
    }
    // Pump phase: until the queue is empty; every event starts a new idle period.
    do {
      if (ModalEnded(modal)) return;
      if (ui.IsQuitPosted()) {
        if (modal == nullptr) ui.TakeQuit();
        return;
      }
      ui.DispatchOne();
      idle = true;
      idle_count = 0;
    } while (ui.HasPendingEvent());
  }
}

}  // namespace

void RunMessageLoop() {
  State().running = true;
  if (!AnyWindowLoaded()) return;
  RunLoop(nullptr);
}

void RunModalLoop(Window& window) { RunLoop(&window); }

void DoEvents() {
  ui::WindowSystem& ui = Ui();
  while (ui.HasPendingEvent() && !ui.IsQuitPosted()) ui.DispatchOne();
}

}  // namespace barvell::runtime
