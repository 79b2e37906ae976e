// The gdiplus.dll / ole32.dll stand-in, called as the program calls it: bound by name,
// UTF-16 texts, class identifiers from their text, status numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"
#include "platform/imaging/imaging_modules.h"
#include "platform/kernel/dynamic_library.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

using StartupFn = int32_t (*)(void*, const void*, void*);
using ShutdownFn = void (*)(uintptr_t);
using ClsidFromStringFn = int32_t (*)(const char16_t*, void*);
using LoadFn = int32_t (*)(const char16_t*, void**);
using SaveFn = int32_t (*)(void*, const char16_t*, const void*, const void*);
using DisposeFn = int32_t (*)(void*);

struct Api {
  StartupFn startup;
  ShutdownFn shutdown;
  ClsidFromStringFn clsid_from_string;
  LoadFn load;
  SaveFn save;
  DisposeFn dispose;
};

template <typename F>
F Bind(const char* dll, const char* name) {
  ModuleHandle module = LoadLibrary(dll);
  EXPECT_NE(module, nullptr) << dll;
  void* address = GetProcAddress(module, name);
  EXPECT_NE(address, nullptr) << name;
  FreeLibrary(module);
  return reinterpret_cast<F>(address);
}

const Api& Gdiplus() {
  static const Api api = [] {
    RegisterImagingModules();
    RegisterImagingModules();  // twice changes nothing
    return Api{Bind<StartupFn>("gdiplus.dll", "GdiplusStartup"),
               Bind<ShutdownFn>("gdiplus.dll", "GdiplusShutdown"),
               Bind<ClsidFromStringFn>("ole32.dll", "CLSIDFromString"),
               Bind<LoadFn>("gdiplus.dll", "GdipLoadImageFromFile"),
               Bind<SaveFn>("GdiPlus.dll", "GdipSaveImageToFile"),
               Bind<DisposeFn>("gdiplus.dll", "GdipDisposeImage")};
  }();
  return api;
}

std::u16string Utf16(const fs::path& p) {
  std::u8string u8 = p.u8string();
  // Test names are ASCII or the few Chinese characters below, all in the BMP.
  std::u16string out;
  for (size_t i = 0; i < u8.size();) {
    char32_t c = u8[i];
    int extra = c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    c &= extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
    for (int k = 1; k <= extra; ++k) c = c << 6 | (u8[i + k] & 0x3F);
    out += char16_t(c);
    i += 1 + extra;
  }
  return out;
}

// The class identifier text of an encoder number, as the exporter builds it.
std::u16string EncoderText(int number) {
  switch (number) {
    case 1: return u"{557CF400-1A04-11D3-9A73-0000F81EF32E}";
    case 2: return u"{557CF401-1A04-11D3-9A73-0000F81EF32E}";
    case 3: return u"{557CF402-1A04-11D3-9A73-0000F81EF32E}";
    case 4: return u"{557CF405-1A04-11D3-9A73-0000F81EF32E}";
    case 5: return u"{557CF406-1A04-11D3-9A73-0000F81EF32E}";
  }
  return u"";
}

