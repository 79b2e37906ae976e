#include "runtime/call/kernel_entries.h"

#include "runtime/call/dll_commands.h"
#include "runtime/call/error_report.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/properties.h"
#include "runtime/call/runtime_state.h"
#include "runtime/call/services.h"
#include "runtime/call/shutdown.h"

namespace barvell::runtime {

namespace {

void RaiseErrorEntry(int32_t error, uint32_t a, uint32_t b) { RaiseRuntimeError(error, a, b); }

void* CallDllCommandEntry(int32_t number) { return BindDllCommand(number); }

ResultRecord CallLibraryCommandOfEntry(int32_t library, int32_t command, int32_t count,
                                       ArgRecord* args) {
  return CallLibraryCommandOf(library, command, count, args);
}

ResultRecord CallLibraryCommandEntry(int32_t command, int32_t count, ArgRecord* args) {
  return CallLibraryCommandOf(0, command, count, args);
}

void EndProgramEntry(int32_t exit_code) { EndProgram(exit_code); }

void RunMessageLoopEntry() {
  State().running = true;
  if (Frame().run_message_loop) Frame().run_message_loop();
}

void LoadStartWindowEntry(WindowId window) {
  if (Frame().load_start_window) return Frame().load_start_window(window);
  FatalError("载入启动窗口失败", window, 0);
}

constexpr KernelEntryTable kEntries = {
    RaiseErrorEntry,
    CallDllCommandEntry,
    CallLibraryCommandOfEntry,
    CallLibraryCommandEntry,
    ReadProperty,
    WriteProperty,
    AllocateBlock,
    ReallocateBlock,
    FreeBlock,
    EndProgramEntry,
    RunMessageLoopEntry,
    LoadStartWindowEntry,
    CallService,
};

}  // namespace

const KernelEntryTable& KernelEntries() { return kEntries; }

}  // namespace barvell::runtime
