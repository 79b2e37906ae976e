// The file dialog of a common-dialog control: its settings become the request, the
// filter text becomes description/pattern pairs, and a confirmed path goes back into
// FileName.
#include <string>
#include <vector>

#include "platform/kernel/file_names.h"
#include "platform/text/gbk.h"
#include "platform/ui/dialogs.h"
#include "runtime/call/service_callback.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/controls/common_dialog.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

constexpr char kFilterEnd[] = "||";

// "PNG图片|*.png|JPG图片|*.jpg" is read as the system's filter list: the text completed
// with "||", each "|" ending one string, the list ending at the first empty string. A
// description without a pattern filters nothing and is left out.
std::vector<std::pair<std::string, std::string>> FilterPairs(std::string filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (filter.empty()) return pairs;
  if (filter.size() < 2 || filter.compare(filter.size() - 2, 2, kFilterEnd) != 0) {
    filter += kFilterEnd;
  }
  std::vector<std::string> strings;
  size_t start = 0;
  for (size_t bar = filter.find('|'); bar != std::string::npos; bar = filter.find('|', start)) {
    strings.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
    if (strings[i + 1].empty()) break;
    pairs.emplace_back(platform::GbkToUtf8(strings[i]), platform::GbkToUtf8(strings[i + 1]));
  }
  return pairs;
}

}  // namespace

void OpenDialogCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  ArgRecord reference = ArgAt(count, args, 0);
  // A missing or unloaded control ends in the runtime error report.
  auto* object = reinterpret_cast<ComponentObject*>(LibraryServiceCallback(
      library_service::kRequireComponentObject, intptr_t(reference.low),
      intptr_t(reference.high)));
  controls::CommonDialogBlock* settings = controls::CommonDialogSettings(object);
  // The font and colour kinds are not offered by this runtime.
  if (settings == nullptr || settings->dialog_kind > controls::dialog_kind::kSave) {
    SetBoolResult(result, false);
    return;
  }

  ui::FileDialogRequest request;
  request.owner = Ui().ActiveWindow();
  request.save = settings->dialog_kind == controls::dialog_kind::kSave;
  request.title = platform::GbkToUtf8(settings->title);
  request.filters = FilterPairs(settings->filter);
  // An index past the pairs selects the first, as the system's dialog does.
  request.filterIndex = settings->filter_index < request.filters.size()
                            ? int(settings->filter_index) : 0;
  request.initialName = platform::NativePath(settings->file_name);
  request.initialDirectory = platform::NativePath(settings->initial_directory);
  request.defaultExtension = platform::GbkToUtf8(settings->default_extension);
  request.createPrompt = settings->create_prompt != 0;
  request.fileMustExist = settings->file_must_exist != 0;
  request.overwritePrompt = settings->overwrite_prompt != 0;
  request.pathMustExist = settings->path_must_exist != 0;
  request.keepCurrentDirectory = settings->keep_current_directory != 0;

  std::optional<std::string> chosen = Ui().ShowFileDialog(request);
  // The dialog's own loop may have run the window's handlers; the control may be gone.
  settings = controls::CommonDialogSettings(reinterpret_cast<ComponentObject*>(
      LibraryServiceCallback(library_service::kComponentObject, intptr_t(reference.low),
                             intptr_t(reference.high))));
  if (!chosen || chosen->empty()) {
    SetBoolResult(result, false);
    return;
  }
  std::string path = platform::Utf8ToGbk(*chosen);
  if (settings != nullptr) settings->file_name = path;
  SetBoolResult(result, true);
}

}  // namespace barvell::runtime
