// The scanline deflater's streams, inflated by zlib itself (which checks the codes, the
// distances and the checksum), must give back exactly the scanlines that went in.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/imaging/scanline_deflate.h"

namespace barvell::imaging {
namespace {

using Bytes = std::vector<uint8_t>;

// What a picture's rows are: a new scanline, or the last one again `repeats` times.
struct Step {
  Bytes scanline;  // empty for a repeat
  size_t repeats = 0;
};

// Deflates the steps and checks that zlib inflates the stream to their bytes; returns the
// stream's size.
size_t RoundTrip(size_t stride, const std::vector<Step>& steps) {
  Bytes expected;
  Bytes stream;
  ScanlineDeflater deflater(stride, stream);
  const Bytes* above = nullptr;
  for (const Step& step : steps) {
    if (step.scanline.empty()) {
      deflater.RepeatScanline(step.repeats);
      for (size_t t = 0; t < step.repeats; ++t) expected.insert(expected.end(), above->begin(), above->end());
    } else {
      deflater.PutScanline(step.scanline.data(), above ? above->data() : nullptr);
      expected.insert(expected.end(), step.scanline.begin(), step.scanline.end());
      above = &step.scanline;
    }
  }
  deflater.Finish();
  Bytes inflated(expected.size() + 16);
  uLongf length = uLongf(inflated.size());
  EXPECT_EQ(uncompress(inflated.data(), &length, stream.data(), uLong(stream.size())), Z_OK);
  inflated.resize(length);
  EXPECT_EQ(inflated, expected);
  return stream.size();
}

Bytes Random(size_t n, std::mt19937& random) {
  Bytes b(n);
  for (uint8_t& v : b) v = uint8_t(random());
  return b;
}

TEST(ScanlineDeflate, InflatesToTheScanlinesGiven) {
  std::mt19937 random(7);
  // Literals of both code lengths, runs of one byte of every length around a match's
  // limits (3, 258) and repeats of rows whose total crosses them.
  // And strides either side of sixteen and sixty-four bytes, the steps the scanline is
  // compared in.
  for (size_t stride : {size_t{2}, size_t{3}, size_t{15}, size_t{16}, size_t{17}, size_t{53}, size_t{63},
                        size_t{64}, size_t{65}, size_t{128}, size_t{257}, size_t{260}, size_t{1000}}) {
    Bytes noise = Random(stride, random);
    Bytes runs(stride, 0xFF);
    for (size_t i = 0; i < stride; i += 9) runs[i] = uint8_t(i);
    Bytes half_like_noise = noise;
    for (size_t i = stride / 2; i < stride; ++i) half_like_noise[i] ^= 0x5A;
    for (size_t repeats : {size_t{1}, size_t{2}, size_t{4}, size_t{5}, size_t{300}}) {
      SCOPED_TRACE(testing::Message() << "stride " << stride << ", repeats " << repeats);
      RoundTrip(stride, {{noise}, {{}, repeats}, {half_like_noise}, {runs}, {{}, repeats}, {noise}});
    }
  }
}

TEST(ScanlineDeflate, ReachesBackAWholeWindow) {
  std::mt19937 random(11);
  const size_t stride = ScanlineDeflater::kMaxStride;
  Bytes first = Random(stride, random);
  Bytes second = first;
  second[stride / 3] ^= 1;
  RoundTrip(stride, {{first}, {{}, 3}, {second}, {{}, 1}});
}

// A barcode's picture: a few distinct rows and many repeats, which cost about a hundredth
// of their bytes.
TEST(ScanlineDeflate, RepeatedRowsCostAlmostNothing) {
  std::mt19937 random(3);
  const size_t stride = 53;
  Bytes row = Random(stride, random);
  const size_t once = RoundTrip(stride, {{row}});
  EXPECT_LT(RoundTrip(stride, {{row}, {{}, 1000}}), once + 1000 * stride / 100);
}

// A scanline like the one above but for one byte is a stretch back to the row above, the
// byte, and the rest back to the row above: a few bytes wherever the byte is, on either side
// of the steps the scanline is compared in.
TEST(ScanlineDeflate, AStretchLikeTheRowAboveIsOneMatchWhereverItEnds) {
  std::mt19937 random(5);
  for (size_t stride : {size_t{64}, size_t{65}, size_t{150}}) {
    const Bytes row = Random(stride, random);
    const size_t once = RoundTrip(stride, {{row}});
    for (size_t at = 3; at + 3 < stride; ++at) {
      Bytes changed = row;
      changed[at] ^= 0x80;
      SCOPED_TRACE(testing::Message() << "stride " << stride << ", byte " << at);
      EXPECT_LE(RoundTrip(stride, {{row}, {changed}}), once + 8);
    }
  }
}

// Runs of one byte go out as the byte and one match, wherever they start and end.
TEST(ScanlineDeflate, ARunOfOneByteIsOneMatchWhereverItEnds) {
  const size_t stride = 150;
  Bytes zeros(stride, 0);
  const size_t flat = RoundTrip(stride, {{zeros}});
  for (size_t from = 0; from + 8 < stride; from += 7) {
    Bytes stepped = zeros;
    for (size_t i = from; i < stride; ++i) stepped[i] = 0xC3;
    SCOPED_TRACE(from);
    EXPECT_LE(RoundTrip(stride, {{stepped}}), flat + 3);
  }
}

}  // namespace
}  // namespace barvell::imaging
