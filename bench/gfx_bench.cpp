// One barcode picture as the main panel draws it: at the default settings a 413 x 236
// bitmap (35 x 20 mm at 300 dpi) filled white, 95 modules of 3 pixels (one rectangle per
// dark module), 13 digits at 26 points; at 600 dpi twice the size with 7-pixel modules.
// Then the 24-bit BMP bytes of the export and their reading back.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gfx/bmp_file.h"
#include "platform/gfx/device.h"
#include "platform/gfx/row_repeats.h"

namespace {

using namespace barvell::gfx;

// The modules of 6901234567892.
constexpr const char* kModules =
    "10100010110100111011001100110110111101010001101010100111010100001000100100100011101001101100101";
constexpr const char* kCode = "6901234567892";

bool IsGuard(int m) { return m < 3 || (m >= 45 && m < 50) || m >= 92; }

// The main panel's layout at 300 dpi (scale 1) or 600 dpi (scale 2: 7-pixel modules).
struct Layout {
  int width, height, left, top, module, barBottom, guardBottom, points;
  int firstDigitBefore, digitShift;  // the first digit's left of the bars, the others' shift
};
constexpr Layout kLayouts[2] = {{413, 236, 59, 59, 3, 177, 200, 26, 30, 3},
                                {826, 472, 118, 118, 7, 354, 400, 52, 60, 6}};

std::shared_ptr<const Font> FontFor(const Layout& l) {
  FontRequest request = DefaultGuiFontRequest();
  request.height = HeightFromPoints(l.points, 96);
  return Font::Create(request);
}

void DrawBarcode(Device& dc, const Layout& l, const std::shared_ptr<const Font>& font) {
  dc.FillRect({0, 0, l.width, l.height}, Brush::Solid(0x00FFFFFF));
  const Brush bars = Brush::Solid(0);
  for (int m = 0; m < 95; ++m) {
    if (kModules[m] != '1') continue;
    const int x = l.left + m * l.module;
    dc.FillRect({x, l.top, x + l.module, IsGuard(m) ? l.guardBottom : l.barBottom}, bars);
  }
  dc.SelectFont(font);
  dc.SetBkMode(BkMode::kTransparent);
  const std::string code = kCode;
  dc.TextOut(l.left - l.firstDigitBefore, l.barBottom, code.substr(0, 1));
  for (int d = 1; d < 13; ++d) {
    const int module = d < 7 ? 3 + 7 * (d - 1) : 50 + 7 * (d - 7);
    dc.TextOut(l.left + module * l.module + l.digitShift, l.barBottom, code.substr(d, 1));
  }
}

// Drawing only, into one bitmap: the fill, the bars, the digits.
void BM_GfxBarcodePicture(benchmark::State& state) {
  const Layout& l = kLayouts[state.range(0)];
  Bitmap bitmap(l.width, l.height);
  Device dc(bitmap);
  const auto font = FontFor(l);
  for (auto _ : state) {
    DrawBarcode(dc, l, font);
    benchmark::DoNotOptimize(bitmap.Data());
  }
}
BENCHMARK(BM_GfxBarcodePicture)->Arg(0)->Arg(1);

// A panel's code: drawn on its off-screen copy (keeping what is known of its rows), which
// its face shows, then the BMP of the copy written with that knowledge.
void BM_GfxPanelCode(benchmark::State& state) {
  const Layout& l = kLayouts[state.range(0)];
  Bitmap offscreen(l.width, l.height);
  RowRepeats rows;
  const auto font = FontFor(l);
  std::vector<std::uint8_t> bmp(Bmp24FileSize(l.width, l.height));
  for (auto _ : state) {
    rows.AllAlike(l.height);
    Device off(offscreen);
    off.TrackRows(&rows);
    DrawBarcode(off, l, font);
    WriteBmp24(offscreen, l.width, l.height, bmp.data(), rows.Flags());
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_GfxPanelCode)->Arg(0)->Arg(1);

void BM_GfxBarcodeBmpBytes(benchmark::State& state) {
  const Layout& l = kLayouts[0];
  Bitmap bitmap(l.width, l.height);
  Device dc(bitmap);
  DrawBarcode(dc, l, FontFor(l));
  for (auto _ : state) {
    auto bytes = EncodeBmp24(bitmap);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_GfxBarcodeBmpBytes);

}  // namespace

// The export's read-back: the same file decoded onto the bitmap of the one before.
void BM_GfxBarcodeBmpDecode(benchmark::State& state) {
  const Layout& l = kLayouts[0];
  Bitmap bitmap(l.width, l.height);
  Device dc(bitmap);
  DrawBarcode(dc, l, FontFor(l));
  const auto bytes = EncodeBmp24(bitmap);
  Bitmap target;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBmpOnto(bytes, target));
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(BM_GfxBarcodeBmpDecode);
