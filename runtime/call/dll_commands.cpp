#include "runtime/call/dll_commands.h"

#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/kernel/dynamic_library.h"
#include "platform/kernel/process.h"
#include "runtime/call/error_report.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {

namespace {

// Tried in this order for a DLL command without DLL file name.
constexpr const char* kSystemDlls[] = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll",
};

// The export of a module: "#n" names ordinal n (low 16 bits of the decimal number).
void* FindExport(platform::ModuleHandle module, const std::string& name) {
  if (!name.empty() && name[0] == '#') {
    unsigned long ordinal = std::strtoul(name.c_str() + 1, nullptr, 10);
    return platform::GetProcAddressByOrdinal(module, uint16_t(ordinal & 0xFFFF));
  }
  return platform::GetProcAddress(module, name);
}

std::string Joined(const std::string& directory, const std::string& name) {
  return directory + platform::kPathSeparator + name;
}

// The module for a named DLL: the configured directories and the program directory
// first, unless the name carries a drive (":"), then the bare name.
platform::ModuleHandle LoadNamedDll(const std::string& file) {
  const RuntimeState& state = State();
  if (file.find(':') == std::string::npos) {
    std::vector<std::string> tries;
    if (!state.dll_directory.empty()) tries.push_back(Joined(state.dll_directory, file));
    tries.push_back(Joined(state.program_directory, file));
    if (!state.second_dll_directory.empty()) {
      tries.push_back(Joined(state.second_dll_directory, file));
    }
    for (const std::string& path : tries) {
      if (platform::ModuleHandle module = platform::LoadLibrary(path)) return module;
    }
  }
  return platform::LoadLibrary(file);
}

[[noreturn]] void ExportNotFound(const DllCommandState& dll) {
  std::string message;
  if (dll.file.empty()) {
    message = "无法找到指定DLL库文件中的输出命令“" + dll.export_name + "”";
  } else {
    message = "无法找到指定DLL库文件“" + dll.file + "”中的输出命令“" + dll.export_name + "”";
  }
  FatalError(message.c_str());
}

// Keeps the module and the export's address when the module has the export; otherwise
// the module is freed again. Null when there is no module or no export.
void* BindFrom(DllCommandState& dll, platform::ModuleHandle module) {
  if (module == nullptr) return nullptr;
  if (void* address = FindExport(module, dll.export_name)) {
    dll.address = address;
    dll.module = module;
    return address;
  }
  platform::FreeLibrary(module);
  return nullptr;
}

}  // namespace

void* BindDllCommand(int32_t number) {
  RuntimeState& state = State();
  if (number < 0 || size_t(number) >= state.dll_commands.size()) {
    FatalError("", uint32_t(number), 0);
  }
  DllCommandState& dll = state.dll_commands[number];
  if (dll.address != nullptr) return dll.address;

  if (dll.file.empty()) {
    for (const char* system_dll : kSystemDlls) {
      if (void* address = BindFrom(dll, platform::LoadLibrary(system_dll))) return address;
    }
  } else if (void* address = BindFrom(dll, LoadNamedDll(dll.file))) {
    return address;
  }
  ExportNotFound(dll);
}

}  // namespace barvell::runtime
