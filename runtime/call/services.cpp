#include "runtime/call/services.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/kernel/file_search.h"
#include "runtime/call/heap.h"
#include "runtime/call/initialisation.h"
#include "runtime/call/properties.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

namespace {

bool Admitted(const platform::FoundFile& found, uint32_t attributes, bool directories_only) {
  bool directory = (found.attributes & platform::kFileAttributeDirectory) != 0;
  if (directories_only && !directory) return false;
  return attributes == 0 || (found.attributes & attributes) != 0;
}

// The block size of an array: header and elements.
size_t ArrayBlockBytes(const void* block, int32_t element_size) {
  uint32_t dimensions = *static_cast<const uint32_t*>(block);
  return 4 + 4 * size_t(dimensions) + size_t(ArrayElementCount(block)) * size_t(element_size);
}

}  // namespace

char* FindFile(const char* pattern, uint32_t attributes, bool directories_only,
               intptr_t* handle) {
  if (handle == nullptr) return nullptr;
  auto* search = reinterpret_cast<platform::FileSearch*>(*handle);
  std::optional<platform::FoundFile> found;
  if (search == nullptr) {
    platform::FoundFile first;
    const char* p = pattern != nullptr && pattern[0] != '\0' ? pattern : "*";
    search = platform::FindFirstFile(p, &first);
    if (search == nullptr) return nullptr;
    *handle = reinterpret_cast<intptr_t>(search);
    found = first;
  } else {
    found = platform::FindNextFile(search);
  }
  while (found && !Admitted(*found, attributes, directories_only)) {
    found = platform::FindNextFile(search);
  }
  if (!found) {
    platform::FindClose(search);
    *handle = 0;
    return nullptr;
  }
  char* name = CopyText(found->name);
  return name;
}

void CloseFileSearch(intptr_t handle) {
  platform::FindClose(reinterpret_cast<platform::FileSearch*>(handle));
}

void MakeArrayWritable(int32_t element_size, void** array) {
  if (array == nullptr || *array == nullptr || !InConstantArea(*array)) return;
  size_t bytes = ArrayBlockBytes(*array, std::max(element_size, 0));
  // Reallocating a constant copies it into a new block, never past the area's end.
  *array = ReallocateBlock(*array, int32_t(std::min(bytes, size_t(INT32_MAX))));
}

void RegisterCleanup(CleanupRoutine routine) {
  if (routine == nullptr) return;
  auto& cleanup = State().cleanup;
  if (std::find(cleanup.begin(), cleanup.end(), routine) == cleanup.end()) {
    cleanup.push_back(routine);
  }
}

intptr_t CallService(int32_t service, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                     intptr_t e) {
  switch (service) {
    case service::kFindFile:
      return reinterpret_cast<intptr_t>(FindFile(reinterpret_cast<const char*>(a),
                                                 uint32_t(b), c != 0,
                                                 reinterpret_cast<intptr_t*>(d)));
    case service::kCloseFileSearch:
      CloseFileSearch(a);
      return 0;
    case service::kMakeArrayWritable:
      MakeArrayWritable(int32_t(a), reinterpret_cast<void**>(b));
      return 0;
    case service::kRegisterCleanup:
      RegisterCleanup(reinterpret_cast<CleanupRoutine>(a));
      return 0;
    case service::kReadObjectProperty:
      return intptr_t(ReadObjectProperty(TypeId(a), reinterpret_cast<ComponentObject*>(b),
                                         int32_t(c), int32_t(d)));
    case service::kWriteObjectProperty:
      WriteObjectProperty(TypeId(a), reinterpret_cast<ComponentObject*>(b), int32_t(c),
                          int32_t(d), uint64_t(e));
      return 0;
    case service::kInitialise:
      InitialiseRuntime();
      return 0;
    default:
      return 0;
  }
}

}  // namespace barvell::runtime
