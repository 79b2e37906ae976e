// Dynamic libraries by name, as the runtime's DLL commands bind them. A name is looked up
// first among the built-in stand-in modules (matched case-insensitively by the DLL file
// name, whatever directory precedes it), then handed to the host's loader. Names and
// paths are GBK texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace barvell::platform {

struct Module;
using ModuleHandle = Module*;

// Null when nothing of that name can be loaded. Every successful call is one load and
// must be matched by FreeLibrary.
ModuleHandle LoadLibrary(std::string_view name);
void FreeLibrary(ModuleHandle module);  // null is ignored

// The export of that name or ordinal, or null.
void* GetProcAddress(ModuleHandle module, std::string_view name);
void* GetProcAddressByOrdinal(ModuleHandle module, uint16_t ordinal);

// Adds an export to a built-in module (created when new). Ordinals count from 1 in the
// order of registration.
void RegisterBuiltInExport(std::string_view dll_file_name, std::string_view export_name,
                           void* address);

// How many loads have succeeded so far, and how many modules are loaded now.
int64_t LibraryLoadCount();
int64_t LoadedModuleCount();

}  // namespace barvell::platform
