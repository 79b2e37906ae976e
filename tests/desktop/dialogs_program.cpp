// A small program for the desktop dialog checks: one window holding a save dialog
// control, and one scenario per run that calls the dialog commands as the barcode
// program does and prints what it got back (UTF-8), for dialogs_desktop.sh to check.
//   dialogs_program save <directory>   the save dialog twice; prints "result=", "FileName="
//   dialogs_program folder             the folder chooser; prints "folder="
//   dialogs_program message            an information box, then two Yes/No boxes; "answer="
//   dialogs_program shell <target>     hands the target to the shell's "open"; "result="
//   dialogs_program fatal              raises runtime error 1: the "错误" box, exit -1
// Exit 2 when there is no display.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "barvell/call_interface.h"
#include "platform/text/gbk.h"
#include "platform/ui/desktop.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/loop/run_program.h"
#include "runtime/templates/template_area.h"

using namespace barvell;

namespace {

constexpr WindowId kWindow = 0x52010001;
constexpr ComponentId kSaveDialog = 0x16010002;

std::string g_scenario;
std::string g_directory;  // GBK

std::vector<uint8_t> TemplateArea() {
  runtime::WindowSource window;
  window.id = kWindow;

  runtime::ComponentSource frame;
  frame.record.id = 0x06010000;
  frame.record.type = type_id::kWindow;
  frame.record.left = 80;
  frame.record.top = 80;
  frame.record.width = 360;
  frame.record.height = 200;
  frame.record.flags = runtime::component_flag::kVisible;
  runtime::controls::WindowBlock window_block;
  window_block.caption = "对话框测试";
  frame.property_block = runtime::controls::EncodeBlock(window_block);
  window.components.push_back(frame);

  // As the barcode program's main window stores its save dialog.
  runtime::ComponentSource dialog;
  dialog.record.id = kSaveDialog;
  dialog.record.type = type_id::kCommonDialog;
  dialog.record.width = dialog.record.height = 26;
  runtime::controls::CommonDialogBlock block;
  block.dialog_kind = 1;
  block.title = "图片保存";
  block.filter = "PNG图片|*.png|JPG图片|*.jpg|BMP图片|*.bmp";
  block.file_must_exist = block.overwrite_prompt = block.path_must_exist = 1;
  block.default_extension = "*.png|*.jpg|*.bmp";
  dialog.property_block = runtime::controls::EncodeBlock(block);
  window.components.push_back(dialog);

  return runtime::EncodeTemplateArea(std::vector<runtime::WindowSource>{window});
}

void Print(const std::string& key, const std::string& gbk) {
  std::printf("%s=%s\n", key.c_str(), platform::GbkToUtf8(gbk).c_str());
  std::fflush(stdout);
}

std::string TakeText(const KernelEntryTable& kernel, const ResultRecord& r) {
  char* text = r.Pointer<char>();
  std::string s = text != nullptr ? text : "";
  kernel.FreeBlock(text);
  return s;
}

int32_t Start(const KernelEntryTable& kernel) {
  kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
  kernel.LoadStartWindow(kWindow);
  if (g_scenario == "save") {
    uint64_t bits = reinterpret_cast<uintptr_t>(g_directory.c_str());
    kernel.WriteProperty(kWindow, kSaveDialog, property::kInitialDirectory, -1, uint32_t(bits),
                         uint32_t(bits >> 32));
    ArgRecord control = ArgRecord::Component(type_id::kCommonDialog, kWindow, kSaveDialog);
    ResultRecord r = kernel.CallLibraryCommand(command::kOpenDialog, 1, &control);
    Print("result", std::to_string(r.Int()));
    auto* name = reinterpret_cast<char*>(
        uintptr_t(kernel.ReadProperty(kWindow, kSaveDialog, property::kFileName, -1)));
    Print("FileName", name != nullptr ? name : "");
    kernel.FreeBlock(name);
    // Once more, to be cancelled: FileName stays.
    r = kernel.CallLibraryCommand(command::kOpenDialog, 1, &control);
    Print("result", std::to_string(r.Int()));
    name = reinterpret_cast<char*>(
        uintptr_t(kernel.ReadProperty(kWindow, kSaveDialog, property::kFileName, -1)));
    Print("FileName", name != nullptr ? name : "");
    kernel.FreeBlock(name);
  } else if (g_scenario == "folder") {
    ArgRecord title = ArgRecord::Text("请选择目录");
    Print("folder", TakeText(kernel, kernel.CallLibraryCommand(command::kBrowseForFolder, 1, &title)));
  } else if (g_scenario == "message") {
    ArgRecord info[] = {ArgRecord::Text("文件保存成功"), ArgRecord::Int(64)};
    Print("answer", std::to_string(kernel.CallLibraryCommand(command::kShowMessageBox, 2, info).Int()));
    ArgRecord question[] = {ArgRecord::Text("是否继续？"), ArgRecord::Int(4 | 32),
                            ArgRecord::Text("请确认")};
    for (int i = 0; i < 2; ++i) {
      Print("answer", std::to_string(kernel.CallLibraryCommand(command::kShowMessageBox, 3, question).Int()));
    }
  } else if (g_scenario == "shell") {
    ArgRecord target = ArgRecord::Text(g_directory.c_str());
    Print("result", std::to_string(kernel.CallLibraryCommand(command::kOpenWithShell, 1, &target).Int()));
  } else if (g_scenario == "fatal") {
    kernel.RaiseRuntimeError(1, 67174465, 1379);
  }
  return 0;  // the window goes with the shutdown
}

constexpr HandlerEntry kHandlers[] = {{"none", nullptr}};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  g_scenario = argv[1];
  if (argc > 2) g_directory = platform::Utf8ToGbk(argv[2]);
  char* wx_argv[] = {argv[0], nullptr};
  std::unique_ptr<ui::WindowSystem> desktop = ui::CreateDesktopWindowSystem(1, wx_argv);
  if (!desktop) return 2;

  static const std::vector<uint8_t> area = TemplateArea();
  ProgramDescriptor program{};
  program.run_mode = 3;
  program.reserved2 = 0x10357;
  program.code_base = kHandlers;
  program.handler_count = 1;
  program.template_start = area.data();
  program.template_size = uint32_t(area.size());
  program.library_count = 9;
  return runtime::RunProgram(program, Start, *desktop);
}
