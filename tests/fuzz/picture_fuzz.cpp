// libFuzzer target: picture decoding, as behind GdipLoadImageFromFile: BMP, PNG, JPEG, GIF
// and TIFF bytes of any shape. A picture is refused or decoded within the raster bounds,
// the same bytes decode to the same pixels every time (no pixel is left unset), a 24-bit
// BMP read as its distinct rows shows the same pixels, and a decoded picture written by a
// lossless encoder decodes back to itself.
#include <cstdint>
#include <set>
#include <span>

#include "platform/gfx/bitmap.h"
#include "platform/imaging/codecs.h"
#include "platform/imaging/decode.h"
#include "platform/imaging/decoded_picture.h"
#include "platform/imaging/encode.h"

namespace {

using namespace barvell;

// Pictures up to this many pixels are also written and read back; larger ones would only
// slow the search down.
constexpr int64_t kRoundTripPixels = 16384;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Row(y)[x] != b.Row(y)[x]) return false;
    }
  }
  return true;
}

// GIF keeps every colour only while there are at most 256 of them.
bool FitsPalette(const gfx::Bitmap& b) {
  std::set<uint32_t> colours;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width() && colours.size() <= 256; ++x) colours.insert(b.Row(y)[x]);
  }
  return colours.size() <= 256;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  std::optional<gfx::Bitmap> picture = imaging::DecodePicture(bytes);
  // A BMP file a script writes is read as its distinct rows as well: whatever that reader
  // takes, the whole decoder takes too, with the same pixels.
  imaging::DecodedPicture rows;
  if (rows.AssignBmp24(bytes)) Check(picture && SamePixels(rows.Whole(), *picture));
  if (!picture) return 0;
  Check(gfx::WithinBitmapBounds(picture->Width(), picture->Height()));
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x) Check((picture->Row(y)[x] >> 24) == 0);
  }
  std::optional<gfx::Bitmap> again = imaging::DecodePicture(bytes);
  Check(again && SamePixels(*picture, *again));

  if (int64_t(picture->Width()) * picture->Height() > kRoundTripPixels) return 0;
  for (imaging::PictureFormat format : {imaging::PictureFormat::kBmp, imaging::PictureFormat::kPng,
                                        imaging::PictureFormat::kGif, imaging::PictureFormat::kTiff}) {
    if (format == imaging::PictureFormat::kGif && !FitsPalette(*picture)) continue;
    std::optional<std::vector<uint8_t>> written = imaging::EncodePicture(*picture, format);
    Check(written.has_value());
    std::optional<gfx::Bitmap> read = imaging::DecodePicture(*written);
    Check(read && SamePixels(*picture, *read));
  }
  return 0;
}
