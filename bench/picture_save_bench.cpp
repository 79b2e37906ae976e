// The export's encoding of one barcode picture per code, in each format of the save combo:
// a 413 x 236 two-colour bitmap of bars and a band of digit-like rows, encoded into one
// buffer kept across pictures, as the GDI+ stand-in does in a batch; and the batch's own
// path: the temporary BMP file read as its distinct rows, and PNG and BMP saved from them.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bmp_file.h"
#include "platform/imaging/decoded_picture.h"
#include "platform/imaging/encode.h"

namespace {

using namespace barvell;

// The modules of 6901234567892.
constexpr const char* kModules =
    "10100010110100111011001100110110111101010001101010100111010100001000100100100011101001101100101";
constexpr int kLeft = 59, kTop = 59, kModule = 3, kBarBottom = 177, kTextBottom = 200;

gfx::Bitmap Barcode() {
  gfx::Bitmap b(413, 236, 0xFFFFFF);
  for (int y = kTop; y < kTextBottom; ++y) {
    for (int m = 0; m < 95; ++m) {
      if (kModules[m] != '1') continue;
      for (int x = kLeft + m * kModule; x < kLeft + (m + 1) * kModule; ++x) {
        // Below the bars, a row of glyph strokes that changes every other row.
        if (y < kBarBottom || (x * 7 + y / 2 * 3) % 5 == 0) b.SetPixel(x, y, 0);
      }
    }
  }
  return b;
}

void EncodeOneFormat(benchmark::State& state, imaging::PictureFormat format) {
  const gfx::Bitmap picture = Barcode();
  std::vector<uint8_t> out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(imaging::EncodePictureInto(picture, format, out));
  }
  state.counters["bytes"] = double(out.size());
}

void BM_SavePng(benchmark::State& state) { EncodeOneFormat(state, imaging::PictureFormat::kPng); }
void BM_SaveJpeg(benchmark::State& state) { EncodeOneFormat(state, imaging::PictureFormat::kJpeg); }
void BM_SaveBmp(benchmark::State& state) { EncodeOneFormat(state, imaging::PictureFormat::kBmp); }
BENCHMARK(BM_SavePng);
BENCHMARK(BM_SaveJpeg);
BENCHMARK(BM_SaveBmp);

// The temporary file read over the last picture's rows, as the memo of written pictures does.
void BM_ReadBmpRows(benchmark::State& state) {
  const std::vector<uint8_t> file = gfx::EncodeBmp24(Barcode());
  imaging::DecodedPicture picture;
  for (auto _ : state) benchmark::DoNotOptimize(picture.AssignBmp24(file));
  state.counters["rows"] = double(picture.Rows().row_of.back() + 1);
}

void SaveFromRows(benchmark::State& state, imaging::PictureFormat format) {
  imaging::DecodedPicture picture;
  picture.AssignBmp24(gfx::EncodeBmp24(Barcode()));
  std::vector<uint8_t> out;
  for (auto _ : state) benchmark::DoNotOptimize(imaging::EncodePictureInto(picture, format, out));
  state.counters["bytes"] = double(out.size());
}

void BM_SavePngFromRows(benchmark::State& state) { SaveFromRows(state, imaging::PictureFormat::kPng); }
void BM_SaveBmpFromRows(benchmark::State& state) { SaveFromRows(state, imaging::PictureFormat::kBmp); }
BENCHMARK(BM_ReadBmpRows);
BENCHMARK(BM_SavePngFromRows);
BENCHMARK(BM_SaveBmpFromRows);

}  // namespace
