#include "runtime/call/initialisation.h"

#include <string>
#include <thread>

#include "barvell/call_interface.h"
#include "platform/imaging/imaging_modules.h"
#include "platform/kernel/process.h"
#include "runtime/call/command_library.h"
#include "runtime/call/heap.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/runtime_state.h"
#include "runtime/call/service_callback.h"

namespace barvell::runtime {

namespace {

// Split at the last separator: directory (without it) and file name. Without a separator
// the directory is empty and the whole path is the file name.
void TakeProgramPath(RuntimeState& state) {
  std::string path = platform::ModuleFileName();
  size_t cut = path.rfind(platform::kPathSeparator);
  if (cut == std::string::npos) {
    state.program_directory.clear();
    state.program_file_name = path;
  } else {
    state.program_directory = path.substr(0, cut);
    state.program_file_name = path.substr(cut + 1);
  }
  // The root directory keeps its separator so that it still names a directory.
  platform::SetCurrentDirectory(state.program_directory.empty() && cut == 0
                                    ? std::string(1, platform::kPathSeparator)
                                    : state.program_directory);
}

const char* TextOrEmpty(const char* const* table, uint32_t i) {
  return table != nullptr && table[i] != nullptr ? table[i] : "";
}

}  // namespace

void InitialiseRuntime() {
  RuntimeState& state = State();
  const ProgramDescriptor* program = state.program;
  state.run_mode = program != nullptr ? program->run_mode : 0;
  state.ole_initialised = true;  // nothing to initialise on this platform
  platform::RegisterImagingModules();
  TakeProgramPath(state);
  state.startup_thread = std::this_thread::get_id();
  state.initialised = true;
  if (program == nullptr) return;

  SetConstantArea(program->constant_start, program->constant_size);

  state.dll_commands.clear();
  for (uint32_t i = 0; i < program->dll_command_count; ++i) {
    DllCommandState dll;
    dll.file = TextOrEmpty(program->dll_files, i);
    dll.export_name = TextOrEmpty(program->dll_exports, i);
    state.dll_commands.push_back(std::move(dll));
  }

  if (program->libraries != nullptr) {
    state.libraries.assign(program->libraries, program->libraries + program->library_count);
  } else {
    std::span<const CommandLibrary* const> own = BuiltInLibraries();
    state.libraries.assign(program->library_count, nullptr);
    for (size_t i = 0; i < state.libraries.size() && i < own.size(); ++i) {
      state.libraries[i] = own[i];
    }
  }
  state.library_data.assign(state.libraries.size(), 0);
  for (const CommandLibrary* library : state.libraries) {
    if (library != nullptr && library->notify != nullptr) {
      library->notify(notification::kInitialise, reinterpret_cast<intptr_t>(&LibraryServiceCallback));
    }
  }

  if (Frame().load_templates) Frame().load_templates(*program);
}

}  // namespace barvell::runtime
