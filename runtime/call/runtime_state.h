// The runtime's state for the process: one object, created before the program starts and
// filled by runtime initialisation.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "barvell/call_interface.h"
#include "platform/kernel/dynamic_library.h"
#include "platform/ui/window_handle.h"

namespace barvell::runtime {

// One entry per DLL command: names from the descriptor, address and module once bound.
struct DllCommandState {
  std::string file;
  std::string export_name;
  void* address = nullptr;
  platform::ModuleHandle module = nullptr;
};

struct RuntimeState {
  const ProgramDescriptor* program = nullptr;
  bool initialised = false;
  uint32_t run_mode = 0;
  bool ole_initialised = false;
  // Owns modal windows and windows kept off the taskbar; never shown.
  ui::WindowHandle hidden_owner = ui::kNoWindow;
  std::string program_directory;  // no trailing separator
  std::string program_file_name;
  std::thread::id startup_thread;

  std::vector<DllCommandState> dll_commands;
  // Directories tried before and after the program directory when binding a DLL command
  // by file name; empty = not set (this program sets none).
  std::string dll_directory;
  std::string second_dll_directory;

  std::vector<const CommandLibrary*> libraries;
  std::vector<intptr_t> library_data;

  bool running = false;
  // Non-zero once an error report or the shutdown has begun: no event reaches the program.
  int32_t error_counter = 0;
  bool shutting_down = false;
  std::vector<CleanupRoutine> cleanup;
};

RuntimeState& State();

// Makes `program` the program of this process, with a fresh state; runtime
// initialisation (service 6) reads it.
void AttachProgram(const ProgramDescriptor* program);

}  // namespace barvell::runtime
