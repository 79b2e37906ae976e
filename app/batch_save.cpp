#include "batch_save.h"

#include <optional>

#include "control_calls.h"
#include "draw_metrics.h"
#include "export.h"
#include "main_window_controls.h"
#include "service_calls.h"
#include "split_text.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

constexpr char kLineBreak[] = "\r\n";

// The window of the run in progress (0: none) and whether it has been closed meanwhile.
WindowId g_running_window = 0;
bool g_window_closed = false;

void SetButtonsDisabled(const BatchWindowControls& w, bool disabled) {
  for (ComponentId button : w.buttons) WriteInt(w.window, button, property::kDisabled, disabled);
}

// A line naming a path rather than a file would be written outside the directory.
bool NamesAFileInTheDirectory(const std::string& line) {
  return FindText(line, "\\") == -1 && FindText(line, "/") == -1 && line != "..";
}

// One code, already drawn: its picture through the temporary file into the target format.
bool SavePictureAs(const std::string& target) {
  // Converting an older temporary picture would save another code under this name.
  // One name for both steps: the file converted is the one just written.
  const std::string temporary_name = TemporaryPictureName();
  if (!WriteTemporaryPicture(temporary_name)) return false;
  return ConvertBmpFile(temporary_name, target, ChosenEncoderNumber()) == 1;
}

void RunBatch(const BatchSymbology& symbology, const std::string& directory, SplitText& lines) {
  const std::string extension =
      "." + ReadText(main_window::kWindow, main_window::kSaveFormat, property::kComboContent);
  PrepareDrawing();
  for (std::string line; lines.Next(line);) {
    if (!symbology.takes_line(line)) continue;
    symbology.render(line);
    bool saved = NamesAFileInTheDirectory(line) &&
                 SavePictureAs(directory + "\\" + line + extension);
    if (!saved) ShowMessageBox("文件保存失败", kErrorIcon);
    if (g_window_closed) return;
  }
}

}  // namespace

void ChooseStorageDirectory(const BatchWindowControls& w, const char* title) {
  std::string folder = BrowseForFolder(title);
  if (!folder.empty()) SetEditText(w.window, w.directory, folder);
}

void BatchSave(const BatchWindowControls& w, const BatchSymbology& symbology) {
  const std::string directory = EditText(w.window, w.directory);
  if (!FileExists(directory)) {
    ShowMessageBox("存放目录不存在,请设置存放目录", kErrorIcon);
    return;
  }
  std::optional<SplitText> lines;
  {
    std::string list = EditText(w.window, w.code_list);
    if (list.empty()) {
      ShowMessageBox("请先生成或导入编码信息", kErrorIcon);
      return;
    }
    // The list as it was when the run began (the box stays editable), cut as it is read.
    lines.emplace(std::move(list), kLineBreak);
  }

  g_running_window = w.window;
  g_window_closed = false;
  SetButtonsDisabled(w, true);
  RunBatch(symbology, directory, *lines);
  if (!g_window_closed) SetButtonsDisabled(w, false);
  g_running_window = 0;
  g_window_closed = false;
}

void BatchWindowDestroyed(WindowId window) {
  if (window == g_running_window) g_window_closed = true;
}

}  // namespace barvell::app
