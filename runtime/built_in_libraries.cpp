// The runtime's own command libraries in their numbering: library 1 is the core library
// (text and numbers, and the component types of library 1); the libraries of the
// multi-function bar (2) and the status bar (3) join as their controls arrive.
#include "runtime/command_library.h"

namespace barvell::runtime {

namespace {
const CommandLibrary* const kBuiltInLibraries[] = {
    &kCoreLibrary,
};
}  // namespace

std::span<const CommandLibrary* const> BuiltInLibraries() { return kBuiltInLibraries; }

}  // namespace barvell::runtime
