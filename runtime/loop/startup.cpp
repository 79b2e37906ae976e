#include "runtime/loop/startup.h"

#include "runtime/call/error_report.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/runtime_state.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/events/event_sink.h"
#include "runtime/loop/idle.h"
#include "runtime/loop/load_window_service.h"
#include "runtime/loop/message_loop.h"
#include "runtime/templates/component_records.h"
#include "runtime/windows/hidden_owner.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

namespace {

// A shutdown asked for on another thread goes to the start-up thread as a message to the
// hidden owner window, which the event sink turns into EndProgram there.
bool PostShutdownRequest(int32_t exit_code) {
  if (State().hidden_owner == ui::kNoWindow || !HasWindowSystem()) return false;
  Ui().PostUserMessage(kShutdownRequest, exit_code);
  return true;
}

}  // namespace

void InstallFrame() {
  UseWindowLoader();
  InstallDispatchHooks();
  FrameHooks& frame = Frame();
  frame.load_window = LoadWindowService;
  frame.run_message_loop = RunMessageLoop;
  frame.load_start_window = LoadStartWindow;
  // The shutdown empties the idle callbacks before the windows go.
  frame.unload_windows = [] {
    ClearIdleCallbacks();
    UnloadAllWindows();
  };
  frame.destroy_hidden_owner = DestroyHiddenOwnerWindow;
  frame.request_shutdown = PostShutdownRequest;
  ForgetEventSource();
  ClearIdleCallbacks();
}

void LoadStartWindow(WindowId id) {
  WindowRegistry* registry = TemplateRegistry();
  Window* window = registry != nullptr ? registry->Find(id) : nullptr;
  if (window == nullptr || !LoadWindowObject(*window, false, ui::kNoWindow)) {
    FatalError("载入启动窗口失败", id, 0);
  }
}

}  // namespace barvell::runtime
