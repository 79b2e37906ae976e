#include "runtime/call/library_calls.h"

#include "runtime/call/command_library.h"
#include "runtime/call/error_report.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

ResultRecord CallLibraryCommandOf(int32_t library, int32_t command, int32_t count,
                                  ArgRecord* args) {
  const auto& libraries = State().libraries;
  const CommandLibrary* lib =
      library >= 0 && size_t(library) < libraries.size() ? libraries[library] : nullptr;
  if (lib == nullptr || command < 0 || command >= lib->command_count ||
      lib->commands[command] == nullptr) {
    // A call the program's build could not have produced: stop rather than jump nowhere.
    FatalError("", uint32_t(library), uint32_t(command));
  }
  ResultRecord result{};
  lib->commands[command](&result, count, args);
  return result;
}

const TypeDescriptor* FindTypeDescriptor(TypeId type) {
  uint32_t library = type >> 16;
  uint32_t number = type & 0xFFFF;
  const auto& libraries = State().libraries;
  if (library == 0 || library > libraries.size() || number == 0) return nullptr;
  const CommandLibrary* lib = libraries[library - 1];
  if (lib == nullptr || lib->types == nullptr || number > uint32_t(lib->type_count)) {
    return nullptr;
  }
  const TypeDescriptor* descriptor = &lib->types[number - 1];
  return descriptor->name != nullptr ? descriptor : nullptr;
}

}  // namespace barvell::runtime
