// Loading a program window (modal, owned or free) and letting pending messages run.
#include "runtime/call/service_callback.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/loop/message_loop.h"
#include "runtime/loop/load_window_service.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

void LoadWindowCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  ArgRecord window = ArgAt(count, args, 0);
  ArgRecord parent = ArgAt(count, args, 1);
  ArgRecord modal = ArgAt(count, args, 2);
  LoadWindowRecord record;
  record.window = window.low;
  record.modal = IsGiven(modal) && modal.low != 0 ? 1 : 0;
  // A parent that is not loaded leaves the window without owner rather than failing it.
  if (!record.modal && IsComponentReference(parent)) {
    record.owner = reinterpret_cast<ComponentObject*>(
        LibraryServiceCallback(library_service::kComponentObject, intptr_t(parent.low), 0));
  }
  SetBoolResult(result, LoadWindowService(record) == 0);
}

void DoEventsCommand(ResultRecord*, int32_t, ArgRecord*) { DoEvents(); }

}  // namespace barvell::runtime
