#include "program.h"

#include <iterator>

#include "handler_table.h"
#include "kernel.h"
#include "program_globals.h"
#include "template_area.h"

namespace barvell::app {

namespace {

// The program's constant texts, one contiguous block: the runtime never frees or resizes
// what lies in it.
struct ConstantTexts {
  char ole32[sizeof("ole32.dll")] = "ole32.dll";
  char gdiplus[sizeof("gdiplus.dll")] = "gdiplus.dll";
  char gdiplus_mixed_case[sizeof("GdiPlus.dll")] = "GdiPlus.dll";
  char no_dll[1] = "";
  char clsid_from_string[sizeof("CLSIDFromString")] = "CLSIDFromString";
  char load_image[sizeof("GdipLoadImageFromFile")] = "GdipLoadImageFromFile";
  char save_image[sizeof("GdipSaveImageToFile")] = "GdipSaveImageToFile";
  char dispose_image[sizeof("GdipDisposeImage")] = "GdipDisposeImage";
  char multi_byte_to_wide_char[sizeof("MultiByteToWideChar")] = "MultiByteToWideChar";
  char shutdown[sizeof("GdiplusShutdown")] = "GdiplusShutdown";
  char startup[sizeof("GdiplusStartup")] = "GdiplusStartup";
};
constexpr ConstantTexts kConstants{};

// The DLL commands by number: DLL file (empty: the system DLLs) and export.
constexpr const char* kDllFiles[] = {
    kConstants.ole32,   kConstants.gdiplus, kConstants.gdiplus_mixed_case, kConstants.gdiplus,
    kConstants.no_dll,  kConstants.gdiplus, kConstants.gdiplus,
};
constexpr const char* kDllExports[] = {
    kConstants.clsid_from_string,       kConstants.load_image, kConstants.save_image,
    kConstants.dispose_image,           kConstants.multi_byte_to_wide_char,
    kConstants.shutdown,                kConstants.startup,
};
static_assert(std::size(kDllFiles) == std::size(kDllExports));

constexpr uint32_t kRunMode = 3;
constexpr uint32_t kLibraryCount = 9;

void CleanupGlobals(int32_t /*position*/) { FreeGlobals(); }

}  // namespace

const ProgramDescriptor kProgramDescriptor = [] {
  ProgramDescriptor d{};
  d.run_mode = kRunMode;
  d.reserved1 = 0;
  d.reserved2 = 0x10357;
  d.code_base = kHandlerTable;
  d.handler_count = uint32_t(kHandlerCount);
  d.constant_start = &kConstants;
  d.constant_size = sizeof kConstants;
  d.template_start = kTemplateArea;
  d.template_size = kTemplateAreaSize;
  d.library_count = kLibraryCount;
  d.libraries = nullptr;  // the runtime's own libraries
  d.dll_command_count = uint32_t(std::size(kDllFiles));
  d.dll_files = kDllFiles;
  d.dll_exports = kDllExports;
  return d;
}();

int32_t StartRoutine(const KernelEntryTable& kernel) {
  SetKernel(&kernel);
  kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
  AllocateGlobals();
  kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupGlobals), 0, 0,
                 0, 0);
  kernel.LoadStartWindow(kMainWindow);
  kernel.RunMessageLoop();
  return 0;
}

}  // namespace barvell::app
