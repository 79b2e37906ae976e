// TIFF through libtiff over an in-memory client, so that reading and writing never touch
// the file system. libtiff's messages go to handlers of the handle that drop them: a bad
// file is refused by the result of the call, not reported on the terminal.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

namespace {

// A growable file in memory; reading past the end gives short reads.
struct MemoryFile {
  Bytes data;
  size_t position = 0;
};

tmsize_t Read(thandle_t h, void* buffer, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(h);
  if (size < 0 || f->position >= f->data.size()) return 0;
  size_t n = std::min(size_t(size), f->data.size() - f->position);
  std::memcpy(buffer, f->data.data() + f->position, n);
  f->position += n;
  return tmsize_t(n);
}

tmsize_t Write(thandle_t h, void* buffer, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(h);
  if (size < 0) return -1;
  size_t end = f->position + size_t(size);
  if (end > f->data.size()) f->data.resize(end);
  std::memcpy(f->data.data() + f->position, buffer, size_t(size));
  f->position = end;
  return size;
}

toff_t Seek(thandle_t h, toff_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(h);
  uint64_t base = whence == SEEK_CUR ? f->position : whence == SEEK_END ? f->data.size() : 0;
  uint64_t target = base + offset;
  if (target > uint64_t(kMaxPixels) * 16) return toff_t(-1);  // far beyond any picture of ours
  f->position = size_t(target);
  return target;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return static_cast<MemoryFile*>(h)->data.size(); }
int Map(thandle_t, void**, toff_t*) { return 0; }
void Unmap(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

TIFF* Open(MemoryFile& file, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (options == nullptr) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, Quiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(kMaxPixels) * 4);
  // "m": no memory mapping, the client cannot map.
  std::string flags = std::string(mode) + "m";
  TIFF* tif = TIFFClientOpenExt("memory", flags.c_str(), &file, Read, Write, Seek, Close, Size,
                                Map, Unmap, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

}  // namespace

std::optional<gfx::Bitmap> DecodeTiff(std::span<const uint8_t> bytes, uint32_t background_rgb) {
  MemoryFile file{Bytes(bytes.begin(), bytes.end())};
  TIFF* tif = Open(file, "r");
  if (tif == nullptr) return std::nullopt;
  uint32_t width = 0, height = 0;
  std::optional<gfx::Bitmap> result;
  if (TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) == 1 &&
      TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) == 1 && SizeAcceptable(width, height)) {
    std::vector<uint32_t> raster(size_t(width) * height);
    // Stop on the first error: a truncated strip must fail the picture, not leave holes.
    if (TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 1) == 1) {
      gfx::Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
      const uint32_t* p = raster.data();
      for (uint32_t y = 0; y < height; ++y) {
        uint32_t* row = bitmap.Row(int(y));
        for (uint32_t x = 0; x < width; ++x, ++p) {
          row[x] = Composite(uint8_t(TIFFGetR(*p)), uint8_t(TIFFGetG(*p)), uint8_t(TIFFGetB(*p)),
                             uint8_t(TIFFGetA(*p)), background_rgb);
        }
      }
      result = std::move(bitmap);
    }
  }
  TIFFClose(tif);
  return result;
}

std::optional<Bytes> EncodeTiff(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty()) return std::nullopt;
  MemoryFile file;
  TIFF* tif = Open(file, "w");
  if (tif == nullptr) return std::nullopt;
  uint32_t width = uint32_t(bitmap.Width());
  bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) == 1 &&
            TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(bitmap.Height())) == 1 &&
            TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) == 1 &&
            TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) == 1 &&
            TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) == 1 &&
            TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
            TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1 &&
            TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW) == 1 &&
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0)) == 1;
  std::vector<uint8_t> line(size_t(width) * 3);
  for (int y = 0; ok && y < bitmap.Height(); ++y) {
    const uint32_t* row = bitmap.Row(y);
    for (uint32_t x = 0; x < width; ++x) {
      line[x * 3] = RedOf(row[x]);
      line[x * 3 + 1] = GreenOf(row[x]);
      line[x * 3 + 2] = BlueOf(row[x]);
    }
    ok = TIFFWriteScanline(tif, line.data(), uint32_t(y), 0) == 1;
  }
  ok = ok && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  if (!ok) return std::nullopt;
  return std::move(file.data);
}

}  // namespace barvell::imaging
