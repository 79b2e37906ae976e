// GIF through giflib, from and to memory. Reading takes the first frame only, laid on a
// canvas of the logical screen's size in the background colour; its transparent colour
// shows the background. Writing uses an exact palette when the picture has at most 256
// colours (barcodes have two) and otherwise a fixed 6 x 7 x 6 colour cube.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

namespace {

struct Reader {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* r = static_cast<Reader*>(gif->UserData);
  size_t n = std::min(size_t(std::max(wanted, 0)), r->bytes.size() - r->at);
  std::memcpy(out, r->bytes.data() + r->at, n);
  r->at += n;
  return int(n);
}

int WriteToMemory(GifFileType* gif, const GifByteType* in, int length) {
  static_cast<Bytes*>(gif->UserData)->insert(static_cast<Bytes*>(gif->UserData)->end(), in,
                                             in + std::max(length, 0));
  return length;
}

constexpr int kCubeRed = 6, kCubeGreen = 7, kCubeBlue = 6;

int CubeLevel(uint8_t v, int levels) { return (v * (levels - 1) + 127) / 255; }
uint8_t CubeValue(int level, int levels) { return uint8_t(level * 255 / (levels - 1)); }

// Palette size rounded up to the power of two a GIF colour table needs (at least 2).
int TableSize(size_t colours) {
  int size = 2;
  while (size_t(size) < colours) size *= 2;
  return size;
}

}  // namespace

std::optional<gfx::Bitmap> DecodeGif(std::span<const uint8_t> bytes, uint32_t background_rgb) {
  Reader reader{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (gif == nullptr) return std::nullopt;
  std::optional<gfx::Bitmap> result;
  // The screen size is checked before DGifSlurp takes memory for the frames.
  if (SizeAcceptable(gif->SWidth, gif->SHeight) && DGifSlurp(gif) == GIF_OK &&
      gif->ImageCount > 0) {
    const SavedImage& frame = gif->SavedImages[0];
    const GifImageDesc& d = frame.ImageDesc;
    const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &gcb);
    if (map != nullptr && d.Width > 0 && d.Height > 0 && frame.RasterBits != nullptr) {
      gfx::Bitmap bitmap(gif->SWidth, gif->SHeight, background_rgb);
      bool ok = true;
      for (int y = 0; y < d.Height && ok; ++y) {
        for (int x = 0; x < d.Width; ++x) {
          int index = frame.RasterBits[size_t(y) * d.Width + x];
          if (index == gcb.TransparentColor) continue;
          if (index >= map->ColorCount) {
            ok = false;
            break;
          }
          const GifColorType& c = map->Colors[index];
          bitmap.SetPixel(d.Left + x, d.Top + y, Rgb(c.Red, c.Green, c.Blue));  // clips
        }
      }
      if (ok) result = std::move(bitmap);
    }
  }
  DGifCloseFile(gif, &error);
  return result;
}

std::optional<Bytes> EncodeGif(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Width() > 0xFFFF || bitmap.Height() > 0xFFFF) return std::nullopt;

  // Exact palette while the picture has few enough colours.
  std::map<uint32_t, int> exact;
  for (int y = 0; y < bitmap.Height() && exact.size() <= 256; ++y) {
    const uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width() && exact.size() <= 256; ++x) exact.emplace(row[x], 0);
  }
  bool use_exact = exact.size() <= 256;
  std::vector<uint32_t> colours;
  if (use_exact) {
    for (auto& [rgb, index] : exact) {
      index = int(colours.size());
      colours.push_back(rgb);
    }
  } else {
    for (int r = 0; r < kCubeRed; ++r)
      for (int g = 0; g < kCubeGreen; ++g)
        for (int b = 0; b < kCubeBlue; ++b)
          colours.push_back(Rgb(CubeValue(r, kCubeRed), CubeValue(g, kCubeGreen),
                                CubeValue(b, kCubeBlue)));
  }
  auto index_of = [&](uint32_t rgb) -> GifPixelType {
    if (use_exact) return GifPixelType(exact.at(rgb));
    return GifPixelType((CubeLevel(RedOf(rgb), kCubeRed) * kCubeGreen + CubeLevel(GreenOf(rgb), kCubeGreen)) *
                            kCubeBlue +
                        CubeLevel(BlueOf(rgb), kCubeBlue));
  };

  int table = TableSize(colours.size());
  ColorMapObject* map = GifMakeMapObject(table, nullptr);
  if (map == nullptr) return std::nullopt;
  for (int i = 0; i < table; ++i) {
    uint32_t rgb = size_t(i) < colours.size() ? colours[size_t(i)] : 0;
    map->Colors[i] = {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
  }

  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToMemory, &error);
  if (gif == nullptr) {
    GifFreeMapObject(map);
    return std::nullopt;
  }
  bool ok = EGifPutScreenDesc(gif, bitmap.Width(), bitmap.Height(), map->BitsPerPixel, 0, map) ==
                GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(size_t(bitmap.Width()));
  for (int y = 0; ok && y < bitmap.Height(); ++y) {
    const uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) line[size_t(x)] = index_of(row[x]);
    ok = EGifPutLine(gif, line.data(), bitmap.Width()) == GIF_OK;
  }
  // Closing writes the trailer and frees the file, whether or not the picture went out.
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace barvell::imaging
