// The records of an event on its way to the program's handler (library services 2008 and
// 2031), and raising an event from anywhere in the runtime. The dispatcher, which finds
// and calls the handler, installs itself in the frame hooks.
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

// What raising code needs: whether a handler ran, and its value if it gave one.
struct EventOutcome {
  bool handled = false;
  bool has_value = false;
  int64_t value = 0;
  // A value false (0) given by the handler: cancels a close, swallows a key or click.
  bool Refused() const { return has_value && value == 0; }
};

// Builds a simple record and hands it to the dispatcher; nothing is handled while no
// dispatcher is installed.
EventOutcome RaiseEvent(WindowId window, ComponentId component, int32_t event,
                        std::initializer_list<uint32_t> arguments = {});

}  // namespace barvell::runtime
