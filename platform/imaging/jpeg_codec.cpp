// JPEG through libjpeg. Its errors end in error_exit, which must not return: ours jumps
// back to the call's own recovery point, where the decompressor or compressor is destroyed
// so that nothing leaks. A warning about the compressed data (a file or a scan ending
// early, corrupt codes) means libjpeg made up the missing pixels, so the picture is
// refused, as truncated pictures of the other formats are; only warnings about metadata
// that does not touch the pixels are let pass.
#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

namespace {

// Saved pictures are barcodes: a high quality and no chroma subsampling keep the bar edges
// sharp and the colours true.
constexpr int kJpegQuality = 92;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf recovery;
  bool corrupt = false;
};

// Warnings that leave the decoded pixels as the file means them.
constexpr int kHarmlessWarnings[] = {JWRN_ADOBE_XFORM, JWRN_JFIF_MAJOR, JWRN_BOGUS_ICC};

// Every 8 x 8 block of a component costs at least one bit of Huffman code (its DC
// difference) in the component's first scan, so a file of n bytes holds at most 8 n
// blocks of its smallest component: a header claiming more is refused before the pixels
// are allocated. Arithmetic coding has no such floor; it relies on the size bound and the
// warnings.
bool DataCanHold(const jpeg_decompress_struct& info, size_t file_bytes) {
  if (info.arith_code) return true;
  uint64_t fewest = UINT64_MAX;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& comp = info.comp_info[c];
    fewest = std::min(fewest, uint64_t(comp.width_in_blocks) * comp.height_in_blocks);
  }
  return fewest <= uint64_t(file_bytes) * 8;
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->recovery, 1);
}

void EmitMessage(j_common_ptr info, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  if (level >= 0) return;  // trace messages
  for (int harmless : kHarmlessWarnings) {
    if (err->pub.msg_code == harmless) return;
  }
  err->corrupt = true;
}

void OutputMessage(j_common_ptr) {}

void Install(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
}

// The decoding steps that may jump; kept apart from any object with a destructor, since
// longjmp skips destructors. Pixels go into `rgb` (packed R G B).
bool DecodeInto(jpeg_decompress_struct& info, ErrorManager& err, std::span<const uint8_t> bytes,
                Bytes& rgb, int& width, int& height) {
  if (setjmp(err.recovery) != 0) return false;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!SizeAcceptable(info.image_width, info.image_height)) return false;
  if (!DataCanHold(info, bytes.size()) || err.corrupt) return false;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;
  width = int(info.output_width);
  height = int(info.output_height);
  rgb.resize(size_t(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + size_t(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
    if (err.corrupt) return false;  // the rest would be made up too
  }
  jpeg_finish_decompress(&info);
  return !err.corrupt;
}

// libjpeg-turbo reads our pixels as they lie in memory, 0x00RRGGBB words on a little-endian
// machine being the bytes B G R and a spare: no copy of the picture is made. Other builds
// get each row packed as R G B first.
#if defined(JCS_EXTENSIONS)
constexpr bool kReadsPixelsInPlace = std::endian::native == std::endian::little;
constexpr J_COLOR_SPACE kInPlaceSpace = JCS_EXT_BGRX;
#else
constexpr bool kReadsPixelsInPlace = false;
constexpr J_COLOR_SPACE kInPlaceSpace = JCS_RGB;
#endif
// Rows handed over per call.
constexpr int kRowsPerCall = 16;

// `packed` holds one row of R G B when the pixels are not read in place.
bool EncodeInto(jpeg_compress_struct& info, ErrorManager& err, const gfx::Bitmap& bitmap,
                Bytes& packed, unsigned char*& out, unsigned long& out_size) {
  if (setjmp(err.recovery) != 0) return false;
  jpeg_mem_dest(&info, &out, &out_size);
  info.image_width = JDIMENSION(bitmap.Width());
  info.image_height = JDIMENSION(bitmap.Height());
  info.input_components = kReadsPixelsInPlace ? 4 : 3;
  info.in_color_space = kReadsPixelsInPlace ? kInPlaceSpace : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kJpegQuality, TRUE);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const int y = int(info.next_scanline);
    if (kReadsPixelsInPlace) {
      JSAMPROW rows[kRowsPerCall];
      const int count = std::min(kRowsPerCall, bitmap.Height() - y);
      for (int i = 0; i < count; ++i) {
        rows[i] = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(bitmap.Row(y + i)));
      }
      jpeg_write_scanlines(&info, rows, JDIMENSION(count));
    } else {
      const uint32_t* pixels = bitmap.Row(y);
      for (int x = 0; x < bitmap.Width(); ++x) {
        packed[size_t(x) * 3] = RedOf(pixels[x]);
        packed[size_t(x) * 3 + 1] = GreenOf(pixels[x]);
        packed[size_t(x) * 3 + 2] = BlueOf(pixels[x]);
      }
      JSAMPROW row = packed.data();
      jpeg_write_scanlines(&info, &row, 1);
    }
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

std::optional<gfx::Bitmap> DecodeJpeg(std::span<const uint8_t> bytes) {
  jpeg_decompress_struct info;
  ErrorManager err;
  Install(err);
  info.err = &err.pub;
  jpeg_create_decompress(&info);
  Bytes rgb;
  int width = 0, height = 0;
  bool ok = DecodeInto(info, err, bytes, rgb, width, height);
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;

  gfx::Bitmap bitmap(width, height);
  const uint8_t* p = rgb.data();
  for (int y = 0; y < height; ++y) {
    uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < width; ++x, p += 3) row[x] = Rgb(p[0], p[1], p[2]);
  }
  return bitmap;
}

std::optional<Bytes> EncodeJpeg(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Width() > JPEG_MAX_DIMENSION || bitmap.Height() > JPEG_MAX_DIMENSION) {
    return std::nullopt;
  }
  Bytes packed(kReadsPixelsInPlace ? 0 : size_t(bitmap.Width()) * 3);
  jpeg_compress_struct info;
  ErrorManager err;
  Install(err);
  info.err = &err.pub;
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  bool ok = EncodeInto(info, err, bitmap, packed, out, out_size);
  jpeg_destroy_compress(&info);
  std::optional<Bytes> result;
  if (ok && out != nullptr) result = Bytes(out, out + out_size);
  std::free(out);  // jpeg_mem_dest's buffer is the caller's to free
  return result;
}

}  // namespace barvell::imaging