std::vector<uint8_t> ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class ImagingGdiplus : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("barvell_gdiplus_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    picture_ = gfx::Bitmap(41, 17, 0xFFFFFF);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 41; x += 2) picture_.SetPixel(x, y, 0x000000);
    picture_.SetPixel(1, 0, 0xC02040);
    source_ = dir_ / "EN13tem.bmp";
    ASSERT_TRUE(imaging::SavePicture(picture_, imaging::PictureFormat::kBmp, source_.string()));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::array<uint8_t, 16> Clsid(int number) {
    std::array<uint8_t, 16> clsid{};
    Gdiplus().clsid_from_string(EncoderText(number).c_str(), clsid.data());
    return clsid;
  }

  // The exporter's conversion: load the BMP, save with the encoder, dispose.
  int32_t Convert(const fs::path& target, int number) {
    std::array<uint8_t, 16> clsid = Clsid(number);
    void* image = nullptr;
    Gdiplus().load(Utf16(source_).c_str(), &image);
    int32_t status = Gdiplus().save(image, Utf16(target).c_str(), clsid.data(), nullptr);
    Gdiplus().dispose(image);
    return status;
  }

  size_t FilesInDir() { return size_t(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
  fs::path source_;
  gfx::Bitmap picture_;
};

TEST_F(ImagingGdiplus, StartupChecksTheVersionAndFillsAThirtyTwoBitToken) {
  uint32_t input[4] = {1, 0, 0, 0};
  uint32_t token[2] = {0, 0xDEADBEEF};  // the word after the token stays untouched
  EXPECT_EQ(Gdiplus().startup(token, input, nullptr), 0);
  EXPECT_NE(token[0], 0u);
  EXPECT_EQ(token[1], 0xDEADBEEFu);
  Gdiplus().shutdown(token[0]);

  input[0] = 2;
  EXPECT_NE(Gdiplus().startup(token, input, nullptr), 0);
  EXPECT_NE(Gdiplus().startup(nullptr, input, nullptr), 0);
}

TEST_F(ImagingGdiplus, ClassIdentifierTextsBecomeTheirSixteenBytes) {
  const uint8_t png[16] = {0x06, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                           0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
  std::array<uint8_t, 16> clsid = Clsid(5);
  EXPECT_EQ(std::memcmp(clsid.data(), png, 16), 0);
  std::array<uint8_t, 16> lower{};
  EXPECT_EQ(Gdiplus().clsid_from_string(u"{557cf406-1a04-11d3-9a73-0000f81ef32e}", lower.data()), 0);
  EXPECT_EQ(lower, clsid);

  // The empty text is the null identifier; malformed texts fail and leave it null too.
  std::array<uint8_t, 16> zero{};
  for (const char16_t* text : {u"", u"{557CF406-1A04-11D3-9A73-0000F81EF32E", u"557CF406-1A04-11D3-9A73-0000F81EF32E",
                               u"{557CF406-1A04-11D3-9A73-0000F81EF32G}", u"{557CF406-1A04-11D3-9A73-0000F81EF32E}x"}) {
    std::array<uint8_t, 16> out;
    out.fill(0xAA);
    int32_t result = Gdiplus().clsid_from_string(text, out.data());
    EXPECT_EQ(result == 0, text[0] == 0) << std::u16string(text).size();
    EXPECT_EQ(out, zero);
  }
}

TEST_F(ImagingGdiplus, EachEncoderWritesItsFormatFromTheBmp) {
  struct Case {
    int number;
    imaging::PictureFormat format;
    const char* name;
  };
  // The names' extensions do not decide the format: the JPEG goes under ".png".
  const Case cases[] = {{1, imaging::PictureFormat::kBmp, "out.bmp"},
                        {2, imaging::PictureFormat::kJpeg, "out.png"},
                        {3, imaging::PictureFormat::kGif, "out.gif"},
                        {4, imaging::PictureFormat::kTiff, "out.tif"},
                        {5, imaging::PictureFormat::kPng, "条码.png"}};
  for (const Case& c : cases) {
    fs::path target = dir_ / fs::path(std::u8string(reinterpret_cast<const char8_t*>(c.name)));
    ASSERT_EQ(Convert(target, c.number), 0) << c.number;
    std::vector<uint8_t> bytes = ReadAll(target);
    EXPECT_EQ(imaging::SniffFormat(bytes), c.format) << c.number;
    std::optional<gfx::Bitmap> back = imaging::DecodePicture(bytes);
    ASSERT_TRUE(back.has_value()) << c.number;
    ASSERT_EQ(back->Width(), picture_.Width());
    ASSERT_EQ(back->Height(), picture_.Height());
    if (c.format != imaging::PictureFormat::kJpeg) {
      EXPECT_EQ(std::memcmp(back->Data(), picture_.Data(), size_t(41 * 17 * 4)), 0) << c.number;
    }
  }
  EXPECT_EQ(FilesInDir(), 6u) << "no temporary files left behind";
}

TEST_F(ImagingGdiplus, UnknownEncoderFailsAndWritesNothing) {
  for (int number : {-1, 0, 6}) {
    EXPECT_NE(Convert(dir_ / "none.png", number), 0) << number;
  }
  EXPECT_FALSE(fs::exists(dir_ / "none.png"));
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(ImagingGdiplus, FailedSaveKeepsTheExistingFile) {
  fs::path target = dir_ / "kept.png";
  std::ofstream(target, std::ios::binary) << "the user's old picture";
  std::vector<uint8_t> before = ReadAll(target);

  EXPECT_NE(Convert(target, 0), 0);  // no encoder
  std::array<uint8_t, 16> png = Clsid(5);
  EXPECT_NE(Gdiplus().save(nullptr, Utf16(target).c_str(), png.data(), nullptr), 0);  // no image
  fs::remove(source_);
  EXPECT_NE(Convert(target, 5), 0);  // nothing loaded

  EXPECT_EQ(ReadAll(target), before);
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(ImagingGdiplus, SaveIntoAMissingDirectoryOrOverADirectoryFails) {
  EXPECT_NE(Convert(dir_ / "no_such_dir" / "out.png", 5), 0);
  fs::create_directory(dir_ / "folder.png");
  EXPECT_NE(Convert(dir_ / "folder.png", 5), 0);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.png"));
  EXPECT_EQ(FilesInDir(), 2u);
}

TEST_F(ImagingGdiplus, LoadingRefusesMissingAndMalformedFiles) {
  void* image = reinterpret_cast<void*>(1);
  EXPECT_NE(Gdiplus().load(Utf16(dir_ / "missing.bmp").c_str(), &image), 0);
  EXPECT_EQ(image, nullptr);

  fs::path junk = dir_ / "junk.bmp";
  std::ofstream(junk, std::ios::binary) << "BM but nothing else of a bitmap";
  EXPECT_NE(Gdiplus().load(Utf16(junk).c_str(), &image), 0);
  EXPECT_EQ(image, nullptr);
  EXPECT_NE(Gdiplus().load(Utf16(dir_).c_str(), &image), 0);  // a directory
  EXPECT_NE(Gdiplus().load(nullptr, &image), 0);

  const char16_t lone_surrogate[] = {u'a', 0xD800, u'b', 0};
  EXPECT_NE(Gdiplus().load(lone_surrogate, &image), 0);
}

TEST_F(ImagingGdiplus, DisposingNullOrTwiceIsRefusedNotFatal) {
  EXPECT_NE(Gdiplus().dispose(nullptr), 0);
  void* image = nullptr;
  ASSERT_EQ(Gdiplus().load(Utf16(source_).c_str(), &image), 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(Gdiplus().dispose(image), 0);
  EXPECT_NE(Gdiplus().dispose(image), 0);
  // A disposed handle no longer saves.
  std::array<uint8_t, 16> png = Clsid(5);
  EXPECT_NE(Gdiplus().save(image, Utf16(dir_ / "after.png").c_str(), png.data(), nullptr), 0);
  EXPECT_FALSE(fs::exists(dir_ / "after.png"));
}

}  // namespace
}  // namespace barvell::platform
