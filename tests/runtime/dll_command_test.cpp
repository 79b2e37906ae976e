// Binding and calling DLL commands: lazily, once, from the system DLLs or by file name.
#include <gtest/gtest.h>

#include <cmath>

#include "child_process.h"
#include "platform/kernel/dynamic_library.h"
#include "runtime/call/runtime_state.h"
#include "test_program.h"

namespace barvell {
namespace {

using testing::RunInChild;
using testing::TestProgram;

using MultiByteToWideCharFn = int32_t (*)(uint32_t, uint32_t, const char*, int32_t, char16_t*,
                                          int32_t);
using CosFn = double (*)(double);

// The program's own table, plus commands bound to the C math library.
TestProgram ProgramWithDllCommands() {
  TestProgram program;
  program.dll_files = {"ole32.dll", "gdiplus.dll", "GdiPlus.dll", "gdiplus.dll", "",
                       "gdiplus.dll", "gdiplus.dll", "libm.so.6", "libm.so.6", "",
                       "KERNEL32.DLL"};
  program.dll_exports = {"CLSIDFromString", "GdipLoadImageFromFile", "GdipSaveImageToFile",
                         "GdipDisposeImage", "MultiByteToWideChar", "GdiplusShutdown",
                         "GdiplusStartup", "cos", "NoSuchExport", "NoSuchExport", "#1"};
  return program;
}
constexpr int32_t kMultiByteToWideChar = 4;
constexpr int32_t kCos = 7;
constexpr int32_t kMissingInLibm = 8;
constexpr int32_t kMissingEverywhere = 9;
constexpr int32_t kOrdinalOne = 10;

TEST(DllCommand, EmptyDllNameBindsMultiByteToWideCharFromTheFirstSystemDll) {
  TestProgram program = ProgramWithDllCommands();
  const KernelEntryTable& kernel = program.Start();
  auto convert = reinterpret_cast<MultiByteToWideCharFn>(kernel.CallDllCommand(kMultiByteToWideChar));
  ASSERT_NE(convert, nullptr);

  char16_t wide[8] = {};
  EXPECT_EQ(convert(936, 0, "条码A", -1, wide, 8), 4);  // three characters and the zero
  EXPECT_EQ(std::u16string(wide), u"条码A");
  EXPECT_EQ(convert(0, 0, "条码A", -1, nullptr, 0), 4);  // size query, system code page

  // Bound once: the module is the stand-in Kernel32, kept for the command.
  EXPECT_NE(runtime::State().dll_commands[kMultiByteToWideChar].module, nullptr);
}

TEST(DllCommand, SecondCallDoesNotLoadTheDllAgain) {
  TestProgram program = ProgramWithDllCommands();
  const KernelEntryTable& kernel = program.Start();
  void* first = kernel.CallDllCommand(kMultiByteToWideChar);
  int64_t loads = platform::LibraryLoadCount();
  int64_t loaded = platform::LoadedModuleCount();
  EXPECT_EQ(kernel.CallDllCommand(kMultiByteToWideChar), first);
  EXPECT_EQ(platform::LibraryLoadCount(), loads);
  EXPECT_EQ(platform::LoadedModuleCount(), loaded);
}

TEST(DllCommand, NamedSharedLibraryOfTheHostBindsItsExport) {
  TestProgram program = ProgramWithDllCommands();
  const KernelEntryTable& kernel = program.Start();
  auto cosine = reinterpret_cast<CosFn>(kernel.CallDllCommand(kCos));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_NEAR(cosine(M_PI), -1.0, 1e-12);
}

TEST(DllCommand, OrdinalNamesAndDllNamesIgnoreCase) {
  TestProgram program = ProgramWithDllCommands();
  const KernelEntryTable& kernel = program.Start();
  // "#1" of "KERNEL32.DLL" is the stand-in's first export.
  EXPECT_EQ(kernel.CallDllCommand(kOrdinalOne), kernel.CallDllCommand(kMultiByteToWideChar));
}

TEST(DllCommand, ModulesAreFreedAtShutdownOnly) {
  int64_t before = platform::LoadedModuleCount();
  {
    TestProgram program = ProgramWithDllCommands();
    const KernelEntryTable& kernel = program.Start();
    kernel.CallDllCommand(kCos);
    kernel.CallDllCommand(kMultiByteToWideChar);
    EXPECT_EQ(platform::LoadedModuleCount(), before + 2);
  }
  EXPECT_EQ(platform::LoadedModuleCount(), before);
}

TEST(DllCommand, MissingExportOfANamedDllIsFatal) {
  auto outcome = RunInChild([] {
    TestProgram program = ProgramWithDllCommands();
    program.Start().CallDllCommand(kMissingInLibm);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.boxes,
            "错误|运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“libm.so.6”中的输出命令"
            "“NoSuchExport”\r\n\r\n0, 0\r\n\n");
}

TEST(DllCommand, MissingExportOfTheSystemDllsIsFatal) {
  auto outcome = RunInChild([] {
    TestProgram program = ProgramWithDllCommands();
    program.Start().CallDllCommand(kMissingEverywhere);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("错误信息：无法找到指定DLL库文件中的输出命令“NoSuchExport”\r\n"),
            std::string::npos);
}

TEST(DllCommand, AFailedBindingKeepsNoModule) {
  auto outcome = RunInChild([] {
    TestProgram program = ProgramWithDllCommands();
    int64_t before = platform::LoadedModuleCount();
    platform::SetMessageBoxHook([before](std::string_view, std::string_view, uint32_t) {
      testing::ChildWrite(platform::LoadedModuleCount() == before ? "none" : "leaked");
      return 1;
    });
    program.Start().CallDllCommand(kMissingInLibm);
  });
  EXPECT_EQ(outcome.written, "none");
}

}  // namespace
}  // namespace barvell
