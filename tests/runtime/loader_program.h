// A program for the loader's tests on the headless window system: the program's own
// template area, or one built in the test, over the runtime's own component types, with
// a handler table of recording handlers as its code base.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "barvell/call_interface.h"
#include "platform/text/gbk.h"
#include "platform/ui/headless/headless_window_system.h"
#include "runtime/templates/component_records.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/runtime_state.h"
#include "runtime/templates/template_area.h"
#include "runtime/loop/startup.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"
#include "app/template_area.h"  // the program's compiled templates

namespace barvell::testing {

// UTF-8 texts written in the test, whatever the execution character set.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// One handler call: which entry of the table, with which argument words.
struct LoaderCall {
  int handler;
  std::vector<uint32_t> arguments;
  bool operator==(const LoaderCall&) const = default;
};

inline std::vector<LoaderCall> g_loader_calls;
// Run inside handler n before it returns (for handlers that close their window).
inline std::function<void(int)> g_during_handler;

template <int N>
HandlerResult LoaderRecorder(const uint32_t* args, uint32_t count) {
  g_loader_calls.push_back({N, std::vector<uint32_t>(args, args + count)});
  if (g_during_handler) g_during_handler(N);
  return HandlerResult::None();
}

// As many recording entries as the program's handler table has, so that both the
// program's templates and the tests' own bind to them.
template <size_t... I>
constexpr std::array<HandlerEntry, sizeof...(I)> Recorders(std::index_sequence<I...>) {
  return {HandlerEntry{"recorder", &LoaderRecorder<int(I)>}...};
}
inline constexpr auto kLoaderHandlers = Recorders(std::make_index_sequence<48>());
constexpr int32_t HandlerOffset(int handler) { return handler * kHandlerStride; }

constexpr WindowId kMainWindow = 0x52010001;
constexpr WindowId kProductBatchWindow = 0x520101FC;
constexpr WindowId kCode39BatchWindow = 0x52010258;
constexpr WindowId kTutorialWindow = 0x52010352;

class LoaderProgram : public ::testing::Test {
 protected:
  void TearDown() override {
    runtime::UnloadAllWindows();
    runtime::Frame() = {};
    runtime::AttachProgram(nullptr);
    runtime::SetWindowSystem(nullptr);
    g_during_handler = nullptr;
  }

  // The program's own templates.
  void StartProgram() {
    Start(std::span(reinterpret_cast<const uint8_t*>(app::kTemplateArea), app::kTemplateAreaSize));
  }
  // Templates built in the test.
  void StartWith(const std::vector<runtime::WindowSource>& windows) {
    area_ = runtime::EncodeTemplateArea(windows);
    Start(area_);
  }

  // One window 0x52010001 holding the given controls after its window component.
  void StartWithControls(std::vector<runtime::ComponentSource> controls);

  void Start(std::span<const uint8_t> area) {
    g_loader_calls.clear();
    runtime::SetWindowSystem(&ui_);
    descriptor_.run_mode = 3;
    descriptor_.code_base = kLoaderHandlers.data();
    descriptor_.handler_count = uint32_t(kLoaderHandlers.size());
    descriptor_.template_start = area.data();
    descriptor_.template_size = uint32_t(area.size());
    descriptor_.library_count = 9;
    descriptor_.libraries = nullptr;  // the runtime's own
    runtime::AttachProgram(&descriptor_);
    runtime::InstallFrame();
    runtime::KernelEntries().Service(service::kInitialise, 0, 0, 0, 0, 0);
  }

  runtime::Window& WindowOf(WindowId id) {
    runtime::Window* window = runtime::TemplateRegistry()->Find(id);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  bool Load(WindowId id, bool modal = false) {
    return runtime::LoadWindowObject(WindowOf(id), modal, ui::kNoWindow);
  }
  ui::WindowHandle Top(WindowId id) { return runtime::HandleOf(WindowOf(id), 0); }
  ui::WindowHandle HandleOf(WindowId id, ComponentId component) {
    runtime::Window& window = WindowOf(id);
    std::optional<size_t> index = window.FindComponent(component);
    return index ? runtime::HandleOf(window, *index) : ui::kNoWindow;
  }

  ui::HeadlessWindowSystem ui_;
  ProgramDescriptor descriptor_{};
  std::vector<uint8_t> area_;
};

// Builders of test templates.
inline runtime::ComponentSource WindowComponent(ComponentId id, runtime::controls::WindowBlock block,
                                                std::vector<runtime::EventBinding> events = {}) {
  runtime::ComponentSource c;
  c.record.id = id;
  c.record.type = type_id::kWindow;
  c.record.left = 50;
  c.record.top = 50;
  c.record.width = 400;
  c.record.height = 300;
  c.record.flags = runtime::component_flag::kVisible;
  c.record.events = std::move(events);
  c.property_block = runtime::controls::EncodeBlock(std::move(block));
  return c;
}

inline void LoaderProgram::StartWithControls(std::vector<runtime::ComponentSource> controls) {
  runtime::WindowSource window;
  window.id = kMainWindow;
  window.components.push_back(WindowComponent(0x06010000, {}));
  for (auto& c : controls) window.components.push_back(std::move(c));
  StartWith({window});
}

template <typename Block>
runtime::ComponentSource Control(ComponentId id, TypeId type, runtime::ComponentGeometry rect,
                                 Block block, ComponentId parent = 0) {
  runtime::ComponentSource c;
  c.record.id = id;
  c.record.type = type;
  c.record.left = rect.left;
  c.record.top = rect.top;
  c.record.width = rect.width;
  c.record.height = rect.height;
  c.record.parent = parent;
  c.record.flags = runtime::component_flag::kVisible | runtime::component_flag::kTabStop;
  c.property_block = runtime::controls::EncodeBlock(std::move(block));
  return c;
}

inline runtime::ComponentSource MenuEntry(ComponentId id, uint32_t level, std::string caption,
                                          uint32_t flags = 0, uint32_t shortcut = 0) {
  runtime::ComponentSource c;
  c.record.id = id;
  c.record.type = type_id::kMenuItem;
  c.record.is_menu_item = true;
  c.record.level = level;
  c.record.caption = std::move(caption);
  c.record.menu_flags = flags;
  c.record.shortcut = shortcut;
  return c;
}

}  // namespace barvell::testing
