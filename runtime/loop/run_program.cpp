#include "runtime/loop/run_program.h"

#include "runtime/events/event_sink.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/runtime_state.h"
#include "runtime/call/shutdown.h"
#include "runtime/loop/startup.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

int RunProgram(const ProgramDescriptor& program, StartRoutine start, ui::WindowSystem& ui) {
  AttachProgram(&program);
  SetWindowSystem(&ui);
  InstallFrame();
  InstallEventSink();
  // Exists from start-up to shutdown: it carries a shutdown requested from another thread.
  HiddenOwnerWindow();
  start(KernelEntries());
  // The quit that ended the loop has been taken; what remains posted (a start routine that
  // never ran the loop) is of no further use.
  ui.TakeQuit();
  constexpr int32_t kNormalEnd = 0;
  Shutdown(kNormalEnd);
  RemoveEventSink();
  SetWindowSystem(nullptr);
  return kNormalEnd;
}

}  // namespace barvell::runtime
