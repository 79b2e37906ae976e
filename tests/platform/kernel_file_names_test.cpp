// The program's file names on this file system: "\" and "/" both separate, a double-byte
// GBK character is never cut, and every service reaches the same file by the same name.
#include "platform/kernel/file_names.h"

#include <gtest/gtest.h>

#include "platform/gfx/bitmap.h"
#include "platform/imaging/encode.h"
#include "platform/imaging/imaging_modules.h"
#include "platform/kernel/dynamic_library.h"
#include "platform/kernel/file_search.h"
#include "platform/kernel/file_writes.h"
#include "platform/text/gbk.h"
#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

class FileNames : public testing::TestDirectory {};

TEST_F(FileNames, ASecondByte0x5CIsNoSeparator) {
  const std::string trail = "\x81\x5C";  // a GBK character whose second byte is "\"
  EXPECT_EQ(NativePath("C:\\dir/sub\\" + trail), "C:/dir/sub/" + GbkToUtf8(trail));
  const std::string dir = dir_.string() + "\\" + trail;
  fs::create_directory(NativePath(dir));
  Put(NativePath(dir + "\\x"), "x");
  EXPECT_TRUE(FileExists(dir));
  EXPECT_TRUE(FileExists(dir + "\\X"));
  EXPECT_FALSE(FileExists(dir + "\\"));
}

// The temporary picture is written by its name and loaded by the GDI+ stand-in from the
// same name in UTF-16: both must reach the one file.
TEST_F(FileNames, ThePictureServicesShareTheProgramsNames) {
  std::optional<std::vector<uint8_t>> bmp = imaging::EncodePicture(gfx::Bitmap(3, 2), imaging::PictureFormat::kBmp);
  ASSERT_TRUE(bmp);
  const std::string folder = dir_.string() + "\\" + Utf8ToGbk("条码");
  fs::create_directory(NativePath(folder));
  const std::span<const uint8_t> pieces[] = {*bmp};
  ASSERT_TRUE(OverwriteFile(NativePath(folder + "\\EN13tem.bmp"), pieces));

  RegisterImagingModules();
  ModuleHandle gdiplus = LoadLibrary("gdiplus.dll");
  auto load = reinterpret_cast<int32_t (*)(const char16_t*, void**)>(GetProcAddress(gdiplus, "GdipLoadImageFromFile"));
  auto dispose = reinterpret_cast<int32_t (*)(void*)>(GetProcAddress(gdiplus, "GdipDisposeImage"));
  ASSERT_TRUE(load && dispose);
  void* image = nullptr;
  EXPECT_EQ(load(GbkToUtf16(folder + "\\EN13tem.bmp").c_str(), &image), 0);
  EXPECT_NE(image, nullptr);
  dispose(image);
  FreeLibrary(gdiplus);
}

}  // namespace
}  // namespace barvell::platform
