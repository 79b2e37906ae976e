// A program run on the headless window system for the tests of the frame: windows built
// from test templates with the runtime's own component types, recording handlers, and a
// start routine like the program's.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "dispatch_program.h"
#include "platform/ui/headless/headless_window_system.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/loop/run_program.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::testing {

// Property blocks of the test components; texts are GBK.
inline std::vector<uint8_t> WindowBlockBytes(const std::string& caption, bool esc_closes = true,
                                             bool enter_moves_focus = false) {
  runtime::controls::WindowBlock block;
  block.border = 1;
  block.caption = caption;
  block.esc_closes = esc_closes ? 1 : 0;
  block.enter_moves_focus = enter_moves_focus ? 1 : 0;
  return runtime::controls::EncodeBlock(block);
}

inline runtime::ComponentSource Control(ComponentId id, TypeId type, std::vector<uint8_t> block,
                                        runtime::ComponentGeometry at, uint32_t flags,
                                        uint32_t focus_order = 0,
                                        std::vector<runtime::EventBinding> events = {}) {
  runtime::ComponentSource c = Part(id, type, std::move(events));
  c.record.left = at.left;
  c.record.top = at.top;
  c.record.width = at.width;
  c.record.height = at.height;
  c.record.flags = flags;
  c.record.focus_order = focus_order;
  c.property_block = std::move(block);
  return c;
}

inline runtime::ComponentSource WindowComponent(ComponentId id, std::vector<uint8_t> block,
                                                std::vector<runtime::EventBinding> events) {
  return Control(id, type_id::kWindow, std::move(block), {50, 50, 400, 300},
                 runtime::component_flag::kVisible, 0, std::move(events));
}

inline std::vector<uint8_t> EditBytes(const std::string& content = "") {
  runtime::controls::EditBoxBlock block;
  block.content = content;
  return runtime::controls::EncodeBlock(block);
}

inline std::vector<uint8_t> ButtonBytes(const std::string& caption) {
  runtime::controls::ButtonBlock block;
  block.caption = caption;
  return runtime::controls::EncodeBlock(block);
}

inline std::vector<uint8_t> PictureBytes() {
  return runtime::controls::EncodeBlock(runtime::controls::PictureBoxBlock{});
}

constexpr uint32_t kShown = runtime::component_flag::kVisible;
constexpr uint32_t kTabbed = runtime::component_flag::kVisible | runtime::component_flag::kTabStop;

// Counts the calls of the test's clean-up routine (and tells a parent, in a child process).
inline int g_cleanups = 0;
inline void CountCleanup(int32_t) {
  ++g_cleanups;
  ChildWrite("cleanup;");
}

struct FrameProgram {
  std::vector<uint8_t> area;
  ProgramDescriptor descriptor{};

  // What the start routine does.
  static inline WindowId start_window = 0;
  static inline int cleanup_registrations = 1;
  static inline std::function<void()> before_loop;

  FrameProgram(const std::vector<runtime::WindowSource>& windows, WindowId start) {
    g_calls.clear();
    g_sources.clear();
    g_answers.clear();
    g_on_call = nullptr;
    g_cleanups = 0;
    start_window = start;
    cleanup_registrations = 1;
    before_loop = nullptr;
    area = runtime::EncodeTemplateArea(windows);
    descriptor.run_mode = 3;
    descriptor.code_base = kRecorders.data();
    descriptor.handler_count = uint32_t(kRecorders.size());
    descriptor.template_start = area.data();
    descriptor.template_size = uint32_t(area.size());
    descriptor.library_count = 3;
    descriptor.libraries = nullptr;  // the runtime's own component types
  }

  ~FrameProgram() {
    runtime::Frame() = {};
    runtime::AttachProgram(nullptr);
  }

  static int32_t Start(const KernelEntryTable& kernel) {
    kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
    for (int i = 0; i < cleanup_registrations; ++i) {
      kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CountCleanup), 0, 0,
                     0, 0);
    }
    if (start_window != 0) kernel.LoadStartWindow(start_window);
    if (before_loop) before_loop();
    kernel.RunMessageLoop();
    return 0;
  }

  int Run(ui::HeadlessWindowSystem& ui) { return runtime::RunProgram(descriptor, &Start, ui); }
};

// The platform window of a loaded component (0 = the window component), or none.
inline ui::WindowHandle HandleOf(WindowId window, ComponentId component = 0) {
  runtime::WindowRegistry* registry = runtime::TemplateRegistry();
  runtime::Window* w = registry != nullptr ? registry->Find(window) : nullptr;
  if (w == nullptr) return ui::kNoWindow;
  std::optional<size_t> index = component == 0 ? std::optional<size_t>(0) : w->FindComponent(component);
  return index ? runtime::HandleOf(*w, *index) : ui::kNoWindow;
}

// The component holding the focus: its id (0 for a window component), or ~0 for none.
inline ComponentId FocusedComponent() {
  std::optional<runtime::LiveComponent> live = runtime::ComponentOfHandle(runtime::Ui().Focus());
  if (!live) return ~0u;
  return live->index == 0 ? 0 : live->window->Component(live->index).id;
}

// Inputs whose target is known only once the program runs: made when the driver gets to
// them, in order with the other actions.
inline void Later(ui::HeadlessWindowSystem& ui,
                  std::function<std::vector<ui::HeadlessInput>()> make) {
  ui.Driver().Do([&ui, make] {
    for (ui::HeadlessInput& in : make()) ui.Post(std::move(in));
  });
}

inline ui::HeadlessInput Input(ui::InputKind kind, ui::WindowHandle target) {
  ui::HeadlessInput in;
  in.kind = kind;
  in.target = target;
  return in;
}

inline void FocusLater(ui::HeadlessWindowSystem& ui, WindowId window, ComponentId component) {
  Later(ui, [=] { return std::vector{Input(ui::InputKind::kFocus, HandleOf(window, component))}; });
}

inline void CloseLater(ui::HeadlessWindowSystem& ui, WindowId window) {
  Later(ui, [=] { return std::vector{Input(ui::InputKind::kClose, HandleOf(window))}; });
}

inline ui::HeadlessInput Mouse(ui::WindowHandle target, ui::EventKind kind, ui::MouseButton button,
                               ui::Point at, int modifiers = 0) {
  ui::HeadlessInput in = Input(ui::InputKind::kMouse, target);
  in.mouse = kind;
  in.button = button;
  in.position = at;
  in.modifiers = modifiers;
  return in;
}

}  // namespace barvell::testing
