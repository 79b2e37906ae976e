// The temporary BMP loaded straight back after our own write: taken from memory only while
// the file is provably the one written, read from scratch once anyone else has touched it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/gfx/bmp_file.h"
#include "platform/imaging/decode.h"
#include "platform/imaging/imaging_modules.h"
#include "platform/imaging/picture_file.h"
#include "platform/imaging/written_picture_memo.h"
#include "platform/kernel/dynamic_library.h"
#include "platform/kernel/file_writes.h"
#include "tests/platform/kernel_test_files.h"

namespace barvell::imaging {
namespace {

namespace fs = std::filesystem;

// Two pictures of the same size, so that their files have the same length.
gfx::Bitmap Striped(uint32_t colour, int period) {
  gfx::Bitmap b(41, 17, 0xFFFFFF);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); x += period) b.SetPixel(x, y, colour);
  return b;
}

bool Same(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Data(), b.Data(), size_t(a.Width()) * a.Height() * 4) == 0;
}

bool Overwrite(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::span<const uint8_t> piece(bytes);
  return platform::OverwriteFile(path, std::span(&piece, 1));
}

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The GDI+ stand-in's load, save and dispose, bound as the exporter binds them.
struct Gdiplus {
  int32_t (*load)(const char16_t*, void**);
  int32_t (*save)(void*, const char16_t*, const void*, const void*);
  int32_t (*dispose)(void*);
};

Gdiplus BoundGdiplus() {
  platform::RegisterImagingModules();
  platform::ModuleHandle module = platform::LoadLibrary("gdiplus.dll");
  Gdiplus g{reinterpret_cast<decltype(Gdiplus::load)>(platform::GetProcAddress(module, "GdipLoadImageFromFile")),
            reinterpret_cast<decltype(Gdiplus::save)>(platform::GetProcAddress(module, "GdipSaveImageToFile")),
            reinterpret_cast<decltype(Gdiplus::dispose)>(platform::GetProcAddress(module, "GdipDisposeImage"))};
  platform::FreeLibrary(module);
  return g;
}

// {557CF400-1A04-11D3-9A73-0000F81EF32E} and {557CF406-...}, the BMP and PNG encoders, as
// they lie in memory.
constexpr uint8_t kBmpEncoder[16] = {0x00, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                                     0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
constexpr uint8_t kPngEncoder[16] = {0x06, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                                     0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};

class WrittenPicture : public testing::TestDirectory {
 protected:
  void SetUp() override {
    TestDirectory::SetUp();
    RememberWrittenPictures();
    file_ = Path("EN13tem.bmp");
    first_ = gfx::EncodeBmp24(Striped(0x000000, 2));
    second_ = gfx::EncodeBmp24(Striped(0x2040C0, 3));
    ASSERT_EQ(first_.size(), second_.size());
    ASSERT_TRUE(Overwrite(file_, first_));
  }

  // The picture the GDI+ stand-in loads from the file, as the exporter loads it, saved
  // with the BMP or the PNG encoder and read back.
  gfx::Bitmap LoadedThroughGdiplus(bool as_png = false) {
    const Gdiplus g = BoundGdiplus();
    void* image = nullptr;
    EXPECT_EQ(g.load(Utf16(file_).c_str(), &image), 0);
    const std::string copy = Path(as_png ? "copy.png" : "copy.bmp");
    EXPECT_EQ(g.save(image, Utf16(copy).c_str(), as_png ? kPngEncoder : kBmpEncoder, nullptr), 0);
    g.dispose(image);
    std::vector<uint8_t> bytes;
    if (ReadPictureFile(copy, bytes) != ReadStatus::kOk) return gfx::Bitmap();
    std::optional<gfx::Bitmap> back = DecodePicture(bytes);
    return back ? *back : gfx::Bitmap();
  }

  std::string file_;
  std::vector<uint8_t> first_, second_;
};

TEST_F(WrittenPicture, IsRecalledWhileTheFileIsOurs) {
  std::shared_ptr<const DecodedPicture> recalled = RecallWrittenPicture(file_);
  ASSERT_NE(recalled, nullptr);
  EXPECT_TRUE(Same(recalled->Whole(), Striped(0x000000, 2)));
  EXPECT_TRUE(Same(LoadedThroughGdiplus(), Striped(0x000000, 2)));
  // Written again by us: the new picture, not the old one.
  ASSERT_TRUE(Overwrite(file_, second_));
  recalled = RecallWrittenPicture(file_);
  ASSERT_NE(recalled, nullptr);
  EXPECT_TRUE(Same(recalled->Whole(), Striped(0x2040C0, 3)));
}

TEST_F(WrittenPicture, ChangedBehindItsBackIsReadFromTheFile) {
  // At once and at the same length: only the file's stamp tells the change.
  Put(file_, std::string_view(reinterpret_cast<const char*>(second_.data()), second_.size()));
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr);
  EXPECT_TRUE(Same(LoadedThroughGdiplus(), Striped(0x2040C0, 3)));
}

