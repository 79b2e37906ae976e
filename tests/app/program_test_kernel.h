// The program's tests run its code over the real runtime: the runtime's kernel entries,
// with the runtime's own command libraries.
#pragma once

#include "kernel.h"
#include "program_globals.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/runtime_state.h"

namespace barvell::app {

inline void UseTestKernel() {
  // No program data; nine library slots filled with the runtime's own libraries.
  static const ProgramDescriptor kDescriptor = [] {
    ProgramDescriptor d{};
    d.run_mode = 3;
    d.library_count = 9;
    return d;
  }();
  // A program run earlier in the same process left its template loader behind; this
  // program has no templates to load.
  runtime::Frame().load_templates = nullptr;
  runtime::AttachProgram(&kDescriptor);
  SetKernel(&runtime::KernelEntries());
  Kernel().Service(service::kInitialise, 0, 0, 0, 0, 0);
}

}  // namespace barvell::app
