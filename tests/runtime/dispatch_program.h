// A small program for the dispatch tests: a handler table of recording handlers, a
// template area built in the test, and one command library whose component types raise
// events (or, for the label, do not).
#pragma once

#include <array>
#include <map>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/call/command_library.h"
#include "runtime/templates/component_records.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/runtime_state.h"
#include "runtime/templates/template_area.h"

namespace barvell::testing {

// One handler call: which handler, with which argument words.
struct HandlerCall {
  int handler;
  std::vector<uint32_t> arguments;
  bool operator==(const HandlerCall&) const = default;
};

inline std::vector<HandlerCall> g_calls;
// The event source each call saw: window and component.
inline std::vector<std::pair<WindowId, ComponentId>> g_sources;
// What handler n answers; no entry = no value.
inline std::map<int, int64_t> g_answers;
// Called with the handler's number after each call is recorded, before it answers.
inline void (*g_on_call)(int handler) = nullptr;

template <int N>
HandlerResult Recorder(const uint32_t* args, uint32_t count) {
  g_calls.push_back({N, std::vector<uint32_t>(args, args + count)});
  WindowId window = 0;
  ComponentId component = 0;
  runtime::CurrentEventSource(&window, &component);
  g_sources.emplace_back(window, component);
  if (g_on_call != nullptr) g_on_call(N);
  auto answer = g_answers.find(N);
  return answer == g_answers.end() ? HandlerResult::None() : HandlerResult::Of(answer->second);
}

template <int... N>
constexpr std::array<HandlerEntry, sizeof...(N) + 1> MakeRecorders(
    std::integer_sequence<int, N...>) {
  return {HandlerEntry{"h", &Recorder<N>}..., HandlerEntry{"none", nullptr}};
}

// Entry n (at offset 8 n) records its calls as handler n; the last entry has no function.
constexpr int kRecorderCount = 24;
inline constexpr auto kRecorders = MakeRecorders(std::make_integer_sequence<int, kRecorderCount>());
constexpr int kNullHandler = kRecorderCount;
constexpr int32_t Offset(int handler) { return handler * kHandlerStride; }

// The calls of one handler, in order.
inline std::vector<std::vector<uint32_t>> CallsOf(int handler) {
  std::vector<std::vector<uint32_t>> calls;
  for (const HandlerCall& call : g_calls) {
    if (call.handler == handler) calls.push_back(call.arguments);
  }
  return calls;
}

// The handlers called, in order.
inline std::vector<int> Handlers() {
  std::vector<int> handlers;
  for (const HandlerCall& call : g_calls) handlers.push_back(call.handler);
  return handlers;
}

// Types of library 1 by number; only their flag words matter to the dispatcher.
inline runtime::TypeDescriptor TestType(const char* name, uint32_t flags) {
  runtime::TypeDescriptor t{};
  t.name = name;
  t.english_name = name;
  t.flags = flags;
  return t;
}
inline const runtime::TypeDescriptor kTestTypes[] = {
    TestType("window", 0x04), TestType("", 0),       TestType("menu item", 0x04),
    TestType("", 0),          TestType("edit", 0x40), TestType("picture", 0x04),
    TestType("", 0),          TestType("", 0),       TestType("", 0),
    TestType("label", 0),     TestType("button", 0x44),
};
inline const CommandLibrary kTestLibrary = {"test", 0, nullptr, 11, kTestTypes, nullptr};
inline const CommandLibrary* const kTestLibraries[] = {&kTestLibrary};

inline runtime::ComponentSource Part(ComponentId id, TypeId type,
                                     std::vector<runtime::EventBinding> events = {}) {
  runtime::ComponentSource c;
  c.record.id = id;
  c.record.type = type;
  c.record.is_menu_item = IdIsMenuItem(id);
  c.record.events = std::move(events);
  return c;
}

inline runtime::ComponentSource MenuItem(ComponentId id, int32_t handler_offset) {
  runtime::ComponentSource c = Part(id, type_id::kMenuItem);
  c.record.handler_offset = handler_offset;
  return c;
}

struct DispatchProgram {
  std::vector<uint8_t> area;
  ProgramDescriptor descriptor{};

  // Attaches the program and initialises the runtime over the template registry.
  void Start(const std::vector<runtime::WindowSource>& windows) {
    g_calls.clear();
    g_sources.clear();
    g_answers.clear();
    g_on_call = nullptr;
    area = runtime::EncodeTemplateArea(windows);
    descriptor.run_mode = 3;
    descriptor.code_base = kRecorders.data();
    descriptor.handler_count = uint32_t(kRecorders.size());
    descriptor.template_start = area.data();
    descriptor.template_size = uint32_t(area.size());
    descriptor.library_count = 1;
    descriptor.libraries = kTestLibraries;
    runtime::AttachProgram(&descriptor);
    runtime::ForgetEventSource();
    runtime::UseTemplateRegistry();
    runtime::InstallDispatchHooks();
    runtime::KernelEntries().Service(service::kInitialise, 0, 0, 0, 0, 0);
  }

  ~DispatchProgram() {
    runtime::Frame() = {};
    runtime::AttachProgram(nullptr);
  }
};

}  // namespace barvell::testing
