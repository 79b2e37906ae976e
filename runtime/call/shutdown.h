// The end of the program: the runtime's shutdown and EndProgram.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// The shutdown with an exit code: no further events, idle callbacks emptied and windows
// unloaded, the clean-up routines called once in registration order, libraries notified,
// DLL modules freed, the hidden owner window destroyed (the window steps are those the
// loop installed in the frame hooks). Does nothing when a shutdown is
// already under way. Called from another thread than the start-up thread, it asks the
// start-up thread (through the hidden owner window) to end the program with the code and
// waits; without the window, or when the start-up thread does not take the request up,
// it ends the process with the code itself.
void Shutdown(int32_t exit_code);

// Shutdown, then the end of the process with the code.
[[noreturn]] void EndProgram(int32_t exit_code);

}  // namespace barvell::runtime
