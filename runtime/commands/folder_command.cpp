// The folder chooser: the program's windows are disabled while it is open and get their
// own enabled state back afterwards, with the active window restored.
#include <string>
#include <utility>
#include <vector>

#include "platform/text/gbk.h"
#include "platform/ui/dialogs.h"
#include "runtime/call/heap.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

namespace {

// The program's loaded windows with the enabled state each had before the chooser.
std::vector<std::pair<ui::WindowHandle, bool>> DisableProgramWindows() {
  std::vector<std::pair<ui::WindowHandle, bool>> before;
  for (Window* window : LoadedWindows()) {
    ui::WindowHandle handle = HandleOf(*window, 0);
    if (handle == ui::kNoWindow || !Ui().IsWindow(handle)) continue;
    before.emplace_back(handle, Ui().IsEnabled(handle));
    Ui().Enable(handle, false);
  }
  return before;
}

void RestoreProgramWindows(const std::vector<std::pair<ui::WindowHandle, bool>>& before) {
  for (const auto& [handle, enabled] : before) {
    if (Ui().IsWindow(handle)) Ui().Enable(handle, enabled);
  }
}

}  // namespace

void BrowseForFolderCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  ui::FolderRequest request;
  request.title = platform::GbkToUtf8(ToText(ArgAt(count, args, 0)));
  ArgRecord include_files = ArgAt(count, args, 1);
  request.includeFiles = IsGiven(include_files) && include_files.low != 0;

  ui::WindowHandle active = Ui().ActiveWindow();
  request.owner = Ui().IsWindow(active) ? active : ui::kNoWindow;
  std::vector<std::pair<ui::WindowHandle, bool>> before = DisableProgramWindows();
  std::optional<std::string> chosen = Ui().ChooseFolder(request);
  RestoreProgramWindows(before);
  if (Ui().IsWindow(active)) Ui().Activate(active);

  // No path (cancelled, or nothing of the file system) is the empty text: no block.
  if (!chosen || chosen->empty()) return;
  std::string path = platform::Utf8ToGbk(ui::WithoutTrailingSeparator(*chosen));
  result->SetPointer(CopyText(path));
}

}  // namespace barvell::runtime
