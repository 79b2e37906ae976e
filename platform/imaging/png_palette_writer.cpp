#include "platform/imaging/png_palette_writer.h"

#include <zlib.h>

#include <cstring>
#include <span>

namespace barvell::imaging {

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kMaxPaletteEntries = 256;
constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourTypePalette = 3;
// A row that repeats the one above goes out "up"-filtered, all zeros, which deflate takes in
// long matches; any other row unfiltered, the usual choice for palette pictures.
constexpr uint8_t kFilterNone = 0;
constexpr uint8_t kFilterUp = 2;
// These pictures are a few distinct rows and runs of zeros: run-length matches alone take
// the runs, at about half the time of the fastest full search, and a barcode's file stays
// under a kilobyte (the distinct rows go out nearly as literals).
constexpr int kCompressionLevel = 1;
constexpr int kStrategy = Z_RLE;

// The smallest bit depth whose indices reach every entry.
struct DepthStep {
  size_t entries;
  int bits;
};
constexpr DepthStep kDepths[] = {{2, 1}, {4, 2}, {16, 4}, {256, 8}};

// The picture's colours, and each row's indices: only rows unlike the row above are
// indexed (in order, one after another), since a repeated row goes out as zeros anyway.
struct Indexed {
  std::vector<uint32_t> palette;
  Bytes distinct_indices;
  std::vector<uint8_t> repeats_above;
};

bool RowRepeats(const gfx::Bitmap& bitmap, int y) {
  return y > 0 &&
         std::memcmp(bitmap.Row(y), bitmap.Row(y - 1), size_t(bitmap.Width()) * 4) == 0;
}

std::optional<Indexed> IndexColours(const gfx::Bitmap& bitmap) {
  const size_t width = size_t(bitmap.Width());
  Indexed out;
  out.repeats_above.resize(size_t(bitmap.Height()));
  size_t distinct = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    out.repeats_above[size_t(y)] = RowRepeats(bitmap, y) ? 1 : 0;
    if (!out.repeats_above[size_t(y)]) ++distinct;
  }
  out.distinct_indices.resize(width * distinct);
  uint8_t* indices = out.distinct_indices.data();
  uint32_t last = 0;
  uint8_t last_index = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    if (out.repeats_above[size_t(y)]) continue;
    const uint32_t* row = bitmap.Row(y);
    for (size_t x = 0; x < width; ++x) {
      uint32_t rgb = row[x] & 0xFFFFFF;
      // Runs of one colour are the rule in a drawn picture: look up only on a change.
      if (rgb != last || out.palette.empty()) {
        size_t i = 0;
        while (i < out.palette.size() && out.palette[i] != rgb) ++i;
        if (i == out.palette.size()) {
          if (i == kMaxPaletteEntries) return std::nullopt;
          out.palette.push_back(rgb);
        }
        last = rgb;
        last_index = uint8_t(i);
      }
      indices[x] = last_index;
    }
    indices += width;
  }
  return out;
}

void PackRow(const uint8_t* indices, size_t width, int bits, uint8_t* out) {
  if (bits == 8) {
    std::memcpy(out, indices, width);
    return;
  }
  const int per_byte = 8 / bits;
  // Whole bytes without a test per index; only the last, partial byte checks the width.
  const size_t whole = width - width % size_t(per_byte);
  size_t x = 0;
  for (; x < whole; x += size_t(per_byte)) {
    uint8_t byte = 0;
    for (int k = 0; k < per_byte; ++k) byte = uint8_t(byte << bits | indices[x + size_t(k)]);
    *out++ = byte;
  }
  for (; x < width; x += size_t(per_byte)) {
    uint8_t byte = 0;
    for (int k = 0; k < per_byte; ++k) {
      uint8_t index = x + size_t(k) < width ? indices[x + size_t(k)] : 0;
      byte = uint8_t(byte | index << (8 - bits * (k + 1)));
    }
    *out++ = byte;
  }
}

