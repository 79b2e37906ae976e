// The per-format codecs behind DecodePicture and EncodePicture. Decoders return an empty
// optional on anything malformed, truncated or too large; encoders on any library failure.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bmp_rows.h"

namespace barvell::imaging {

using Bytes = std::vector<uint8_t>;

std::optional<gfx::Bitmap> DecodePng(std::span<const uint8_t> bytes, uint32_t background_rgb);
std::optional<gfx::Bitmap> DecodeJpeg(std::span<const uint8_t> bytes);
std::optional<gfx::Bitmap> DecodeBmp(std::span<const uint8_t> bytes);
std::optional<gfx::Bitmap> DecodeGif(std::span<const uint8_t> bytes, uint32_t background_rgb);
std::optional<gfx::Bitmap> DecodeTiff(std::span<const uint8_t> bytes, uint32_t background_rgb);

// The batch's formats write into `out`, replacing what it held but keeping its storage: a
// run of pictures of one size then neither allocates nor clears a buffer per picture.
// They read the picture by rows, converting a row that repeats the one above only once.
bool EncodePng(const gfx::MappedRows& picture, Bytes& out);
std::optional<Bytes> EncodeJpeg(const gfx::Bitmap& bitmap);
bool EncodeBmp(const gfx::MappedRows& picture, Bytes& out);
std::optional<Bytes> EncodeGif(const gfx::Bitmap& bitmap);
std::optional<Bytes> EncodeTiff(const gfx::Bitmap& bitmap);

// `rgb` with coverage `alpha` (0..255) laid over `background_rgb`, both 0x00RRGGBB.
uint32_t Composite(uint8_t r, uint8_t g, uint8_t b, uint8_t alpha, uint32_t background_rgb);

// The 8-bit channels of a 0x00RRGGBB pixel.
inline uint8_t RedOf(uint32_t rgb) { return uint8_t(rgb >> 16); }
inline uint8_t GreenOf(uint32_t rgb) { return uint8_t(rgb >> 8); }
inline uint8_t BlueOf(uint32_t rgb) { return uint8_t(rgb); }
inline uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

// The picture as packed 8-bit R, G, B bytes, rows top-down without padding.
Bytes PackedRgb(const gfx::MappedRows& picture);

}  // namespace barvell::imaging
