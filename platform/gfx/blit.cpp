#include "platform/gfx/blit.h"

#include <algorithm>
#include <cstdint>

namespace barvell::gfx {
namespace {

std::uint32_t Combine(BlitOp op, std::uint32_t s, std::uint32_t d) {
  switch (op) {
    case BlitOp::kSrcCopy: return s;
    case BlitOp::kSrcInvert: return (d ^ s) & 0xFFFFFF;
    case BlitOp::kSrcAnd: return d & s;
    case BlitOp::kSrcPaint: return (d | s) & 0xFFFFFF;
    case BlitOp::kNotSrcCopy: return ~s & 0xFFFFFF;
    case BlitOp::kDstInvert: return ~d & 0xFFFFFF;
    case BlitOp::kBlackness: return 0;
    case BlitOp::kWhiteness: return 0xFFFFFF;
  }
  return s;
}

}  // namespace

void BitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, BlitOp op) {
  // Clip the block against the source and the destination in turn.
  if (sx < 0) w += sx, dx -= sx, sx = 0;
  if (sy < 0) h += sy, dy -= sy, sy = 0;
  if (dx < 0) w += dx, sx -= dx, dx = 0;
  if (dy < 0) h += dy, sy -= dy, dy = 0;
  w = std::min({w, src.Width() - sx, dst.Width() - dx});
  h = std::min({h, src.Height() - sy, dst.Height() - dy});
  if (w <= 0 || h <= 0) return;

  Bitmap copy;
  const Bitmap* from = &src;
  if (&src == &dst) {  // overlapping: read from a snapshot of the block
    copy = Bitmap(w, h);
    for (int y = 0; y < h; ++y) std::copy_n(src.Row(sy + y) + sx, w, copy.Row(y));
    from = &copy;
    sx = sy = 0;
  }
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* s = from->Row(sy + y) + sx;
    std::uint32_t* d = dst.Row(dy + y) + dx;
    if (op == BlitOp::kSrcCopy) {
      std::copy_n(s, w, d);
    } else {
      for (int x = 0; x < w; ++x) d[x] = Combine(op, s[x], d[x]);
    }
  }
}

Bitmap StretchCopy(const Bitmap& src, int w, int h) {
  if (w <= 0 || h <= 0 || src.Empty()) return {};
  Bitmap out(w, h);
  const long long sw = src.Width(), sh = src.Height();
  for (int y = 0; y < h; ++y) {
    const int y0 = static_cast<int>(y * sh / h);
    const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sh / h));
    for (int x = 0; x < w; ++x) {
      const int x0 = static_cast<int>(x * sw / w);
      const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sw / w));
      std::uint64_t r = 0, g = 0, b = 0, n = 0;
      for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) {
          const std::uint32_t p = src.Row(yy)[xx];
          r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF, ++n;
        }
      out.Row(y)[x] = static_cast<std::uint32_t>(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
    }
  }
  return out;
}

}  // namespace barvell::gfx
