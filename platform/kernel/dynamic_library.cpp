#include "platform/kernel/dynamic_library.h"

#include <dlfcn.h>

#include <memory>
#include <string>

#include "platform/kernel/builtin_modules.h"
#include "platform/text/gbk.h"

namespace barvell::platform {

struct Module {
  const BuiltInModule* builtin = nullptr;  // a stand-in module, or
  void* host = nullptr;                    // a handle of the host's loader
};

namespace {

int64_t g_load_count = 0;
int64_t g_loaded_now = 0;

// The host loader takes UTF-8 paths; ASCII names pass unchanged.
std::string NativeName(std::string_view name) { return GbkToUtf8(name); }

}  // namespace

ModuleHandle LoadLibrary(std::string_view name) {
  if (name.empty()) return nullptr;
  auto module = std::make_unique<Module>();
  module->builtin = FindBuiltInModule(name);
  if (module->builtin == nullptr) {
    std::string native = NativeName(name);
    module->host = ::dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module->host == nullptr) return nullptr;
  }
  ++g_load_count;
  ++g_loaded_now;
  return module.release();
}

void FreeLibrary(ModuleHandle module) {
  if (module == nullptr) return;
  if (module->host != nullptr) ::dlclose(module->host);
  --g_loaded_now;
  delete module;
}

void* GetProcAddress(ModuleHandle module, std::string_view name) {
  if (module == nullptr || name.empty()) return nullptr;
  if (module->builtin != nullptr) return module->builtin->Find(name);
  std::string symbol(name);
  return ::dlsym(module->host, symbol.c_str());
}

void* GetProcAddressByOrdinal(ModuleHandle module, uint16_t ordinal) {
  if (module == nullptr || module->builtin == nullptr) return nullptr;  // the host has none
  return module->builtin->FindOrdinal(ordinal);
}

int64_t LibraryLoadCount() { return g_load_count; }
int64_t LoadedModuleCount() { return g_loaded_now; }

}  // namespace barvell::platform
