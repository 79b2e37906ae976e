// Calling library commands by number, and finding component types, through the command
// library table of the running program.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/type_descriptor.h"

namespace barvell::runtime {

// Calls command `command` of the library at zero-based position `library` of the table
// with a zeroed result record. A missing library or command is fatal.
ResultRecord CallLibraryCommandOf(int32_t library, int32_t command, int32_t count,
                                  ArgRecord* args);

// The TypeDescriptor of a TypeId (library and type numbers 1-based), or null when the
// library or type is missing or its descriptor is empty.
const TypeDescriptor* FindTypeDescriptor(TypeId type);

}  // namespace barvell::runtime
