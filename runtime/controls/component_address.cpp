#include "runtime/controls/component_address.h"

#include "runtime/events/event_dispatch.h"

namespace barvell::runtime::controls {

void ComponentAddress::RaisePrincipalEvent() const { RaiseEvent(window, component, 0); }

}  // namespace barvell::runtime::controls
