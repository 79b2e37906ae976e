// One barcode picture as the main panel draws it with the default settings: a 413 x 236
// bitmap (35 x 20 mm at 300 dpi) filled white, 95 modules of 3 pixels (one rectangle per
// dark module), 13 digits at 26 points, then the 24-bit BMP bytes of the export and their
// reading back.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/gfx/bmp_file.h"
#include "platform/gfx/device.h"

namespace {

using namespace barvell::gfx;

// The modules of 6901234567892.
constexpr const char* kModules =
    "10100010110100111011001100110110111101010001101010100111010100001000100100100011101001101100101";
constexpr const char* kCode = "6901234567892";
constexpr int kLeft = 59, kTop = 59, kModule = 3, kBarBottom = 177, kGuardBottom = 200;

bool IsGuard(int m) { return m < 3 || (m >= 45 && m < 50) || m >= 92; }

void DrawBarcode(Device& dc, const std::shared_ptr<const Font>& font) {
  dc.FillRect({0, 0, 413, 236}, Brush::Solid(0x00FFFFFF));
  const Brush bars = Brush::Solid(0);
  for (int m = 0; m < 95; ++m) {
    if (kModules[m] != '1') continue;
    const int x = kLeft + m * kModule;
    dc.FillRect({x, kTop, x + kModule, IsGuard(m) ? kGuardBottom : kBarBottom}, bars);
  }
  dc.SelectFont(font);
  dc.SetBkMode(BkMode::kTransparent);
  const std::string code = kCode;
  dc.TextOut(kLeft - 30, kBarBottom, code.substr(0, 1));
  for (int d = 1; d < 13; ++d) {
    const int module = d < 7 ? 3 + 7 * (d - 1) : 50 + 7 * (d - 7);
    dc.TextOut(kLeft + module * kModule + 3, kBarBottom, code.substr(d, 1));
  }
}

void BM_GfxBarcodePicture(benchmark::State& state) {
  Bitmap bitmap(413, 236);
  Device dc(bitmap);
  FontRequest request = DefaultGuiFontRequest();
  request.height = HeightFromPoints(26, 96);
  const auto font = Font::Create(request);
  for (auto _ : state) {
    DrawBarcode(dc, font);
    benchmark::DoNotOptimize(bitmap.Data());
  }
}
BENCHMARK(BM_GfxBarcodePicture);

void BM_GfxBarcodeBmpBytes(benchmark::State& state) {
  Bitmap bitmap(413, 236);
  Device dc(bitmap);
  FontRequest request = DefaultGuiFontRequest();
  request.height = HeightFromPoints(26, 96);
  DrawBarcode(dc, Font::Create(request));
  for (auto _ : state) {
    auto bytes = EncodeBmp24(bitmap);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_GfxBarcodeBmpBytes);

}  // namespace

// The export's read-back: the same file decoded onto the bitmap of the one before.
void BM_GfxBarcodeBmpDecode(benchmark::State& state) {
  Bitmap bitmap(413, 236);
  Device dc(bitmap);
  FontRequest request = DefaultGuiFontRequest();
  request.height = HeightFromPoints(26, 96);
  DrawBarcode(dc, Font::Create(request));
  const auto bytes = EncodeBmp24(bitmap);
  Bitmap target;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBmpOnto(bytes, target));
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(BM_GfxBarcodeBmpDecode);
