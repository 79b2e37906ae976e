// The hidden owner window: a top-level window that is never shown and owns the modal
// windows and the windows kept off the taskbar.
#pragma once

#include "platform/ui/window_handle.h"

namespace barvell::runtime {

// Created on first use; kept in the runtime state.
ui::WindowHandle HiddenOwnerWindow();
// Shutdown.
void DestroyHiddenOwnerWindow();

}  // namespace barvell::runtime
