// The end of the program: the runtime's shutdown and EndProgram.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// The shutdown with an exit code: no further events, windows unloaded, the clean-up
// routines called once in registration order, libraries notified, DLL modules freed. Does
// nothing when a shutdown is already under way. Called from another thread than the
// start-up thread it ends the process with the code instead.
void Shutdown(int32_t exit_code);

// Shutdown, then the end of the process with the code.
[[noreturn]] void EndProgram(int32_t exit_code);

}  // namespace barvell::runtime
