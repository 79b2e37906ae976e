// The real program run headless as a person uses it, in a private run directory (where its
// boot.ini lives) and with a private temporary directory (where EN13tem.bmp goes), so that
// no run touches the program's own directory or a name shared in /tmp.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "control_calls.h"
#include "kernel.h"
#include "main_window_controls.h"
#include "platform/gfx/bitmap.h"
#include "platform/imaging/decode.h"
#include "platform/text/gbk.h"
#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"
#include "program.h"
#include "runtime/call/runtime_state.h"
#include "runtime/loop/run_program.h"
#include "runtime/templates/component_records.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::app::testing {

namespace fs = std::filesystem;
using namespace main_window;

inline std::vector<uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::string FileText(const fs::path& path) {
  std::vector<uint8_t> b = FileBytes(path);
  return std::string(b.begin(), b.end());
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::optional<gfx::Bitmap> PictureIn(const fs::path& path) {
  std::vector<uint8_t> bytes = FileBytes(path);
  return imaging::DecodePicture(bytes);
}

// What a real reader makes of a picture file: zbarimg's raw text, without the line end.
inline std::string ScannedCode(const fs::path& path) {
  std::string command = "zbarimg --quiet --raw '" + path.string() + "' 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "(zbarimg did not start)";
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  ::pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

class MainWindowSession {
 public:
  MainWindowSession() {
    std::string pattern = (fs::temp_directory_path() / "barvell-app-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) ADD_FAILURE() << "no private directory";
    root_ = name.data();
    fs::create_directories(RunDirectory());
    fs::create_directories(TemporaryDirectory());
    if (const char* old = std::getenv("TMPDIR")) old_tmpdir_ = old;
    ::setenv("TMPDIR", TemporaryDirectory().c_str(), 1);
    old_cwd_ = fs::current_path();
  }

  ~MainWindowSession() {
    std::error_code ec;
    fs::current_path(old_cwd_, ec);
    if (old_tmpdir_) {
      ::setenv("TMPDIR", old_tmpdir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  fs::path RunDirectory() const { return root_ / "run"; }
  fs::path TemporaryDirectory() const { return root_ / "tmp"; }
  fs::path SettingsFile() const { return RunDirectory() / "boot.ini"; }
  fs::path TemporaryPicture() const { return TemporaryDirectory() / "EN13tem.bmp"; }
  fs::path Output(const std::string& name) const { return root_ / name; }

  // A settings file in place before the start; keys and values in GBK.
  void WriteSettings(const std::string& lines) {
    WriteFile(SettingsFile(), "[条码生成]\r\n" + lines);
  }

  ui::InputDriver& Driver() { return ui_.Driver(); }

  // The person's actions, scheduled once the main window is open (when its controls have
  // handles). Runs the program to its end; returns its exit code.
  int Run(const std::function<void()>& script) {
    Driver().Do(script);
    g_session = this;
    int code = runtime::RunProgram(kProgramDescriptor, &StartInRunDirectory, ui_);
    g_session = nullptr;
    return code;
  }

  // --- during the run ---------------------------------------------------------------
  static ui::WindowHandle Handle(ComponentId id) {
    runtime::Window* main = runtime::TemplateRegistry()->Find(kWindow);
    if (main == nullptr) return ui::kNoWindow;
    if (id == 0) return runtime::HandleOf(*main, 0);
    std::optional<size_t> index = main->FindComponent(id);
    return index ? runtime::HandleOf(*main, *index) : ui::kNoWindow;
  }

  void Type(ComponentId edit, const std::string& utf8) {
    Driver().TypeInto(Handle(edit), utf8);
  }
  // Empties a box as a person does: to the end, then back-space over everything.
  void Empty(ComponentId edit, int length = 12) {
    Driver().Focus(Handle(edit));
    Driver().PressKey(ui::key::kEnd);
    for (int i = 0; i < length; ++i) Driver().PressKey(ui::key::kBack);
  }
  void Retype(ComponentId edit, const std::string& utf8) {
    Empty(edit);
    Type(edit, utf8);
  }
  void Click(ComponentId button) { Driver().Click(Handle(button)); }
  void Choose(ComponentId combo, int index) { Driver().ChooseItem(Handle(combo), index); }
  // 计算编码 from the two parts, then 生成图片 beside the full code.
  void ComputeAndDraw(const std::string& fixed, const std::string& self) {
    Retype(kFixedCode, fixed);
    Retype(kSelfCode, self);
    Click(kComputeCode);
    Click(kDrawFullCode);
  }
  // 保存图片, the save dialog answered with `target`.
  void Save(const fs::path& target) {
    Driver().AnswerFileDialog(target.string());
    Click(kSavePicture);
  }
  void Check(std::function<void()> step) { Driver().Do(std::move(step)); }

  // Read inside a Check step.
  static std::string Text(ComponentId edit) { return EditText(kWindow, edit); }
  static int32_t Property(ComponentId c, int32_t property) { return ReadInt(kWindow, c, property); }

  // The message boxes shown so far: their texts (GBK, as the program's own) and icons.
  std::vector<std::pair<std::string, unsigned>> Messages() {
    std::vector<std::pair<std::string, unsigned>> out;
    for (const ui::MessageBoxRequest& r : Driver().MessageBoxes()) {
      out.push_back({platform::Utf8ToGbk(r.text), r.style & 0xF0});
    }
    return out;
  }

 private:
  static intptr_t ServiceInRunDirectory(int32_t service, intptr_t a, intptr_t b, intptr_t c,
                                        intptr_t d, intptr_t e) {
    intptr_t result = runtime_kernel_->Service(service, a, b, c, d, e);
    if (service == service::kInitialise && g_session != nullptr) {
      std::string run = platform::Utf8ToGbk(g_session->RunDirectory().string());
      runtime::State().program_directory = run;
      fs::current_path(g_session->RunDirectory());
    }
    return result;
  }

  // The program's start routine over the runtime's entries, with the run directory moved.
  static int32_t StartInRunDirectory(const KernelEntryTable& kernel) {
    runtime_kernel_ = &kernel;
    static KernelEntryTable moved;
    moved = kernel;
    moved.Service = &ServiceInRunDirectory;
    return StartRoutine(moved);
  }

  static inline MainWindowSession* g_session = nullptr;
  static inline const KernelEntryTable* runtime_kernel_ = nullptr;

  fs::path root_;
  fs::path old_cwd_;
  std::optional<std::string> old_tmpdir_;
  ui::HeadlessWindowSystem ui_;
};

}  // namespace barvell::app::testing
