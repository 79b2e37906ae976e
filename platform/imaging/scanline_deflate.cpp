#include "platform/imaging/scanline_deflate.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <bit>
#include <cstring>

namespace barvell::imaging {

namespace {

// Deflate with a 32 KiB window, and the flag byte's check bits (the pair is a multiple of
// 31); "fastest" is the level it declares, which decoders ignore.
constexpr uint8_t kZlibHeader[] = {0x78, 0x01};
// The last block, of the fixed codes (its type 1 after the last-block bit).
constexpr uint32_t kFinalFixedBlock = 0b011;
constexpr int kBlockHeaderBits = 3;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;

// Huffman codes are sent from their top bit, so they are stored reversed, with any extra
// bits above them.
using Code = ScanlineDeflater::Code;

// Adler-32's modulus.
constexpr uint32_t kAdlerBase = 65521;

constexpr uint32_t Reversed(uint32_t code, int count) {
  uint32_t r = 0;
  for (int i = 0; i < count; ++i) r = r << 1 | (code >> i & 1);
  return r;
}

// The fixed literal/length code of a symbol 0..287.
constexpr Code FixedSymbol(uint32_t symbol) {
  if (symbol < 144) return {Reversed(0x30 + symbol, 8), 8};
  if (symbol < 256) return {Reversed(0x190 + symbol - 144, 9), 9};
  if (symbol < 280) return {Reversed(symbol - 256, 7), 7};
  return {Reversed(0xC0 + symbol - 280, 8), 8};
}

constexpr uint16_t kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[] = {1,    2,    3,    4,    5,    7,     9,     13,    17,   25,
                                      33,   49,   65,   97,   129,  193,   257,   385,   513,  769,
                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr std::array<Code, 256> kLiteralCodes = [] {
  std::array<Code, 256> codes{};
  for (uint32_t b = 0; b < 256; ++b) codes[b] = FixedSymbol(b);
  return codes;
}();

// Each match length's symbol with its extra bits, indexed by the length.
constexpr std::array<Code, kMaxMatch + 1> kLengthCodes = [] {
  std::array<Code, kMaxMatch + 1> codes{};
  size_t i = 0;
  for (size_t length = kMinMatch; length <= kMaxMatch; ++length) {
    while (i + 1 < std::size(kLengthBase) && kLengthBase[i + 1] <= length) ++i;
    Code symbol = FixedSymbol(257 + uint32_t(i));
    codes[length] = {symbol.bits | uint32_t(length - kLengthBase[i]) << symbol.count,
                     symbol.count + kLengthExtra[i]};
  }
  return codes;
}();

// A distance's five-bit code with its extra bits.
Code DistanceCode(size_t distance) {
  size_t i = 0;
  while (i + 1 < std::size(kDistanceBase) && kDistanceBase[i + 1] <= distance) ++i;
  return {Reversed(uint32_t(i), 5) | uint32_t(distance - kDistanceBase[i]) << 5, 5 + kDistanceExtra[i]};
}

// Bit j of `bits` set where a[j] == b[j], for j below n, and clear from n on; `bits` holds
// n / 64 + 1 words.
void MarkEqualBytes(const uint8_t* a, const uint8_t* b, size_t n, uint64_t* bits) {
  size_t j = 0;
  uint64_t word = 0;
#if defined(__SSE2__)
  const auto equal16 = [&](size_t at) {
    return uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at)),
                                                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at))))));
  };
  for (; j + 16 <= n; j += 16) {
    // Sixteen bits never straddle a word: j is a multiple of 16.
    word |= equal16(j) << (j % 64);
    if (j % 64 == 48) {
      bits[j / 64] = word;
      word = 0;
    }
  }
  if (j < n && n >= 16) {
    // The last few bytes as the top of sixteen ending at the last byte.
    word |= equal16(n - 16) >> (16 - (n - j)) << (j % 64);
    j = n;
  }
