// A small program for the call-interface tests: a descriptor with a constant area, DLL
// commands and command libraries, attached and initialised through service 6.
#pragma once

#include <string>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/call/command_library.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/runtime_state.h"

namespace barvell::testing {

// The constant area: a literal text, then a one-dimensional array of three 32-bit
// integers, in one block as the build lays them out.
struct Constants {
  char literal[8] = "条码";  // GBK: four bytes and the terminator
  alignas(4) uint32_t array[5] = {1, 3, 10, 20, 30};
  char tail[4] = "end";
};

struct TestProgram {
  Constants constants;
  std::vector<const char*> dll_files;
  std::vector<const char*> dll_exports;
  std::vector<const CommandLibrary*> libraries;
  ProgramDescriptor descriptor{};

  // Attaches and initialises (service 6 through the kernel's service entry).
  const KernelEntryTable& Start() {
    descriptor.run_mode = 3;
    descriptor.reserved2 = 0x10357;
    descriptor.constant_start = &constants;
    descriptor.constant_size = sizeof constants;
    descriptor.library_count = uint32_t(libraries.size());
    descriptor.libraries = libraries.data();
    descriptor.dll_command_count = uint32_t(dll_files.size());
    descriptor.dll_files = dll_files.data();
    descriptor.dll_exports = dll_exports.data();
    runtime::Frame() = {};
    runtime::AttachProgram(&descriptor);
    const KernelEntryTable& kernel = runtime::KernelEntries();
    kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
    return kernel;
  }

  ~TestProgram() {
    runtime::AttachProgram(nullptr);  // frees bound modules, forgets the constant area
  }
};

}  // namespace barvell::testing
