// A zlib stream of a picture's scanlines, compressed by what drawn pictures are made of:
// a scanline that repeats the one before goes out as one back-reference to it, so do the
// stretches of a scanline that repeat the one before, runs of one byte inside a scanline
// as a byte and a back-reference to it, anything else as literals;
// all in one block of the fixed Huffman codes, so that nothing is searched, hashed or
// cleared per picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace barvell::imaging {

class ScanlineDeflater {
 public:
  // Appends the stream to `out`. `stride` (a scanline's bytes, filter byte included) is at
  // most kMaxStride, the farthest a back-reference reaches.
  static constexpr size_t kMaxStride = 32768;
  ScanlineDeflater(size_t stride, std::vector<uint8_t>& out);

  // A scanline of `stride` bytes; `above`, when not null, is the one given before it.
  void PutScanline(const uint8_t* scanline, const uint8_t* above);
  // The last scanline given, `times` more times; there must have been one.
  void RepeatScanline(size_t times);
  // Ends the stream with its checksum.
  void Finish();

 private:
  // Up to 31 bits.
  void PutBits(uint32_t bits, int count) {
    pending_ |= uint64_t(bits) << pending_count_;
    pending_count_ += count;
    if (pending_count_ >= 32) PutPendingWord();
  }
  void PutPendingWord();
  void PutLiteral(uint8_t byte);
  // A back-reference of `length` bytes (any length from 3) to `distance` bytes back.
  void PutMatch(size_t length, size_t distance);

  size_t stride_;
  std::vector<uint8_t>& out_;
  uint64_t pending_ = 0;  // bits not yet out, lowest first
  int pending_count_ = 0;
  uint32_t adler_ = 1;
  uint32_t last_adler_ = 1;  // the last scanline's own checksum, for its repeats
  uint8_t last_short_[2] = {};  // its first bytes, all of a two-byte scanline
};

}  // namespace barvell::imaging