#endif
  for (; j < n; ++j) {
    word |= uint64_t(a[j] == b[j]) << (j % 64);
    if (j % 64 == 63) {
      bits[j / 64] = word;
      word = 0;
    }
  }
  // The word holding bit n, nothing at or above it; past a whole last word, zeros.
  bits[n / 64] = word;
}

// How many set bits follow on from bit `i`, past the word it is in.
[[gnu::noinline]] size_t OnesPastTheWord(const uint64_t* bits, size_t i) {
  size_t count = 64 - i % 64;
  for (size_t w = i / 64 + 1;; ++w, count += 64) {
    const uint64_t clear = ~bits[w];
    if (clear != 0) return count + size_t(std::countr_zero(clear));
  }
}

// How many set bits follow on from bit `i`; there is a clear one further on.
inline size_t OnesFrom(const uint64_t* bits, size_t i) {
  // The bits shifted in from the top are clear in `clear`, so its lowest set bit, when it
  // has one, is the first clear bit of the word at or after i.
  const uint64_t clear = ~bits[i / 64] >> (i % 64);
  if (clear != 0) return size_t(std::countr_zero(clear));
  return OnesPastTheWord(bits, i);
}

// A scanline's own Adler-32 sums: its bytes' sum, and each byte times the number of bytes
// from it to the end, both below the modulus. Sixteen bytes at a time where there are
// vectors: one sum of absolute differences for their sum and multiply-adds for the weights.
void ScanlineSums(const uint8_t* p, size_t n, uint32_t& sum_out, uint32_t& weighted_out) {
  uint64_t sum = 0, weighted = 0;
  size_t j = 0;
#if defined(__SSE2__)
  const size_t whole = n - n % 16;
  if (whole > 0) {
    // Block m of M: its bytes weigh (n - whole) + 16 (M - 1 - m) + (16 - t) at offset t,
    // the middle term summed as each block's predecessors' sums once more per block.
    const __m128i zero = _mm_setzero_si128();
    const __m128i low_weights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i high_weights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    __m128i sums = zero, before = zero, inner = zero;
    for (; j < whole; j += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + j));
      before = _mm_add_epi64(before, sums);
      sums = _mm_add_epi64(sums, _mm_sad_epu8(bytes, zero));
      inner = _mm_add_epi32(inner, _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), low_weights),
                                                 _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), high_weights)));
    }
    alignas(16) uint64_t s[2], b[2];
    alignas(16) uint32_t w[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(s), sums);
    _mm_store_si128(reinterpret_cast<__m128i*>(b), before);
    _mm_store_si128(reinterpret_cast<__m128i*>(w), inner);
    sum = s[0] + s[1];
    weighted = (n - whole) * sum + 16 * (b[0] + b[1]) + uint64_t(w[0]) + w[1] + w[2] + w[3];
  }
#endif
  for (; j < n; ++j) {
    sum += p[j];
    weighted += uint64_t(n - j) * p[j];
  }
  sum_out = uint32_t(sum % kAdlerBase);
  weighted_out = uint32_t(weighted % kAdlerBase);
}

}  // namespace

ScanlineDeflater::ScanlineDeflater(size_t stride, std::vector<uint8_t>& out)
    : stride_(stride),
      out_(out),
      like_above_(stride / 64 + 1),
      like_next_(stride / 64 + 1),
      one_back_(DistanceCode(1)),
      row_back_(DistanceCode(stride)) {
  out_.insert(out_.end(), std::begin(kZlibHeader), std::end(kZlibHeader));
  PutBits(kFinalFixedBlock, kBlockHeaderBits);
}

void ScanlineDeflater::FlushStaged() {
  out_.insert(out_.end(), staged_, staged_ + staged_count_);
  staged_count_ = 0;
}

void ScanlineDeflater::PutLiteral(uint8_t byte) { PutBits(kLiteralCodes[byte].bits, kLiteralCodes[byte].count); }

void ScanlineDeflater::PutMatch(size_t length, Code to) {
  while (length > 0) {
    // The last piece must still be a match: never leave 1 or 2 bytes over.
    size_t piece = length;
    if (piece > kMaxMatch) piece = length - kMaxMatch < kMinMatch ? length - kMinMatch : kMaxMatch;
    PutBits(kLengthCodes[piece].bits, kLengthCodes[piece].count);
    PutBits(to.bits, to.count);
    length -= piece;
  }
}

