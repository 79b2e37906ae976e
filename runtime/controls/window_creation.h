// The window type's create operation: a top-level window from the window PropertyBlock.
#pragma once

#include "runtime/windows/create_request.h"

namespace barvell::runtime::controls {

// Style from the border and box options, the template's outer size, centred on the
// screen for start position 1; a modal window, or one kept off the taskbar, is owned by
// the hidden owner window when it has no owner. Null for an invalid block.
ComponentObject* CreateWindowComponent(const CreateRequest& request);

}  // namespace barvell::runtime::controls
