#include "runtime/controls/component_address.h"

#include "runtime/call/event_records.h"

namespace barvell::runtime::controls {

void ComponentAddress::RaisePrincipalEvent() const {
  RaiseEvent(window, component, event::kPrincipal);
}

}  // namespace barvell::runtime::controls