void ScanlineDeflater::PutScanline(const uint8_t* scanline, const uint8_t* above) {
  // Every stretch and run is read off two bit masks made once for the scanline.
  if (above != nullptr) MarkEqualBytes(scanline, above, stride_, like_above_.data());
  MarkEqualBytes(scanline, scanline + 1, stride_ - 1, like_next_.data());
  for (size_t i = 0; i < stride_;) {
    // Greedy: the stretch like the row above first (text rows keep the bars beside them),
    // then a run of one byte.
    if (above != nullptr) {
      const size_t same = OnesFrom(like_above_.data(), i);
      if (same >= kMinMatch) {
        PutMatch(same, row_back_);
        i += same;
        continue;
      }
    }
    const uint8_t byte = scanline[i];
    const size_t run = 1 + OnesFrom(like_next_.data(), i);
    PutLiteral(byte);
    if (run - 1 >= kMinMatch) {
      PutMatch(run - 1, one_back_);
    } else {
      for (size_t k = 1; k < run; ++k) PutLiteral(byte);
    }
    i += run;
  }
  ScanlineSums(scanline, stride_, last_sum_, last_weighted_sum_);
  ChecksumLastScanline(1);
  last_short_[0] = scanline[0];
  if (stride_ > 1) last_short_[1] = scanline[1];
}

void ScanlineDeflater::RepeatScanline(size_t times) {
  if (times == 0) return;
  const size_t length = times * stride_;
  if (length >= kMinMatch) {
    PutMatch(length, row_back_);
  } else {
    // Too short for a match: one repeat of a two-byte scanline.
    for (size_t i = 0; i < length; ++i) PutLiteral(last_short_[i % stride_]);
  }
  ChecksumLastScanline(times);
}

// Appending n bytes to checksummed data adds their sum S to the first sum a, and to the
// second n a plus their weighted sum W. Appending them k times over: k S to the first, and
// k n a + n S (0 + 1 + ... + k-1) + k W to the second.
void ScanlineDeflater::ChecksumLastScanline(size_t times) {
  if (times == 1) {
    // The common step, a new scanline: the same sums without the pairs.
    running_sum_ = uint32_t((running_sum_ + uint64_t(stride_ % kAdlerBase) * sum_ + last_weighted_sum_) % kAdlerBase);
    sum_ = (sum_ + last_sum_) % kAdlerBase;
    return;
  }
  const uint64_t k = times % kAdlerBase;
  // k (k - 1) / 2, halving whichever factor is even so that no product overflows.
  const uint64_t pairs = times % 2 == 0 ? (times / 2 % kAdlerBase) * ((times - 1) % kAdlerBase)
                                        : (times % kAdlerBase) * ((times - 1) / 2 % kAdlerBase);
  const uint64_t n = stride_ % kAdlerBase;
  uint64_t running = running_sum_;
  running += k * n % kAdlerBase * sum_ % kAdlerBase;
  running += n * last_sum_ % kAdlerBase * (pairs % kAdlerBase) % kAdlerBase;
  running += k * last_weighted_sum_ % kAdlerBase;
  running_sum_ = uint32_t(running % kAdlerBase);
  sum_ = uint32_t((sum_ + k * last_sum_) % kAdlerBase);
}

void ScanlineDeflater::Finish() {
  const Code end_of_block = FixedSymbol(256);
  PutBits(end_of_block.bits, end_of_block.count);
  FlushStaged();
  for (; pending_count_ > 0; pending_count_ -= 8, pending_ >>= 8) out_.push_back(uint8_t(pending_));
  pending_count_ = 0;
  const uint32_t adler = running_sum_ << 16 | sum_;
  out_.insert(out_.end(), {uint8_t(adler >> 24), uint8_t(adler >> 16), uint8_t(adler >> 8), uint8_t(adler)});
}

}  // namespace barvell::imaging
