// The runtime's text and number commands, callable by number without the rest of the
// runtime (windows, loop, files): what the text fuzzers need of the runtime's kernel.
#pragma once

#include <cstdint>
#include <string>

#include "barvell/call_interface.h"

namespace barvell::fuzz {

// A fatal runtime error, thrown by the fuzzers' error report instead of ending the process.
struct FatalRuntimeError {
  std::string message;
};

// Calls text command `number` of barvell::command (0 to 12); a number outside them throws.
ResultRecord CallTextCommand(int32_t number, int32_t count, ArgRecord* args);

// Kernel entries whose library commands are the text commands and whose heap is the
// runtime's; every other entry throws.
const KernelEntryTable& TextCommandKernel();

}  // namespace barvell::fuzz
