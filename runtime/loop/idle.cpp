#include "runtime/loop/idle.h"

#include <algorithm>
#include <vector>

#include "platform/ui/tick_count.h"
#include "runtime/call/event_records.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

struct IdleCallback {
  ui::WindowHandle window;
  IdleFunction function;
  intptr_t argument;
};

struct IdleState {
  std::vector<IdleCallback> callbacks;
  bool backend_idle = false;  // the backend still wants idle time in this period
  uint32_t period_start = 0;  // tick count
  std::vector<WindowId> declined;  // windows that did not ask for more idle events
};

IdleState& Idle() {
  static IdleState state;
  return state;
}

}  // namespace

void AddIdleCallback(ui::WindowHandle window, IdleFunction function, intptr_t argument) {
  Idle().callbacks.push_back({window, function, argument});
}

void ClearIdleCallbacks() { Idle().callbacks.clear(); }

void RunIdleCallbacks() {
  std::vector<IdleCallback>& callbacks = Idle().callbacks;
  for (size_t i = callbacks.size(); i-- > 0;) {
    if (i >= callbacks.size()) continue;  // a callback emptied the list
    if (!Ui().IsWindow(callbacks[i].window)) {
      callbacks.erase(callbacks.begin() + std::ptrdiff_t(i));
      continue;
    }
    IdleCallback callback = callbacks[i];
    callback.function(callback.argument);
  }
}

bool OnIdle(int32_t count) {
  IdleState& idle = Idle();
  if (count == 0) {
    idle.backend_idle = true;
    idle.period_start = ui::TickCount();
    idle.declined.clear();
  }
  if (idle.backend_idle) {
    idle.backend_idle = Ui().ProcessIdle();
    return true;
  }
  if (count <= 1) return true;

  uint32_t elapsed = ui::TickCount() - idle.period_start;  // unsigned: right across a wrap
  bool more = false;
  for (Window* window : LoadedWindows()) {
    WindowId id = window->Id();
    if (std::find(idle.declined.begin(), idle.declined.end(), id) != idle.declined.end()) {
      continue;
    }
    EventOutcome outcome = RaiseEvent(id, 0, event::kIdle, {elapsed});
    if (outcome.has_value && outcome.value != 0) {
      more = true;
    } else {
      idle.declined.push_back(id);
    }
  }
  return more;
}

}  // namespace barvell::runtime
