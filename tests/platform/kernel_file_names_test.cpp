// The program's file names on this file system: "\" and "/" both separate, a double-byte
// GBK character is never cut, and every service reaches the same file by the same name.
#include "platform/kernel/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

// A GBK character whose second byte is 0x5C, the byte of "\".
constexpr std::string_view kTrailBackslash = "\x81\x5C";

TEST(FileNames, BackslashesSeparateExceptInsideACharacter) {
  EXPECT_EQ(NativePath("C:\\dir/sub\\f.ini"), "C:/dir/sub/f.ini");
  const std::string name = "d\\" + std::string(kTrailBackslash) + "\\f";
  EXPECT_EQ(NativePath(name), "d/" + GbkToUtf8(kTrailBackslash) + "/f");
  EXPECT_EQ(LastSeparator(name), 4u);
  EXPECT_EQ(LastSeparator(std::string(kTrailBackslash)), std::string_view::npos);
  EXPECT_TRUE(SameNameIgnoringCase("Boot.INI", "boot.ini"));
  EXPECT_FALSE(SameNameIgnoringCase("\x81\x41", "\x81\x61"));
}

class FileExistence : public testing::TestDirectory {};

TEST_F(FileExistence, FilesDirectoriesAndWildcards) {
  fs::create_directory(Path("Output"));
  Put(Path("6901234567892.PNG"), "png");
  const std::string dir = dir_.string();
  EXPECT_TRUE(FileExists(dir + "\\Output"));
  EXPECT_FALSE(FileExists(dir + "\\Output\\")) << "a trailing separator finds nothing";
  EXPECT_FALSE(FileExists(dir + "/Output/"));
  EXPECT_TRUE(FileExists(dir + "\\output")) << "names match without case";
  EXPECT_TRUE(FileExists(dir + "\\*.png"));
  EXPECT_TRUE(FileExists(dir + "\\690123456789?.PNG"));
  EXPECT_FALSE(FileExists(dir + "\\*.jpg"));
  EXPECT_FALSE(FileExists(dir + "\\missing"));
  EXPECT_FALSE(FileExists(""));

  // A directory whose name ends in a byte 0x5C is one name, not a separator.
  const std::string gbk_dir = dir + "\\" + std::string(kTrailBackslash);
  fs::create_directory(NativePath(gbk_dir));
  Put(NativePath(gbk_dir + "\\x"), "x");
  EXPECT_TRUE(FileExists(gbk_dir));
  EXPECT_TRUE(FileExists(gbk_dir + "\\x"));
}

// The temporary picture is written by its name and loaded by the GDI+ stand-in from the
// same name in UTF-16: both must reach the one file.
TEST_F(FileExistence, ThePictureServicesShareTheProgramsNames) {
  gfx::Bitmap bitmap(3, 2);
  std::optional<std::vector<uint8_t>> bmp = imaging::EncodePicture(bitmap, imaging::PictureFormat::kBmp);
  ASSERT_TRUE(bmp);
  const std::string name = dir_.string() + "\\" + Utf8ToGbk("条码") + "\\EN13tem.bmp";
  fs::create_directory(NativePath(dir_.string() + "\\" + Utf8ToGbk("条码")));
  const std::span<const uint8_t> pieces[] = {*bmp};
  ASSERT_TRUE(OverwriteFile(NativePath(name), pieces));

  RegisterImagingModules();
  ModuleHandle gdiplus = LoadLibrary("gdiplus.dll");
  using LoadFn = int32_t (*)(const char16_t*, void**);
  using DisposeFn = int32_t (*)(void*);
  auto load = reinterpret_cast<LoadFn>(GetProcAddress(gdiplus, "GdipLoadImageFromFile"));
  auto dispose = reinterpret_cast<DisposeFn>(GetProcAddress(gdiplus, "GdipDisposeImage"));
  ASSERT_NE(load, nullptr);
  void* image = nullptr;
  EXPECT_EQ(load(GbkToUtf16(name).c_str(), &image), 0);
  EXPECT_NE(image, nullptr);
  dispose(image);
  FreeLibrary(gdiplus);
}

}  // namespace
}  // namespace barvell::platform