TEST_F(WrittenPicture, APictureStillHeldIsNeverDecodedOver) {
  // The memo decodes the next write into the last picture's pixels only once nobody holds
  // them: an image still loaded keeps what it showed.
  std::shared_ptr<const DecodedPicture> held = RecallWrittenPicture(file_);
  ASSERT_NE(held, nullptr);
  ASSERT_TRUE(Overwrite(file_, second_));
  EXPECT_TRUE(Same(held->Whole(), Striped(0x000000, 2)));
  std::shared_ptr<const DecodedPicture> now = RecallWrittenPicture(file_);
  ASSERT_NE(now, nullptr);
  EXPECT_TRUE(Same(now->Whole(), Striped(0x2040C0, 3)));

  // Let go of both: the next writes reuse one raster, each time showing the new picture,
  // a different size included.
  held.reset();
  now.reset();
  for (const gfx::Bitmap& picture : {Striped(0x000000, 2), Striped(0x2040C0, 3), gfx::Bitmap(5, 3, 0x102030)}) {
    ASSERT_TRUE(Overwrite(file_, gfx::EncodeBmp24(picture)));
    EXPECT_TRUE(Same(LoadedThroughGdiplus(), picture));
  }
}

TEST_F(WrittenPicture, ReplacedRenamedOrRemovedIsNotRecalled) {
  Put(Path("other.bmp"), std::string_view(reinterpret_cast<const char*>(first_.data()), first_.size()));
  fs::rename(Path("other.bmp"), file_);
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr) << "another file under the same name";

  ASSERT_TRUE(Overwrite(file_, first_));
  fs::rename(file_, Path("moved.bmp"));
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr);
  ASSERT_TRUE(Overwrite(file_, first_));
  fs::permissions(file_, fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr) << "a change of permissions changes the file";
  fs::permissions(file_, fs::perms::owner_all, fs::perm_options::replace);
  fs::remove(file_);
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr);
}

TEST_F(WrittenPicture, OnlyACompleteBmpWriteIsRemembered) {
  // A write that fails part-way leaves a cut file, which must not pass for the picture.
  ASSERT_TRUE(Overwrite(file_, first_));
  platform::FailNthWrite(1);
  EXPECT_FALSE(Overwrite(file_, second_));
  platform::FailNthWrite(0);
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr);
  // Any other file written since is no picture: nothing is recalled for it or before it.
  ASSERT_TRUE(Overwrite(file_, first_));
  const std::string text = Path("notes.txt");
  ASSERT_TRUE(Overwrite(text, {'B', 'M', '?'}));
  EXPECT_EQ(RecallWrittenPicture(text), nullptr);
  EXPECT_EQ(RecallWrittenPicture(file_), nullptr);
}

// Vertical stripes repeat every row; horizontal ones none: a row pattern carried over from
// one to the other would show in the saved picture.
gfx::Bitmap Banded(int period) {
  gfx::Bitmap b(41, 17, 0xFFFFFF);
  for (int y = 0; y < b.Height(); y += period)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, 0x000000);
  return b;
}

TEST_F(WrittenPicture, IsKeptAsItsDistinctRows) {
  std::shared_ptr<const DecodedPicture> recalled = RecallWrittenPicture(file_);
  ASSERT_NE(recalled, nullptr);
  const gfx::MappedRows rows = recalled->Rows();
  EXPECT_EQ(std::vector<uint32_t>(rows.row_of.begin(), rows.row_of.end()), std::vector<uint32_t>(17, 0))
      << "vertical stripes: one row for all";
}

TEST_F(WrittenPicture, SavedPicturesFollowTheirOwnRowsNeverAnEarlierPictures) {
  for (bool as_png : {true, false}) {
    SCOPED_TRACE(as_png ? "PNG" : "BMP");
    // Our own writes, one after another into one reused raster: each saved as itself.
    for (const gfx::Bitmap& picture : {Striped(0x000000, 2), Banded(2), Striped(0x2040C0, 3), Banded(3)}) {
      ASSERT_TRUE(Overwrite(file_, gfx::EncodeBmp24(picture)));
      EXPECT_TRUE(Same(LoadedThroughGdiplus(as_png), picture));
    }
    // Written by us, then replaced at the same length by someone else: read from the file.
    ASSERT_TRUE(Overwrite(file_, first_));
    const std::vector<uint8_t> banded = gfx::EncodeBmp24(Banded(2));
    ASSERT_EQ(banded.size(), first_.size());
    Put(file_, std::string_view(reinterpret_cast<const char*>(banded.data()), banded.size()));
    EXPECT_TRUE(Same(LoadedThroughGdiplus(as_png), Banded(2)));
  }
}

