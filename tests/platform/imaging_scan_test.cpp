// A real reader reads what the encoders write: a scan code made by qrencode, decoded,
// saved in each format, and read back by zbarimg.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"

namespace barvell::imaging {
namespace {

namespace fs = std::filesystem;

bool Have(const char* tool) {
  return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buf[512];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  pclose(pipe);
  if (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

TEST(ImagingScan, EverySavedFormatScansToTheEncodedText) {
  if (!Have("zbarimg") || !Have("qrencode")) GTEST_SKIP() << "no zbarimg or qrencode";
  fs::path dir = fs::temp_directory_path() / "barvell_imaging_scan";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string text = "6901234567892";
  fs::path made = dir / "made.png";
  ASSERT_EQ(std::system(("qrencode -s 4 -m 4 -o " + made.string() + " " + text).c_str()), 0);
  std::ifstream in(made, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  std::optional<gfx::Bitmap> code = DecodePicture(bytes);
  ASSERT_TRUE(code.has_value());

  const std::pair<PictureFormat, const char*> formats[] = {
      {PictureFormat::kPng, "png"}, {PictureFormat::kJpeg, "jpg"}, {PictureFormat::kBmp, "bmp"},
      {PictureFormat::kGif, "gif"}, {PictureFormat::kTiff, "tif"}};
  for (const auto& [format, extension] : formats) {
    fs::path saved = dir / (std::string("saved.") + extension);
    ASSERT_TRUE(SavePicture(*code, format, saved.string())) << extension;
    EXPECT_EQ(Output("zbarimg --raw -q " + saved.string() + " 2>/dev/null"), text) << extension;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace barvell::imaging
