#include "runtime/events/event_dispatch.h"

#include <vector>

#include "runtime/call/error_report.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/runtime_state.h"
#include "runtime/templates/component_records.h"

namespace barvell::runtime {

namespace {

// Type flags that let a component raise events.
constexpr uint32_t kRaisesEvents = 0x04 | 0x40;

struct EventSource {
  bool known = false;
  WindowId window = 0;
  ComponentId component = 0;
};
EventSource g_source;

// Follows the event-source links from `index`: each step must name an existing component
// of the same window and type. A chain that comes back on itself stops where it closes,
// rather than looping for ever.
size_t FollowEventSource(const Window& window, size_t index) {
  std::vector<bool> seen(window.ComponentCount(), false);
  seen[index] = true;
  for (;;) {
    const ComponentRecord& record = window.Component(index);
    if (record.event_source == 0) return index;
    std::optional<size_t> next = window.FindComponent(record.event_source);
    if (!next || seen[*next] || window.Component(*next).type != record.type) return index;
    seen[*next] = true;
    index = *next;
  }
}

}  // namespace

const HandlerEntry* LookupHandler(WindowId window_id, ComponentId component, int32_t event) {
  if (State().error_counter != 0) return nullptr;
  WindowRegistry* registry = TemplateRegistry();
  Window* window = registry != nullptr ? registry->Find(window_id) : nullptr;
  if (window == nullptr) FatalError("未找到引发事件的窗口", window_id, component);
  std::optional<size_t> found =
      component == 0 ? std::optional<size_t>(0) : window->FindComponent(component);
  if (!found || *found >= window->ComponentCount()) {
    FatalError("未找到引发事件的窗口组件", window_id, component);
  }
  size_t index = FollowEventSource(*window, *found);
  const ComponentRecord& record = window->Component(index);
  const TypeDescriptor* type = FindTypeDescriptor(record.type);
  if (type == nullptr || (type->flags & kRaisesEvents) == 0) {
    FatalError("引发事件的窗口组件无效", window_id, component);
  }
  const HandlerEntry* entry = record.type == type_id::kMenuItem
                                  ? window->MenuHandler(index)
                                  : window->EventHandler(index, event);
  if (entry == nullptr || entry->function == nullptr) return nullptr;
  g_source = {true, window_id, component != 0 ? component : window->Component(0).id};
  return entry;
}

int32_t DispatchEvent(EventRecord& record) {
  const HandlerEntry* entry = LookupHandler(record.window, record.component, record.event);
  if (entry == nullptr) return 0;
  uint32_t count = record.argument_count < 5 ? record.argument_count : 5;
  // A copy: the handler may raise further events that reuse the caller's record.
  uint32_t arguments[5];
  for (uint32_t i = 0; i < count; ++i) arguments[i] = record.arguments[i];
  HandlerResult result = entry->function(arguments, count);
  if (result.has_value) {
    record.result_flag = 1;
    record.result_value = uint32_t(result.value);
  }
  return 1;
}

namespace {

bool IsEightByteValue(const TypedArgument& a) {
  switch (a.tag) {
    case type_id::kMenuItem:
    case tag::kLong:
    case tag::kDouble:
    case tag::kDateTime:
    case tag::kValue8:
      return true;
    default:
      return (a.flags & 2) != 0;
  }
}

// Pointer-valued kinds were designed for 32-bit pointers in the low word; on a 64-bit
// build the pointer needs the high word too, as in argument records.
bool IsPointer(const TypedArgument& a) {
  if (sizeof(void*) <= 4) return false;
  return (a.flags & 1) != 0 || a.tag == tag::kText || a.tag == tag::kByteArray ||
         a.tag == tag::kSubroutine;
}

void AppendWords(const TypedArgument& a, std::vector<uint32_t>& words) {
  if (IsEightByteValue(a) || IsPointer(a)) {
    words.push_back(a.low);
    words.push_back(a.high);
  } else if (a.tag == tag::kByte) {
    words.push_back(a.low & 0xFF);
  } else if (a.tag == tag::kShort) {
    words.push_back(uint32_t(int32_t(int16_t(a.low & 0xFFFF))));
  } else {
    words.push_back(a.low);
  }
}

}  // namespace

int32_t DispatchEvent(TypedEventRecord& record) {
  const HandlerEntry* entry = LookupHandler(record.window, record.component, record.event);
  if (entry == nullptr) return 0;
  uint32_t count = record.argument_count < 12 ? record.argument_count : 12;
  std::vector<uint32_t> words;
  for (uint32_t i = 0; i < count; ++i) AppendWords(record.arguments[i], words);
  HandlerResult result = entry->function(words.data(), uint32_t(words.size()));
  if (result.has_value) {
    record.result_flag = 1;
    record.result_value = uint64_t(result.value);
  }
  return 1;
}

bool CurrentEventSource(WindowId* window, ComponentId* component) {
  if (!g_source.known) return false;
  if (window != nullptr) *window = g_source.window;
  if (component != nullptr) *component = g_source.component;
  return true;
}

void ForgetEventSource() { g_source = {}; }

void InstallDispatchHooks() {
  FrameHooks& frame = Frame();
  frame.dispatch = [](EventRecord& record) { return DispatchEvent(record); };
  frame.dispatch_typed = [](TypedEventRecord& record) { return DispatchEvent(record); };
  frame.event_source = CurrentEventSource;
}

}  // namespace barvell::runtime