TEST_F(WrittenPicture, AnImageHeldAcrossTheNextWriteSavesWhatItShowed) {
  const Gdiplus g = BoundGdiplus();
  void* image = nullptr;
  ASSERT_EQ(g.load(Utf16(file_).c_str(), &image), 0);
  ASSERT_TRUE(Overwrite(file_, gfx::EncodeBmp24(Banded(2))));
  const std::string copy = Path("held.png");
  EXPECT_EQ(g.save(image, Utf16(copy).c_str(), kPngEncoder, nullptr), 0);
  g.dispose(image);
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadPictureFile(copy, bytes), ReadStatus::kOk);
  std::optional<gfx::Bitmap> back = DecodePicture(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(Same(*back, Striped(0x000000, 2)));
}

}  // namespace
}  // namespace barvell::imaging

namespace barvell::imaging {
namespace {

// {557CF401-...}, {557CF402-...}, {557CF405-...}: the JPEG, GIF and TIFF encoders.
constexpr uint8_t kJpegEncoder[16] = {0x01, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                                      0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
constexpr uint8_t kGifEncoder[16] = {0x02, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                                     0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
constexpr uint8_t kTiffEncoder[16] = {0x05, 0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11,
                                      0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};

// Rows A A B A C, 43 pixels wide (no multiple of 4), in three colours.
gfx::Bitmap Patterned(int height_scale = 1) {
  gfx::Bitmap b(43, 5 * height_scale, 0xFFFFFF);
  const int pattern[5] = {0, 0, 1, 0, 2};
  for (int y = 0; y < b.Height(); ++y) {
    const int p = pattern[y / height_scale];
    for (int x = p; x < b.Width(); x += 3 + p) b.SetPixel(x, y, p == 2 ? 0x2040C0 : 0x000000);
  }
  return b;
}

class WrittenPictureFormats : public WrittenPicture {
 protected:
  // The bytes the GDI+ stand-in saves of the picture it loads from `file_`.
  std::vector<uint8_t> Saved(const uint8_t* encoder) {
    const Gdiplus g = BoundGdiplus();
    void* image = nullptr;
    EXPECT_EQ(g.load(Utf16(file_).c_str(), &image), 0);
    const std::string copy = Path("copy");
    EXPECT_EQ(g.save(image, Utf16(copy).c_str(), encoder, nullptr), 0);
    g.dispose(image);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadPictureFile(copy, bytes), ReadStatus::kOk);
    return bytes;
  }
};

TEST_F(WrittenPictureFormats, TheRasterBuiltFromTheRowsIsTheFileDecodedFromDisk) {
  // Two sizes one after the other through the reused storage, the second smaller: a raster
  // built for the first must not show through.
  for (int scale : {3, 1}) {
    SCOPED_TRACE(scale);
    const std::vector<uint8_t> file = gfx::EncodeBmp24(Patterned(scale));
    ASSERT_TRUE(Overwrite(file_, file));
    std::shared_ptr<const DecodedPicture> recalled = RecallWrittenPicture(file_);
    ASSERT_NE(recalled, nullptr);
    std::optional<gfx::Bitmap> from_disk = DecodePicture(file);
    ASSERT_TRUE(from_disk);
    EXPECT_TRUE(Same(recalled->Whole(), *from_disk));
    EXPECT_EQ(&recalled->Whole(), &recalled->Whole()) << "built once";
    EXPECT_EQ(recalled->Rows().row_of.size(), size_t(5 * scale));
  }
}

TEST_F(WrittenPictureFormats, EveryEncoderSavesFromMemoryWhatItSavesFromTheFile) {
  const std::vector<uint8_t> file = gfx::EncodeBmp24(Patterned(2));
  for (const uint8_t* encoder : {kPngEncoder, kBmpEncoder, kJpegEncoder, kGifEncoder, kTiffEncoder}) {
    SCOPED_TRACE(int(encoder[0]));
    ASSERT_TRUE(Overwrite(file_, file));
    ASSERT_NE(RecallWrittenPicture(file_), nullptr);
    const std::vector<uint8_t> from_memory = Saved(encoder);
    // The same bytes put there by someone else: loaded from the file.
    Put(file_, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    ASSERT_EQ(RecallWrittenPicture(file_), nullptr);
    EXPECT_EQ(Saved(encoder), from_memory);
    EXPECT_FALSE(from_memory.empty());
  }
}

}  // namespace
}  // namespace barvell::imaging
