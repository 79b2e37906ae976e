#include "runtime/call/service_callback.h"

#include "barvell/call_interface.h"
#include "runtime/call/error_report.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/templates/loader_hooks.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

namespace {

intptr_t Address(const void* p) { return reinterpret_cast<intptr_t>(p); }

// 2017 fills a two-word record: WindowId, ComponentId.
intptr_t EventSource(intptr_t record_address) {
  const LoaderHooks& hooks = Loader();
  WindowId window = 0;
  ComponentId component = 0;
  if (!hooks.event_source || !hooks.event_source(&window, &component)) return 0;
  auto* record = reinterpret_cast<uint32_t*>(record_address);
  if (record != nullptr) {
    record[0] = window;
    record[1] = component;
  }
  return 1;
}

}  // namespace

intptr_t LibraryServiceCallback(int32_t number, intptr_t a, intptr_t b) {
  const LoaderHooks& hooks = Loader();
  RuntimeState& state = State();
  switch (number) {
    case library_service::kRegistry:
      return hooks.registry ? Address(hooks.registry()) : 0;
    case library_service::kTypeDescriptor:
      return Address(FindTypeDescriptor(TypeId(a)));
    case library_service::kVersion:
      return kRuntimeVersion;
    case library_service::kWindowDestroyed:
      if (hooks.window_destroyed) hooks.window_destroyed(WindowId(a));
      return 0;
    case library_service::kProgramDirectory:
      return Address(state.program_directory.c_str());
    case library_service::kProgramFileName:
      return Address(state.program_file_name.c_str());
    case library_service::kLoadWindow:
      return hooks.load_window ? hooks.load_window(a) : -1;
    case library_service::kComponentObject:
      return Address(LiveComponentObject(WindowId(a), ComponentId(b)));
    case library_service::kRequireComponentObject: {
      ComponentObject* object = LiveComponentObject(WindowId(a), ComponentId(b));
      if (object == nullptr) {
        FatalError("指定窗口或窗口组件不存在或尚未载入", uint32_t(a), uint32_t(b));
      }
      return Address(object);
    }
    case library_service::kRaiseEvent:
      return hooks.raise_event ? hooks.raise_event(a) : 0;
    case library_service::kRaiseTypedEvent: {
      auto* record = reinterpret_cast<TypedEventRecord*>(a);
      return record != nullptr ? DispatchEvent(*record) : 0;
    }
    case library_service::kLoadingBegins:
      if (hooks.loading_begins) hooks.loading_begins();
      return 0;
    case library_service::kLoadingEnds:
      if (hooks.loading_ends) hooks.loading_ends();
      return 0;
    case library_service::kEventSource:
      return EventSource(a);
    case library_service::kAllocate:
      return Address(b == 0 ? AllocateBlock(int32_t(a)) : TryAllocateBlock(int32_t(a)));
    case library_service::kFree:
      FreeBlock(reinterpret_cast<void*>(a));
      return 0;
    case library_service::kReallocate:
      return Address(ReallocateBlock(reinterpret_cast<void*>(a), int32_t(b)));
    default:
      return 0;
  }
}

}  // namespace barvell::runtime
