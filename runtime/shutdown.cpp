#include "runtime/shutdown.h"

#include <thread>

#include "platform/kernel/process.h"
#include "runtime/command_library.h"
#include "runtime/heap.h"
#include "runtime/loader_hooks.h"
#include "runtime/runtime_state.h"

namespace barvell::runtime {

void Shutdown(int32_t exit_code) {
  RuntimeState& state = State();
  if (state.initialised && std::this_thread::get_id() != state.startup_thread) {
    // Only the start-up thread shuts down; without a hidden owner window to carry the
    // request there, the requesting thread ends the process itself.
    if (!state.shutting_down) platform::ExitProcess(exit_code);
    return;
  }
  if (state.shutting_down) return;
  state.shutting_down = true;
  ++state.error_counter;

  if (Loader().unload_all_windows) Loader().unload_all_windows();

  // Taken out of the state first, so that a routine registering another cannot disturb
  // the walk.
  std::vector<CleanupRoutine> routines = std::move(state.cleanup);
  state.cleanup.clear();
  for (size_t i = 0; i < routines.size(); ++i) routines[i](int32_t(i));

  for (size_t i = 0; i < state.libraries.size(); ++i) {
    const CommandLibrary* library = state.libraries[i];
    if (library != nullptr && library->notify != nullptr) {
      library->notify(notification::kShutdown, state.library_data[i]);
    }
  }
  state.libraries.clear();
  state.library_data.clear();

  for (DllCommandState& dll : state.dll_commands) platform::FreeLibrary(dll.module);
  state.dll_commands.clear();

  SetConstantArea(nullptr, 0);
  state.ole_initialised = false;
}

void EndProgram(int32_t exit_code) {
  Shutdown(exit_code);
  platform::ExitProcess(exit_code);
}

}  // namespace barvell::runtime
