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

// Reads records up to the first image and decodes it. Record by record rather than all
// at once, so that a frame's size is checked before its pixels take memory and the frames
// after the first are never read.
std::optional<gfx::Bitmap> FirstFrame(GifFileType* gif, uint32_t background_rgb) {
  if (!SizeAcceptable(gif->SWidth, gif->SHeight)) return std::nullopt;
  int transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) != GIF_OK) return std::nullopt;
    if (type == TERMINATE_RECORD_TYPE) return std::nullopt;  // no image at all
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) != GIF_OK) return std::nullopt;
      if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
        GraphicsControlBlock gcb{};
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return std::nullopt;
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif) != GIF_OK) return std::nullopt;
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
    if (map == nullptr || !SizeAcceptable(d.Width, d.Height)) return std::nullopt;
    std::vector<GifPixelType> pixels(size_t(d.Width) * d.Height);
    // Interlaced pictures store every 8th row from 0, every 8th from 4, every 4th from 2,
    // then every 2nd from 1.
    constexpr int kPassStart[] = {0, 4, 2, 1};
    constexpr int kPassStep[] = {8, 8, 4, 2};
    int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      int first = d.Interlace ? kPassStart[pass] : 0, step = d.Interlace ? kPassStep[pass] : 1;
      for (int y = first; y < d.Height; y += step) {
        if (DGifGetLine(gif, pixels.data() + size_t(y) * d.Width, d.Width) != GIF_OK) {
          return std::nullopt;
        }
      }
    }
    gfx::Bitmap bitmap(gif->SWidth, gif->SHeight, background_rgb);
    for (int y = 0; y < d.Height; ++y) {
      for (int x = 0; x < d.Width; ++x) {
        int index = pixels[size_t(y) * d.Width + x];
        if (index == transparent) continue;
        if (index >= map->ColorCount) return std::nullopt;
        const GifColorType& c = map->Colors[index];
        bitmap.SetPixel(d.Left + x, d.Top + y, Rgb(c.Red, c.Green, c.Blue));  // clips
      }
    }
    return bitmap;
  }
}

}  // namespace

std::optional<gfx::Bitmap> DecodeGif(std::span<const uint8_t> bytes, uint32_t background_rgb) {
  Reader reader{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (gif == nullptr) return std::nullopt;
  std::optional<gfx::Bitmap> result = FirstFrame(gif, background_rgb);
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
