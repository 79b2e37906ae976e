#include "runtime/commands/config_commands.h"

#include <optional>
#include <string>

#include "platform/kernel/ini_file.h"
#include "runtime/call/heap.h"
#include "runtime/call/runtime_state.h"
#include "runtime/commands/text_argument.h"

namespace barvell::runtime {

namespace {

// The name without its leading spaces and control bytes.
std::string WithoutLeadingBlanks(std::string name) {
  size_t first = 0;
  while (first < name.size() && uint8_t(name[first]) <= 32) ++first;
  return name.substr(first);
}

// An optional argument: missing when its type tag is 0.
std::optional<std::string> OptionalText(const ArgRecord& a) {
  if (a.tag == 0) return std::nullopt;
  return TextArgument(a);
}

}  // namespace

void GetRunDirectoryCommand(ResultRecord* result, int32_t, ArgRecord*) {
  result->SetPointer(CopyText(State().program_directory));
}

void ReadConfigItemCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string file = WithoutLeadingBlanks(TextArgument(ArgumentAt(count, args, 0)));
  std::string section = WithoutLeadingBlanks(TextArgument(ArgumentAt(count, args, 1)));
  std::string key = WithoutLeadingBlanks(TextArgument(ArgumentAt(count, args, 2)));
  // No item is named: the empty text, whatever the default.
  if (file.empty() || section.empty() || key.empty()) return;
  std::string fallback = TextArgument(ArgumentAt(count, args, 3));
  result->SetPointer(CopyText(platform::ReadProfileString(file, section, key, fallback)));
}

void WriteConfigItemCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string file = TextArgument(ArgumentAt(count, args, 0));
  std::string section = TextArgument(ArgumentAt(count, args, 1));
  std::optional<std::string> key = OptionalText(ArgumentAt(count, args, 2));
  std::optional<std::string> value = OptionalText(ArgumentAt(count, args, 3));
  std::optional<std::string_view> key_view, value_view;
  if (key) key_view = *key;
  if (value) value_view = *value;
  result->low = platform::WriteProfileString(file, section, key_view, value_view) ? 1 : 0;
}

}  // namespace barvell::runtime
