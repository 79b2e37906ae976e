#include "runtime/loop/startup.h"

#include "runtime/templates/component_records.h"
#include "runtime/call/error_report.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/loop/idle.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/templates/loader_hooks.h"
#include "runtime/loop/message_loop.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

void InstallFrame() {
  UseWindowLoader();
  InstallDispatchHooks();
  // The shutdown empties the idle callbacks before the windows go.
  LoaderHooks hooks = Loader();
  hooks.unload_all_windows = [unload = hooks.unload_all_windows] {
    ClearIdleCallbacks();
    if (unload) unload();
  };
  SetLoaderHooks(std::move(hooks));
  ForgetEventSource();
  ClearIdleCallbacks();
  SetFrameEntries({&RunMessageLoop, &LoadStartWindow});
}

void LoadStartWindow(WindowId id) {
  WindowRegistry* registry = TemplateRegistry();
  Window* window = registry != nullptr ? registry->Find(id) : nullptr;
  if (window == nullptr || !LoadWindowObject(*window, false, ui::kNoWindow)) {
    FatalError("载入启动窗口失败", id, 0);
  }
}

}  // namespace barvell::runtime
