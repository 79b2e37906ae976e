// The real program run headless for its window tests: controls reached by their template
// ids, windows opened through the main window's own buttons, saved pictures read back by
// a real barcode reader.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>

#include "platform/ui/headless/headless_window_system.h"
#include "program.h"
#include "runtime/loop/run_program.h"
#include "runtime/templates/component_records.h"
#include "runtime/templates/window_registry.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::app::testing {

inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The live control (0: the window itself), or no window when it is not loaded.
inline ui::WindowHandle Control(WindowId window, ComponentId control = 0) {
  runtime::Window* w = runtime::TemplateRegistry()->Find(window);
  if (w == nullptr) return ui::kNoWindow;
  if (control == 0) return runtime::HandleOf(*w, 0);
  std::optional<size_t> index = w->FindComponent(control);
  return index ? runtime::HandleOf(*w, *index) : ui::kNoWindow;
}

inline bool IsOpen(WindowId window) { return runtime::Ui().IsWindow(Control(window)); }

inline int RunTheProgram(ui::HeadlessWindowSystem& ui) {
  return runtime::RunProgram(kProgramDescriptor, StartRoutine, ui);
}

// Clicks a button of the main window, then runs `script` once whatever the click opened is
// waiting for input; the script queues its own actions, which follow at once.
inline void AfterClickingMain(ui::HeadlessWindowSystem& ui, ComponentId main_button,
                              std::function<void()> script) {
  ui.Driver().Do([&ui, main_button, script] {
    ui.Driver().Click(Control(kMainWindow, main_button));
    ui.Driver().Do(script);
  });
}

// A mouse click posted straight into the event queue, so that it waits there until the
// program next lets pending messages run.
inline void PostClick(ui::HeadlessWindowSystem& ui, ui::WindowHandle button) {
  for (ui::EventKind kind : {ui::EventKind::kMouseDown, ui::EventKind::kMouseUp}) {
    ui::HeadlessInput in;
    in.kind = ui::InputKind::kMouse;
    in.target = button;
    in.mouse = kind;
    in.button = ui::MouseButton::kLeft;
    in.position = {4, 4};
    ui.Post(in);
  }
}

inline void PostClose(ui::HeadlessWindowSystem& ui, ui::WindowHandle window) {
  ui::HeadlessInput in;
  in.kind = ui::InputKind::kClose;
  in.target = window;
  ui.Post(in);
}

// A look at the state, queued behind whatever was posted before it.
inline void PostStep(ui::HeadlessWindowSystem& ui, std::function<void()> step) {
  ui::HeadlessInput in;
  in.kind = ui::InputKind::kStep;
  in.step = std::move(step);
  ui.Post(in);
}

// What zbarimg reads in a picture ("EAN-13:6901234567892"), or "" when it reads nothing.
inline std::string Scan(const std::filesystem::path& picture) {
  std::string command = "zbarimg -q " + picture.string() + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buf[256];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

inline bool HaveZbar() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

// A fresh, empty directory of its own for one test's pictures.
inline std::filesystem::path FreshDirectory(const std::string& name) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("barvell_" + name + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace barvell::app::testing
