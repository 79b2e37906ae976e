#include "runtime/call/runtime_state.h"

#include "runtime/call/heap.h"

namespace barvell::runtime {

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

void AttachProgram(const ProgramDescriptor* program) {
  for (DllCommandState& dll : State().dll_commands) platform::FreeLibrary(dll.module);
  State() = RuntimeState{};
  State().program = program;
  SetConstantArea(nullptr, 0);
}

}  // namespace barvell::runtime
