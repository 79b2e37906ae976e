// A BMP file read as its distinct rows: the row map must show every picture row as the
// pixels the whole decode gives, and writing the rows back must give the file's bytes.
#include "platform/gfx/bmp_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/gfx/bmp_file.h"

namespace barvell::gfx {
namespace {

struct Read {
  int width = 0, height = 0;
  std::vector<std::uint32_t> store, row_of;
  bool From(std::span<const std::uint8_t> file) { return ReadBmp24Rows(file, width, height, store, row_of); }
  MappedRows View() const { return MappedRows{width, height, store.data(), row_of}; }
};

// Every picture row through the view is the row the whole decode gives.
void ExpectShowsTheFile(const MappedRows& rows, std::span<const std::uint8_t> file) {
  std::optional<Bitmap> whole = DecodeBmp(file);
  ASSERT_TRUE(whole);
  ASSERT_EQ(rows.width, whole->Width());
  ASSERT_EQ(rows.height, whole->Height());
  for (int y = 0; y < rows.height; ++y) {
    EXPECT_EQ(std::memcmp(rows.Row(y), whole->Row(y), std::size_t(rows.width) * 4), 0) << "row " << y;
  }
}

// Rows of the picture chosen from a few patterns: `pattern[y]` picks row y's.
Bitmap Rows(int width, const std::vector<int>& pattern) {
  Bitmap b(width, int(pattern.size()), 0xFFFFFF);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      if ((x + pattern[std::size_t(y)]) % 3 == 0) b.SetPixel(x, y, 0x102030u * std::uint32_t(pattern[std::size_t(y)] + 1));
    }
  }
  return b;
}

// The same picture as a top-down file: height negated, rows in picture order.
std::vector<std::uint8_t> TopDown(const std::vector<std::uint8_t>& bottom_up, int height) {
  std::vector<std::uint8_t> out = bottom_up;
  const std::size_t stride = (bottom_up.size() - 54) / std::size_t(height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(&out[54 + stride * std::size_t(y)], &bottom_up[54 + stride * std::size_t(height - 1 - y)], stride);
  }
  const std::int32_t negative = -height;
  std::memcpy(&out[22], &negative, 4);
  return out;
}

TEST(GfxBmpRows, EachRowIsComparedWithTheRowAboveOnly) {
  struct Case {
    int width;
    std::vector<int> pattern;
    std::vector<std::uint32_t> row_of;
  };
  const Case cases[] = {
      {5, {0, 0, 1, 0}, {0, 0, 1, 2}},        // an earlier row comes back: stored again
      {7, {1, 2, 2, 2, 0}, {0, 1, 1, 1, 2}},  // first and last rows unlike the rest
      {6, {2}, {0}},                          // one row
      {1, {0, 0, 0}, {0, 0, 0}},              // one pixel wide, all alike
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const std::vector<std::uint8_t> file = EncodeBmp24(Rows(c.width, c.pattern));
    for (const std::vector<std::uint8_t>& f : {file, TopDown(file, int(c.pattern.size()))}) {
      Read r;
      ASSERT_TRUE(r.From(f));
      EXPECT_EQ(r.row_of, c.row_of);
      EXPECT_EQ(r.store.size(), std::size_t(c.width) * (c.row_of.back() + 1)) << "only distinct rows stored";
      ExpectShowsTheFile(r.View(), f);
    }
  }
}

TEST(GfxBmpRows, OnlyPixelBytesAreCompared) {
  // Rows unlike only in the padding of a file written elsewhere decode alike.
  std::vector<std::uint8_t> file = EncodeBmp24(Rows(5, {0, 0, 0}));
  file[54 + 16 + 15] = 0xAB;  // padding of the middle row
  Read r;
  ASSERT_TRUE(r.From(file));
  EXPECT_EQ(r.row_of, (std::vector<std::uint32_t>{0, 0, 0}));
  // A change in the last pixel byte of a row is a change.
  file[54 + 16 + 14] ^= 1;
  ASSERT_TRUE(r.From(file));
  EXPECT_EQ(r.row_of, (std::vector<std::uint32_t>{0, 1, 2}));
  ExpectShowsTheFile(r.View(), file);
}

TEST(GfxBmpRows, EveryWidthUnpacksAndWritesBackByteForByte) {
  for (int width = 1; width <= 13; ++width) {
    SCOPED_TRACE(width);
    Bitmap b(width, 6);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < width; ++x) b.SetPixel(x, y, (std::uint32_t(x * 2654435761u) ^ std::uint32_t(y / 2 * 40503)) & 0xFFFFFF);
    }
    const std::vector<std::uint8_t> file = EncodeBmp24(b);
    Read r;
    ASSERT_TRUE(r.From(file));
    ExpectShowsTheFile(r.View(), file);
    std::vector<std::uint8_t> again(file.size(), 0xEE);
    WriteBmp24Rows(r.View(), again.data());
    EXPECT_EQ(again, file);
    // A bitmap mapped by its own equal rows writes the same file, whatever its top bytes.
    b.Row(3)[0] |= 0x7F000000;
    std::vector<std::uint32_t> row_of;
    std::fill(again.begin(), again.end(), 0xEE);
    WriteBmp24Rows(MapRepeatedRows(b, row_of), again.data());
    EXPECT_EQ(again, file);
  }
}

TEST(GfxBmpRows, StorageIsReusedAndARefusedFileChangesNothing) {
  Read r;
  ASSERT_TRUE(r.From(EncodeBmp24(Rows(40, {0, 1, 2, 3, 4, 5}))));
  const std::uint32_t* storage = r.store.data();
  const std::vector<std::uint8_t> small = EncodeBmp24(Rows(9, {3, 3, 1}));
  ASSERT_TRUE(r.From(small));
  EXPECT_EQ(r.store.data(), storage) << "a smaller picture fits in what there is";
  EXPECT_EQ(r.row_of, (std::vector<std::uint32_t>{0, 0, 1}));
  ExpectShowsTheFile(r.View(), small);

  const Read before = r;
  std::vector<std::uint8_t> cut(small.begin(), small.end() - 1);
  std::vector<std::uint8_t> deep = small;
  deep[28] = 32;  // 32 bits a pixel: the whole decoder's
  std::vector<std::uint8_t> packed = small;
  packed[30] = 1;  // run-length compressed
  std::vector<std::uint8_t> flat = small;
  std::memset(&flat[22], 0, 4);  // no rows
  for (const std::vector<std::uint8_t>& bad : {cut, deep, packed, flat}) {
    EXPECT_FALSE(r.From(bad));
    EXPECT_EQ(r.width, before.width);
    EXPECT_EQ(r.height, before.height);
    EXPECT_EQ(r.row_of, before.row_of);
    EXPECT_EQ(r.store, before.store);
  }
}

}  // namespace
}  // namespace barvell::gfx
