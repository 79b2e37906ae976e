#include "service_calls.h"

#include "library_call.h"

namespace barvell::app {

namespace {
constexpr int32_t kTemporaryFolder = 11;
}  // namespace

std::string GetRunDirectory() { return TakeText(CallCommand(command::kGetRunDirectory, {})); }

std::string ReadConfigItem(const std::string& file, const std::string& section,
                           const std::string& key) {
  return TakeText(
      CallCommand(command::kReadConfigItem, {TextArg(file), TextArg(section), TextArg(key)}));
}

bool WriteConfigItem(const std::string& file, const std::string& section,
                     const std::string& key, const std::string& value) {
  return CallCommand(command::kWriteConfigItem,
                     {TextArg(file), TextArg(section), TextArg(key), TextArg(value)})
             .Int() != 0;
}

bool FileExists(const std::string& path) {
  return CallCommand(command::kFileExists, {TextArg(path)}).Int() != 0;
}

bool WriteToFile(const std::string& file, const void* byte_array) {
  return CallCommand(command::kWriteToFile,
                     {TextArg(file), ArgRecord::OfPointer(byte_array, tag::kByteArray)})
             .Int() != 0;
}

std::string TemporaryDirectory() {
  return TakeText(CallCommand(command::kGetSpecialFolder, {ArgRecord::Int(kTemporaryFolder)}));
}

int32_t ShowMessageBox(const std::string& text, int32_t flags) {
  return CallCommand(command::kShowMessageBox, {TextArg(text), ArgRecord::Int(flags)}).Int();
}

bool OpenDialog(WindowId window, ComponentId dialog) {
  return CallCommand(command::kOpenDialog,
                     {ControlArg(type_id::kCommonDialog, window, dialog)})
             .Int() != 0;
}

bool LoadModalWindow(WindowId window) {
  return CallCommand(command::kLoadWindow, {ControlArg(type_id::kWindow, window, 0), ArgRecord{},
                                            ArgRecord::Bool(true)})
             .Int() != 0;
}

void DoEvents() { CallCommand(command::kDoEvents, {}); }

std::string BrowseForFolder(const std::string& title) {
  return TakeText(CallCommand(command::kBrowseForFolder, {TextArg(title)}));
}

bool OpenWithShell(const std::string& target) {
  return CallCommand(command::kOpenWithShell, {TextArg(target)}).Int() != 0;
}

}  // namespace barvell::app
