#include "runtime/call/shutdown.h"

#include <atomic>
#include <thread>

#include "platform/kernel/process.h"
#include "runtime/call/command_library.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/heap.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

namespace {

// Set by the start-up thread when its shutdown begins; other threads look at it.
std::atomic<bool> g_shutdown_begun{false};

// How long a thread that asked for the shutdown waits for the start-up thread to begin
// it before it ends the process itself (the start-up thread may be stuck).
constexpr int kShutdownRequestWaitMs = 5000;

// Only the start-up thread shuts down: the request goes there through the hidden owner
// window, and the requesting thread waits as a sent message would. Without the window,
// or when the start-up thread does not take the request up, the requesting thread ends
// the process itself.
void RequestShutdownFromOtherThread(int32_t exit_code) {
  const FrameHooks& frame = Frame();
  if (frame.request_shutdown && frame.request_shutdown(exit_code)) {
    for (int waited = 0; waited < kShutdownRequestWaitMs && !g_shutdown_begun; waited += 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Under way: the start-up thread ends the process with the code.
    while (g_shutdown_begun) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  platform::ExitProcess(exit_code);
}

}  // namespace

void Shutdown(int32_t exit_code) {
  RuntimeState& state = State();
  if (state.initialised && std::this_thread::get_id() != state.startup_thread) {
    if (!g_shutdown_begun) RequestShutdownFromOtherThread(exit_code);
    return;
  }
  if (state.shutting_down) return;
  state.shutting_down = true;
  g_shutdown_begun = true;
  ++state.error_counter;

  if (Frame().unload_windows) Frame().unload_windows();

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
  if (Frame().destroy_hidden_owner) Frame().destroy_hidden_owner();
  state.ole_initialised = false;
  g_shutdown_begun = false;
}

void EndProgram(int32_t exit_code) {
  Shutdown(exit_code);
  platform::ExitProcess(exit_code);
}

}  // namespace barvell::runtime
