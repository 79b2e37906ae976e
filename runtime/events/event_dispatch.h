// Event dispatch: numbered events on a component of a window reach the handler the
// window template binds to them.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/event_records.h"

namespace barvell::runtime {

// The handler the template binds to (window, component, event), following the component's
// event-source link; null when there is none, or while an error report or the shutdown is
// under way. A missing window or component, or a type that raises no events, is fatal.
// Records the event source when a handler is found.
const HandlerEntry* LookupHandler(WindowId window, ComponentId component, int32_t event);

// Dispatches the record: 1 when a handler was found and called (the result fields are
// then set when it produced a value), 0 otherwise.
int32_t DispatchEvent(EventRecord& record);
int32_t DispatchEvent(TypedEventRecord& record);

// The WindowId and ComponentId of the last dispatched event; false before the first.
bool CurrentEventSource(WindowId* window, ComponentId* component);
// A new run of a program starts without an event source.
void ForgetEventSource();

// Installs the dispatcher in the frame hooks (RaiseEvent, library services 2008, 2031 and
// 2017), keeping the others.
void InstallDispatchHooks();

}  // namespace barvell::runtime
