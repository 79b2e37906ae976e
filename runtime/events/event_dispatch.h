// Event dispatch: numbered events on a component of a window reach the handler the
// window template binds to them.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "barvell/call_interface.h"

namespace barvell::runtime {

// Simple form: integer arguments. Layout as designed (44 bytes).
struct EventRecord {
  WindowId window = 0;
  ComponentId component = 0;  // 0 = the window component
  int32_t event = 0;
  uint32_t argument_count = 0;  // at most 5
  uint32_t arguments[5] = {};
  uint32_t result_flag = 0;  // 1 when the handler returned a value
  uint32_t result_value = 0;
};
static_assert(sizeof(EventRecord) == 44);

// Typed form: up to 12 argument slots of 16 bytes; result flag at 208, 64-bit value at 212.
struct TypedArgument {
  uint32_t low = 0;
  uint32_t high = 0;
  TypeTag tag = 0;
  uint32_t flags = 0;  // bit 0 by reference, bit 1 an 8-byte value
};
#pragma pack(push, 4)
struct TypedEventRecord {
  WindowId window = 0;
  ComponentId component = 0;
  int32_t event = 0;
  uint32_t argument_count = 0;  // at most 12
  TypedArgument arguments[12] = {};
  uint32_t result_flag = 0;
  uint64_t result_value = 0;
};
#pragma pack(pop)
static_assert(sizeof(TypedEventRecord) == 220);

// The handler the template binds to (window, component, event), following the component's
// event-source link; null when there is none, or while an error report or the shutdown is
// under way. A missing window or component, or a type that raises no events, is fatal.
// Records the event source when a handler is found.
const HandlerEntry* LookupHandler(WindowId window, ComponentId component, int32_t event);

// Dispatches the record: 1 when a handler was found and called (the result fields are
// then set when it produced a value), 0 otherwise.
int32_t DispatchEvent(EventRecord& record);
int32_t DispatchEvent(TypedEventRecord& record);

// What raising code needs: whether a handler ran, and its value if it gave one.
struct EventOutcome {
  bool handled = false;
  bool has_value = false;
  int64_t value = 0;
  // A value false (0) given by the handler: cancels a close, swallows a key or click.
  bool Refused() const { return has_value && value == 0; }
};

EventOutcome RaiseEvent(WindowId window, ComponentId component, int32_t event,
                        std::initializer_list<uint32_t> arguments = {});

// The WindowId and ComponentId of the last dispatched event; false before the first.
bool CurrentEventSource(WindowId* window, ComponentId* component);
// A new run of a program starts without an event source.
void ForgetEventSource();

// Installs the dispatcher in the loader hooks (library services 2008 and 2017), keeping
// the hooks already there.
void InstallDispatchHooks();

}  // namespace barvell::runtime
