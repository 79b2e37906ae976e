#include "platform/gfx/bmp_rows.h"

#include <cstring>

#include "platform/gfx/bmp_layout.h"

namespace barvell::gfx {

MappedRows MapRepeatedRows(const Bitmap& bitmap, std::vector<std::uint32_t>& row_of) {
  const int height = bitmap.Height();
  row_of.resize(std::size_t(height));
  const std::size_t row_bytes = std::size_t(bitmap.Width()) * 4;
  std::uint32_t first = 0;
  for (int y = 0; y < height; ++y) {
    if (y > 0 && std::memcmp(bitmap.Row(y), bitmap.Row(y - 1), row_bytes) != 0) first = std::uint32_t(y);
    row_of[std::size_t(y)] = first;
  }
  return MappedRows{bitmap.Width(), height, bitmap.Data(), row_of};
}

bool ReadBmp24Rows(std::span<const std::uint8_t> b, int& width_out, int& height_out,
                   std::vector<std::uint32_t>& store, std::vector<std::uint32_t>& row_of) {
  bmp::Header header;
  if (!bmp::ReadHeader(b, header)) return false;
  if (header.bits_per_pixel != 24 || header.compression != 0) return false;  // BI_RGB only
  const int width = header.width, height = header.height;
  const std::size_t stride = bmp::Stride24(width);
  if (header.offset > b.size() || stride * std::size_t(height) > b.size() - header.offset) return false;

  row_of.resize(std::size_t(height));
  const std::size_t w = std::size_t(width);
  // Only the pixel bytes are compared, not the padding: equal pixel bytes are exactly
  // equal decoded rows.
  const std::size_t compared = 3 * w;
  const std::uint8_t* above = nullptr;
  std::uint32_t stored = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = b.data() + header.offset + stride * static_cast<std::size_t>(header.top_down ? y : height - 1 - y);
    if (above != nullptr && std::memcmp(row, above, compared) == 0) {
      row_of[std::size_t(y)] = stored - 1;
      continue;
    }
    above = row;
    if (store.size() < (std::size_t(stored) + 1) * w) store.resize((std::size_t(stored) + 1) * w);
    bmp::UnpackRow24(row, width, store.data() + std::size_t(stored) * w);
    row_of[std::size_t(y)] = stored++;
  }
  width_out = width;
  height_out = height;
  return true;
}

void WriteBmp24Rows(const MappedRows& picture, std::uint8_t* h) {
  const int width = picture.width, height = picture.height;
  const std::size_t stride = bmp::Stride24(width);
  bmp::WriteHeader24(h, width, height);

  std::uint8_t* pixels = h + bmp::kFileHeaderSize + bmp::kInfoHeaderSize;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels + stride * static_cast<std::size_t>(height - 1 - y);
    bmp::WriteRow24(row, stride, picture.Row(y), width, picture.RepeatsAbove(y));
  }
}

}  // namespace barvell::gfx
