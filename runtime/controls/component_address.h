// Where a control sits in the program's terms (window and component ids), so that the
// control can raise its own events.
#pragma once

#include "barvell/call_interface.h"
#include "runtime/windows/create_request.h"

namespace barvell::runtime::controls {

struct ComponentAddress {
  WindowId window = 0;
  ComponentId component = 0;

  static ComponentAddress Of(const CreateRequest& request) {
    return {request.window, request.component};
  }
  // Event 0: the control's principal event (changed, chosen, moved).
  void RaisePrincipalEvent() const;
};

}  // namespace barvell::runtime::controls
