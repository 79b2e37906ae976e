#include "runtime/call/service_callback.h"

#include "runtime/call/error_report.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

namespace {

intptr_t Address(const void* p) { return reinterpret_cast<intptr_t>(p); }

template <typename T>
T* RecordAt(intptr_t address) {
  return reinterpret_cast<T*>(address);
}

// 2017 fills a two-word record: WindowId, ComponentId.
intptr_t EventSource(intptr_t record_address) {
  WindowId window = 0;
  ComponentId component = 0;
  if (!Frame().event_source || !Frame().event_source(&window, &component)) return 0;
  if (auto* record = RecordAt<uint32_t>(record_address)) {
    record[0] = window;
    record[1] = component;
  }
  return 1;
}

}  // namespace

intptr_t LibraryServiceCallback(int32_t number, intptr_t a, intptr_t b) {
  // Every draw-panel command starts here: the component lookup goes first.
  if (number == library_service::kRequireComponentObject) {
    ComponentObject* object = LiveComponentObject(WindowId(a), ComponentId(b));
    if (object == nullptr) {
      FatalError("指定窗口或窗口组件不存在或尚未载入", uint32_t(a), uint32_t(b));
    }
    return Address(object);
  }
  const FrameHooks& frame = Frame();
  RuntimeState& state = State();
  switch (number) {
    case library_service::kRegistry:
      return frame.registry ? Address(frame.registry()) : 0;
    case library_service::kTypeDescriptor:
      return Address(FindTypeDescriptor(TypeId(a)));
    case library_service::kVersion:
      return kRuntimeVersion;
    case library_service::kWindowDestroyed:
      if (frame.window_destroyed) frame.window_destroyed(WindowId(a));
      return 0;
    case library_service::kProgramDirectory:
      return Address(state.program_directory.c_str());
    case library_service::kProgramFileName:
      return Address(state.program_file_name.c_str());
    case library_service::kLoadWindow: {
      const auto* record = RecordAt<const LoadWindowRecord>(a);
      return record != nullptr && frame.load_window ? frame.load_window(*record) : -1;
    }
    case library_service::kComponentObject:
      return Address(LiveComponentObject(WindowId(a), ComponentId(b)));
    case library_service::kRaiseEvent: {
      auto* record = RecordAt<EventRecord>(a);
      return record != nullptr && frame.dispatch ? frame.dispatch(*record) : 0;
    }
    case library_service::kRaiseTypedEvent: {
      auto* record = RecordAt<TypedEventRecord>(a);
      return record != nullptr && frame.dispatch_typed ? frame.dispatch_typed(*record) : 0;
    }
    case library_service::kLoadingBegins:
    case library_service::kLoadingEnds:
      // Notices of a load under way: the loader keeps no count of them.
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
