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

  // A code as it goes out: its bits lowest first, `count` of them.
  struct Code {
    uint32_t bits;
    int count;
  };

 private:
  // Up to 31 bits.
  void PutBits(uint32_t bits, int count) {
    pending_ |= uint64_t(bits) << pending_count_;
    pending_count_ += count;
    if (pending_count_ >= 32) PutPendingWord();
  }
  void PutPendingWord() {
    // Lowest byte first; stores the compiler joins into one where words are little-endian.
    uint8_t* at = staged_ + staged_count_;
    at[0] = uint8_t(pending_);
    at[1] = uint8_t(pending_ >> 8);
    at[2] = uint8_t(pending_ >> 16);
    at[3] = uint8_t(pending_ >> 24);
    staged_count_ += 4;
    if (staged_count_ == sizeof staged_) FlushStaged();
    pending_ >>= 32;
    pending_count_ -= 32;
  }
  void FlushStaged();
  void PutLiteral(uint8_t byte);
  // A back-reference of `length` bytes (any length from 3) `to` bytes back (its code).
  void PutMatch(size_t length, Code to);
  // The checksum carried over the last scanline `times` more times.
  void ChecksumLastScanline(size_t times);

  size_t stride_;
  std::vector<uint8_t>& out_;
  // Per byte of the scanline being put, a bit: like the byte above it, and like the byte
  // after it; a zero word past the end stops every run.
  std::vector<uint64_t> like_above_;
  std::vector<uint64_t> like_next_;
  uint64_t pending_ = 0;  // bits not yet out, lowest first
  int pending_count_ = 0;
  // Whole words of the stream not yet appended to `out_`: one block append every so often
  // instead of four appends, each with its capacity check, a word.
  uint8_t staged_[256];
  size_t staged_count_ = 0;
  Code one_back_;  // the distance codes of the two back-references used
  Code row_back_;
  // The Adler-32 checksum so far, its two sums; and the last scanline's own sums (its
  // bytes', and each byte's times the number of bytes from it to the end), for repeats.
  uint32_t sum_ = 1;
  uint32_t running_sum_ = 0;
  uint32_t last_sum_ = 0;
  uint32_t last_weighted_sum_ = 0;
  uint8_t last_short_[2] = {};  // its first bytes, all of a two-byte scanline
};

}  // namespace barvell::imaging
