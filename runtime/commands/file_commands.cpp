#include "runtime/commands/file_commands.h"

#include <span>
#include <string>
#include <vector>

#include "platform/kernel/file_names.h"
#include "platform/kernel/file_search.h"
#include "platform/kernel/file_writes.h"
#include "platform/kernel/temporary_directory.h"
#include "runtime/call/heap.h"
#include "runtime/commands/text_argument.h"

namespace barvell::runtime {

void FileExistsCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  result->low = platform::FileExists(TextArgument(ArgumentAt(count, args, 0))) ? 1 : 0;
}

void WriteToFileCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string file = TextArgument(ArgumentAt(count, args, 0));
  if (file.empty()) return;
  std::vector<std::span<const uint8_t>> pieces;
  for (int32_t i = 1; i < count; ++i) {
    // Only byte arrays are written; an empty (null) one writes nothing.
    const void* block = args[i].tag == tag::kByteArray ? args[i].Pointer<const void>() : nullptr;
    if (block != nullptr) pieces.emplace_back(ArrayElements(block), ArrayElementCount(block));
  }
  result->low = platform::OverwriteFile(platform::NativePath(file), pieces) ? 1 : 0;
}

void GetSpecialFolderCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  const ArgRecord code = ArgumentAt(count, args, 0);
  const int32_t number = code.tag == tag::kInt ? int32_t(code.low) : ToInteger(code);
  if (number == kTemporaryFolder) result->SetPointer(CopyText(platform::TemporaryDirectory()));
}

}  // namespace barvell::runtime
