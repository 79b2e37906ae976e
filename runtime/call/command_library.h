// Command libraries: the runtime's tables of library commands and component types. The
// program's descriptor lists them; entries 3 and 4 call their commands by number, and
// each library reaches the runtime back through the service callback it is handed with
// notification 1.
#pragma once

#include <cstdint>
#include <span>

#include "barvell/call_interface.h"
#include "runtime/call/type_descriptor.h"

namespace barvell {

namespace runtime {
// The runtime's services for library code, by number (see service_callback.h).
using ServiceCallback = intptr_t (*)(int32_t number, intptr_t a, intptr_t b);
// A library's notification function: notification 1 at initialisation with the service
// callback as `argument`; notification 6 at shutdown with the library's data word.
using NotifyFunction = intptr_t (*)(int32_t notification, intptr_t argument);

namespace notification {
constexpr int32_t kInitialise = 1;
constexpr int32_t kShutdown = 6;
}  // namespace notification
}  // namespace runtime

struct CommandLibrary {
  const char* name;
  int32_t command_count;
  const LibraryCommand* commands;
  int32_t type_count;
  const runtime::TypeDescriptor* types;  // type number n at index n - 1
  runtime::NotifyFunction notify;        // may be null
};

namespace runtime {
// The runtime's first library: text and number conversion at the numbers of
// barvell::command, and the component types of library 1. Defined with the commands.
extern const CommandLibrary kCoreLibrary;

// The runtime's own libraries by position (library number - 1); null where a library is
// not built in. Defined with the component types (controls/), which they hold: the one
// place where the call interface names something of a room above it, at link time only.
std::span<const CommandLibrary* const> BuiltInLibraries();
}  // namespace runtime

}  // namespace barvell
