// The built-in stand-in modules of the dynamic-library layer: the system exports the
// program binds by name, implemented here over the rest of the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace barvell::platform {

struct BuiltInExport {
  std::string name;
  void* address;
};

struct BuiltInModule {
  std::string file_name;  // as registered, e.g. "Kernel32.dll"
  std::vector<BuiltInExport> exports;

  void* Find(std::string_view name) const;  // export names match exactly
  void* FindOrdinal(uint16_t ordinal) const;
};

// The module whose file name matches the last path element of `name`, ignoring ASCII
// case; null when there is none.
const BuiltInModule* FindBuiltInModule(std::string_view name);

}  // namespace barvell::platform
