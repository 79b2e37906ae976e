// Picture boxes show the picture of their property block in their surface bitmap, placed
// as their mode says, over their background colour.
#include <gtest/gtest.h>

#include "loader_program.h"
#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"

namespace barvell {
namespace {

using runtime::controls::PictureBoxBlock;
using testing::Control;
using testing::kMainWindow;
using testing::kTutorialWindow;

constexpr ComponentId kTutorialPictureBox = 0x16010353;
constexpr uint32_t kWhite = 0xFFFFFF;

// A 3 x 2 picture with six distinct colours, as PNG bytes.
constexpr uint32_t kSix[2][3] = {{0x102030, 0x405060, 0x708090}, {0xA0B0C0, 0xD0E0F0, 0x0F0F0F}};
std::vector<uint8_t> SixColourPng() {
  gfx::Bitmap b(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.SetPixel(x, y, kSix[y][x]);
  return imaging::EncodePicture(b, imaging::PictureFormat::kPng).value();
}

class PictureBox : public testing::LoaderProgram {
 protected:
  // One window with a borderless 10 x 8 picture box (0x16010002) on a white background.
  const gfx::Bitmap& LoadBox(uint32_t mode, std::vector<uint8_t> picture) {
    PictureBoxBlock block;
    block.back_colour = 0x00FFFFFF;
    block.picture_mode = mode;
    block.picture = std::move(picture);
    std::vector<runtime::ComponentSource> box;
    box.push_back(Control(0x16010002, type_id::kPictureBox, {4, 4, 10, 8}, block));
    StartWithControls(std::move(box));
    EXPECT_TRUE(Load(kMainWindow));
    const gfx::Bitmap* bitmap = ui_.SurfaceBitmap(HandleOf(kMainWindow, 0x16010002));
    EXPECT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 10);
    EXPECT_EQ(bitmap->Height(), 8);
    return *bitmap;
  }
};

TEST_F(PictureBox, TutorialWindowShowsItsScanCodeCentred) {
  StartProgram();
  runtime::Window& window = WindowOf(kTutorialWindow);
  std::optional<size_t> index = window.FindComponent(kTutorialPictureBox);
  ASSERT_TRUE(index.has_value());
  std::optional<PictureBoxBlock> block =
      runtime::controls::DecodeBlock<PictureBoxBlock>(window.PropertyBlock(*index));
  ASSERT_TRUE(block.has_value());
  std::optional<gfx::Bitmap> code = imaging::DecodePicture(block->picture);
  ASSERT_TRUE(code.has_value());

  ASSERT_TRUE(Load(kTutorialWindow));
  const gfx::Bitmap* shown = ui_.SurfaceBitmap(HandleOf(kTutorialWindow, kTutorialPictureBox));
  ASSERT_NE(shown, nullptr);
  ASSERT_EQ(shown->Width(), 336);
  ASSERT_EQ(shown->Height(), 336);
  ASSERT_LT(code->Width(), 336);

  int left = (336 - code->Width()) / 2, top = (336 - code->Height()) / 2;
  int dark = 0, mismatched = 0;
  for (int y = 0; y < shown->Height(); ++y) {
    for (int x = 0; x < shown->Width(); ++x) {
      bool inside = x >= left && x < left + code->Width() && y >= top && y < top + code->Height();
      uint32_t expected = inside ? code->Pixel(x - left, y - top) : kWhite;
      if (shown->Pixel(x, y) != expected) ++mismatched;
      if (shown->Pixel(x, y) == 0) ++dark;
    }
  }
  EXPECT_EQ(mismatched, 0);
  EXPECT_GT(dark, 336 * 336 / 10) << "a scan code is not one colour";
}

TEST_F(PictureBox, NaturalSizeFromTheTopLeft) {
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kNatural, SixColourPng());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(x, y), kSix[y][x]);
  EXPECT_EQ(b.Pixel(3, 0), kWhite);
  EXPECT_EQ(b.Pixel(0, 2), kWhite);
  EXPECT_EQ(b.Pixel(9, 7), kWhite);
}

TEST_F(PictureBox, TiledRepeatsAcrossTheWholeBox) {
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kTiled, SixColourPng());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(b.Pixel(x, y), kSix[y % 2][x % 3]) << x << "," << y;
}

TEST_F(PictureBox, StretchedFillsTheBox) {
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kStretched, SixColourPng());
  EXPECT_EQ(b.Pixel(0, 0), kSix[0][0]);
  EXPECT_EQ(b.Pixel(9, 7), kSix[1][2]);
  EXPECT_EQ(b.Pixel(5, 3), kSix[0][1]);
  EXPECT_EQ(b.Pixel(5, 4), kSix[1][1]);
}

TEST_F(PictureBox, CentredLeavesAnEvenBackgroundBorder) {
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kCentred, SixColourPng());
  // (10 - 3) / 2 = 3 across, (8 - 2) / 2 = 3 down.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(3 + x, 3 + y), kSix[y][x]);
  EXPECT_EQ(b.Pixel(2, 3), kWhite);
  EXPECT_EQ(b.Pixel(6, 3), kWhite);
  EXPECT_EQ(b.Pixel(3, 2), kWhite);
  EXPECT_EQ(b.Pixel(3, 5), kWhite);
}

TEST_F(PictureBox, CentredPictureLargerThanTheBoxShowsItsMiddle) {
  gfx::Bitmap big(14, 12, 0x000000);
  big.SetPixel(2, 2, 0xFF0000);  // lands on the box's top-left corner
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kCentred,
                                 imaging::EncodePicture(big, imaging::PictureFormat::kBmp).value());
  EXPECT_EQ(b.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(b.Pixel(9, 7), 0u);
}

TEST_F(PictureBox, UndecodablePictureLeavesTheBackgroundAndTheBoxStillLoads) {
  std::vector<uint8_t> broken = SixColourPng();
  broken.resize(broken.size() / 2);
  const gfx::Bitmap& b = LoadBox(runtime::controls::picture_mode::kNatural, broken);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(b.Pixel(x, y), kWhite);
}

}  // namespace
}  // namespace barvell
