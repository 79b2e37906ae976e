// Idle processing: the idle callbacks registered for windows, and the idle step of the
// message loop that raises window event 7 while the queue stays empty.
#pragma once

#include <cstdint>

#include "platform/ui/window_handle.h"

namespace barvell::runtime {

using IdleFunction = void (*)(intptr_t argument);

// Called while the queue is empty, from the last registered to the first, as long as
// `window` exists.
void AddIdleCallback(ui::WindowHandle window, IdleFunction function, intptr_t argument);
void ClearIdleCallbacks();
// Calls the callbacks; those whose window is gone are removed instead.
void RunIdleCallbacks();

// One idle step with the idle count (0 starts a new idle period): the backend's own idle
// work first, then, from count 2, event 7 to every loaded window that has not declined it
// in this period. True while anything asks for more idle steps.
bool OnIdle(int32_t count);

}  // namespace barvell::runtime