void Put32(Bytes& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

// A chunk's CRC covers its type and data, from `type_at` to the end.
void PutChunkEnd(Bytes& out, size_t type_at) {
  uLong crc = crc32(0, out.data() + type_at, uInt(out.size() - type_at));
  Put32(out, uint32_t(crc));
}

void PutChunk(Bytes& out, const char (&type)[5], std::span<const uint8_t> data) {
  Put32(out, uint32_t(data.size()));
  size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutChunkEnd(out, type_at);
}

// One deflate state for the whole run, reset for every picture: a batch then allocates
// and clears zlib's windows and tables once, not once per code.
class Deflater {
 public:
  Deflater() {
    std::memset(&stream_, 0, sizeof stream_);
    ready_ = deflateInit2(&stream_, kCompressionLevel, Z_DEFLATED, MAX_WBITS, MAX_MEM_LEVEL - 1,
                          kStrategy) == Z_OK;
  }
  ~Deflater() {
    if (ready_) deflateEnd(&stream_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Appends the compressed `raw` to `out`, made room for by the worst case and cut back,
  // so the stream is written once, in place, rather than copied in afterwards.
  bool CompressOnto(const Bytes& raw, Bytes& out) {
    if (!ready_ || deflateReset(&stream_) != Z_OK) return false;
    const size_t at = out.size();
    out.resize(at + deflateBound(&stream_, uLong(raw.size())));
    stream_.next_in = const_cast<Bytef*>(raw.data());
    stream_.avail_in = uInt(raw.size());
    stream_.next_out = out.data() + at;
    stream_.avail_out = uInt(out.size() - at);
    if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) return false;
    out.resize(out.size() - stream_.avail_out);
    return true;
  }

 private:
  z_stream stream_;
  bool ready_ = false;
};

}  // namespace

std::optional<Bytes> EncodePalettePng(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty()) return std::nullopt;
  std::optional<Indexed> indexed = IndexColours(bitmap);
  if (!indexed) return std::nullopt;
  int bits = 8;
  for (const DepthStep& d : kDepths) {
    if (indexed->palette.size() <= d.entries) {
      bits = d.bits;
      break;
    }
  }

  const size_t width = size_t(bitmap.Width());
  const size_t row_bytes = (width * size_t(bits) + 7) / 8;
  // Scanlines of a filter byte and the packed row; a repeated row stays all zeros.
  Bytes raw((1 + row_bytes) * size_t(bitmap.Height()), 0);
  const uint8_t* indices = indexed->distinct_indices.data();
  for (size_t y = 0; y < size_t(bitmap.Height()); ++y) {
    uint8_t* line = raw.data() + (1 + row_bytes) * y;
    if (indexed->repeats_above[y]) {
      line[0] = kFilterUp;
      continue;
    }
    line[0] = kFilterNone;
    PackRow(indices, width, bits, line + 1);
    indices += width;
  }

  Bytes header;
  Put32(header, uint32_t(bitmap.Width()));
  Put32(header, uint32_t(bitmap.Height()));
  // Bit depth, colour type, then deflate, adaptive filtering and no interlace (all 0).
  header.insert(header.end(), {uint8_t(bits), kColourTypePalette, 0, 0, 0});
  Bytes palette;
  for (uint32_t rgb : indexed->palette) {
    palette.insert(palette.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
  }

  Bytes out(std::begin(kSignature), std::end(kSignature));
  out.reserve(out.size() + 4 * 12 + header.size() + palette.size() + raw.size() / 8);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "PLTE", palette);
  // The IDAT chunk's length is known only once the data is compressed: a place held for it.
  const size_t length_at = out.size();
  Put32(out, 0);
  const size_t type_at = out.size();
  out.insert(out.end(), {'I', 'D', 'A', 'T'});
  static Deflater deflater;
  if (!deflater.CompressOnto(raw, out)) return std::nullopt;
  const uint32_t length = uint32_t(out.size() - type_at - 4);
  for (int i = 0; i < 4; ++i) out[length_at + size_t(i)] = uint8_t(length >> (24 - 8 * i));
  PutChunkEnd(out, type_at);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace barvell::imaging
