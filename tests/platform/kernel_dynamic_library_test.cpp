// The dynamic-library layer: built-in stand-ins by file name, the host's loader otherwise,
// and file-name wildcards of the file search.
#include <gtest/gtest.h>

#include "platform/kernel/dynamic_library.h"
#include "platform/kernel/file_search.h"
#include "platform/kernel/multibyte.h"

namespace barvell::platform {
namespace {

TEST(KernelDynamicLibrary, BuiltInModulesMatchTheFileNameIgnoringCaseAndDirectory) {
  for (const char* name : {"Kernel32.dll", "KERNEL32.DLL", "/opt/prog/kernel32.dll",
                           "C:\\Windows\\System32\\Kernel32.dll"}) {
    ModuleHandle module = LoadLibrary(name);
    ASSERT_NE(module, nullptr) << name;
    EXPECT_EQ(GetProcAddress(module, "MultiByteToWideChar"),
              reinterpret_cast<void*>(&MultiByteToWideChar));
    EXPECT_EQ(GetProcAddress(module, "multibytetowidechar"), nullptr);  // exports keep case
    EXPECT_EQ(GetProcAddressByOrdinal(module, 1), reinterpret_cast<void*>(&MultiByteToWideChar));
    EXPECT_EQ(GetProcAddressByOrdinal(module, 0), nullptr);
    FreeLibrary(module);
  }
}

TEST(KernelDynamicLibrary, EmptyStandInsGainRegisteredExports) {
  ModuleHandle gdiplus = LoadLibrary("GdiPlus.dll");
  ASSERT_NE(gdiplus, nullptr);
  static int marker;
  EXPECT_EQ(GetProcAddress(gdiplus, "GdiplusStartupForTest"), nullptr);
  RegisterBuiltInExport("gdiplus.dll", "GdiplusStartupForTest", &marker);
  EXPECT_EQ(GetProcAddress(gdiplus, "GdiplusStartupForTest"), &marker);
  FreeLibrary(gdiplus);
  ModuleHandle ole = LoadLibrary("ole32.dll");
  EXPECT_NE(ole, nullptr);
  FreeLibrary(ole);
}

TEST(KernelDynamicLibrary, HostLibrariesAndCounts) {
  int64_t loads = LibraryLoadCount();
  int64_t loaded = LoadedModuleCount();
  ModuleHandle libm = LoadLibrary("libm.so.6");
  ASSERT_NE(libm, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(libm, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0), 1.0);
  EXPECT_EQ(GetProcAddressByOrdinal(libm, 1), nullptr);  // the host has no ordinals
  EXPECT_EQ(LibraryLoadCount(), loads + 1);
  EXPECT_EQ(LoadedModuleCount(), loaded + 1);
  FreeLibrary(libm);
  EXPECT_EQ(LoadedModuleCount(), loaded);

  EXPECT_EQ(LoadLibrary("Gdi32.dll"), nullptr);  // neither built in nor on the host
  EXPECT_EQ(LoadLibrary(""), nullptr);
  EXPECT_EQ(LibraryLoadCount(), loads + 1);
  FreeLibrary(nullptr);
}

TEST(KernelFileSearch, WildcardsIgnoreAsciiCaseAndStepOverDoubleByteCharacters) {
  EXPECT_TRUE(WildcardMatch("*.BMP", "a.bmp"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYc"));
  EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYY"));
  EXPECT_FALSE(WildcardMatch("?", ""));
  // "条" is two GBK bytes; "?" takes it whole.
  EXPECT_TRUE(WildcardMatch("?.png", "\xCC\xF5.png"));
  EXPECT_FALSE(WildcardMatch("??.png", "\xCC\xF5.png"));
  // A trail byte that looks like a letter is not folded: "\x81\x41" is not "\x81\x61".
  EXPECT_FALSE(WildcardMatch("\x81\x41", "\x81\x61"));
}

}  // namespace
}  // namespace barvell::platform
