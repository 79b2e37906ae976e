#include "library_call.h"

#include <algorithm>
#include <array>

#include "kernel.h"

namespace barvell::app {

namespace {
// The most arguments any of the program's calls passes; a longer call takes the heap.
constexpr size_t kArgsOnStack = 8;
}  // namespace

ResultRecord CallCommand(int32_t command, std::initializer_list<ArgRecord> args) {
  // A command may write into its records, so it gets a copy rather than the list's own
  // constant ones; on the stack, as a code makes some hundred calls.
  if (args.size() > kArgsOnStack) {
    std::vector<ArgRecord> records(args);
    return Kernel().CallLibraryCommand(command, int32_t(records.size()), records.data());
  }
  std::array<ArgRecord, kArgsOnStack> records;
  std::copy(args.begin(), args.end(), records.begin());
  return Kernel().CallLibraryCommand(command, int32_t(args.size()),
                                     args.size() != 0 ? records.data() : nullptr);
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
