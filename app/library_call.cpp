#include "library_call.h"

#include "kernel.h"

namespace barvell::app {

ResultRecord CallCommand(int32_t command, std::initializer_list<ArgRecord> args) {
  std::vector<ArgRecord> records(args);
  return Kernel().CallLibraryCommand(command, int32_t(records.size()), records.data());
}

ArgRecord TextArg(const std::string& text) {
  return ArgRecord::Text(text.empty() ? nullptr : text.c_str());
}

ArgRecord ControlArg(TypeId type, WindowId window, ComponentId control) {
  return ArgRecord::Component(type, window, control);
}

std::string TakeText(char* block) {
  if (block == nullptr) return {};
  std::string text(block);
  Kernel().FreeBlock(block);
  return text;
}

std::string TakeText(const ResultRecord& result) { return TakeText(result.Pointer<char>()); }

}  // namespace barvell::app
