#include "platform/kernel/builtin_modules.h"

#include <deque>

#include "platform/kernel/dynamic_library.h"
#include "platform/kernel/multibyte.h"

namespace barvell::platform {

namespace {

// The stand-in modules. gdiplus.dll and ole32.dll start empty; the imaging layer registers
// their exports.
std::deque<BuiltInModule>& Modules() {
  static std::deque<BuiltInModule> modules = [] {
    std::deque<BuiltInModule> m;
    m.push_back({"Kernel32.dll",
                 {{"MultiByteToWideChar", reinterpret_cast<void*>(&MultiByteToWideChar)}}});
    m.push_back({"gdiplus.dll", {}});
    m.push_back({"ole32.dll", {}});
    return m;
  }();
  return modules;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The last path element; both separators count, as a DLL name may be written either way.
std::string_view FileNameOf(std::string_view path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

BuiltInModule* FindMutable(std::string_view name) {
  std::string_view file = FileNameOf(name);
  for (BuiltInModule& m : Modules()) {
    if (SameFileName(m.file_name, file)) return &m;
  }
  return nullptr;
}

}  // namespace

void* BuiltInModule::Find(std::string_view name) const {
  for (const BuiltInExport& e : exports) {
    if (e.name == name) return e.address;
  }
  return nullptr;
}

void* BuiltInModule::FindOrdinal(uint16_t ordinal) const {
  if (ordinal == 0 || ordinal > exports.size()) return nullptr;
  return exports[ordinal - 1].address;
}

const BuiltInModule* FindBuiltInModule(std::string_view name) { return FindMutable(name); }

void RegisterBuiltInExport(std::string_view dll_file_name, std::string_view export_name,
                           void* address) {
  BuiltInModule* m = FindMutable(dll_file_name);
  if (m == nullptr) {
    Modules().push_back({std::string(FileNameOf(dll_file_name)), {}});
    m = &Modules().back();
  }
  for (BuiltInExport& e : m->exports) {
    if (e.name == export_name) {
      e.address = address;
      return;
    }
  }
  m->exports.push_back({std::string(export_name), address});
}

}  // namespace barvell::platform
