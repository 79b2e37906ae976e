#include "platform/gfx/device.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

namespace barvell::gfx {

Device::Device(Bitmap& target) : target_(&target) {}

const Font& Device::CurrentFont() const {
  if (font_) return *font_;
  static const std::shared_ptr<const Font> defaultGui = Font::DefaultGui();
  return *defaultGui;
}

void Device::Wrote(const PixelArea& area) {
  written_.Include(area);
  if (rows_ != nullptr && !area.Empty()) rows_->Touched(area.top, area.bottom);
}

void Device::Plot(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= target_->Width() || y >= target_->Height()) return;
  std::uint32_t& d = target_->Row(y)[x];
  d = ApplyRasterOp(rop_, rgb, d);
  Wrote({x, y, x + 1, y + 1});
}

std::optional<std::uint32_t> Device::BrushPixel(const Brush& brush, int x, int y) const {
  switch (brush.kind) {
    case Brush::Kind::kHollow: return std::nullopt;
    case Brush::Kind::kSolid: return ToRgb(brush.colour);
    case Brush::Kind::kPattern: break;
  }
  if ((brush.pattern[y & 7] >> (7 - (x & 7))) & 1) return ToRgb(brush.colour);
  if (bkMode_ == BkMode::kOpaque) return ToRgb(bkColour_);
  return std::nullopt;
}

namespace {

// One row of a column `Width` pixels wide: a few plain stores, written out for the width
// (a loop over the pixels of so short a row costs more than the stores themselves). From
// four pixels on, stores of four pixels, the last one overlapping the one before where the
// width is not a multiple of four: a 7-pixel bar is two stores a row.
template <int Width>
inline void FillColumnRow(std::uint32_t* row, std::uint32_t rgb, const std::uint32_t (&quad)[4],
                          std::uint64_t pair) {
  if constexpr (Width >= 4) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      (std::memcpy(row + 4 * I, quad, sizeof quad), ...);
    }(std::make_index_sequence<Width / 4>{});
    if constexpr (Width % 4 != 0) std::memcpy(row + Width - 4, quad, sizeof quad);
  } else {
    if constexpr (Width >= 2) std::memcpy(row, &pair, sizeof pair);
    if constexpr (Width % 2 != 0) row[Width - 1] = rgb;
  }
}

// `Rows` rows of the column, written out.
template <int Width, std::size_t... Row>
inline void FillColumnRows(std::uint32_t* first, std::size_t stride, std::uint32_t rgb,
                           const std::uint32_t (&quad)[4], std::uint64_t pair,
                           std::index_sequence<Row...>) {
  (FillColumnRow<Width>(first + Row * stride, rgb, quad, pair), ...);
}

// The column down `rows` rows, eight rows a pass: a bar is a hundred rows and more, and the
// loop's own count and step would otherwise cost as much as the stores.
template <int Width>
void FillColumn(std::uint32_t* first, std::size_t stride, int rows, std::uint32_t rgb) {
  const std::uint32_t quad[4] = {rgb, rgb, rgb, rgb};
  const std::uint64_t pair = rgb * 0x0000000100000001ull;
  for (; rows >= 8; rows -= 8, first += 8 * stride) {
    FillColumnRows<Width>(first, stride, rgb, quad, pair, std::make_index_sequence<8>{});
  }
  if (rows >= 4) {
    FillColumnRows<Width>(first, stride, rgb, quad, pair, std::make_index_sequence<4>{});
    rows -= 4;
    first += 4 * stride;
  }
  for (; rows > 0; --rows, first += stride) FillColumnRow<Width>(first, rgb, quad, pair);
}

using ColumnFill = void (*)(std::uint32_t*, std::size_t, int, std::uint32_t);

template <std::size_t... W>
constexpr std::array<ColumnFill, sizeof...(W)> ColumnFills(std::index_sequence<W...>) {
  return {&FillColumn<int(W) + 1>...};
}

// A barcode's bars are drawn a module at a time: 1 to 16 pixels from 150 to 1200 dpi.
constexpr auto kNarrowFills = ColumnFills(std::make_index_sequence<16>{});
constexpr int kNarrowestWide = int(kNarrowFills.size()) + 1;

// Wide areas (a panel's background) from this width on: one row filled, the others
// copied from it, since libc's copy is far wider than a fill loop.
constexpr int kCopiedRowsFrom = 64;

}  // namespace

void Device::FillWithBrush(const Rect& r, const Brush& brush, RasterOp op) {
  if (brush.kind == Brush::Kind::kHollow) return;
  const Rect c = Clipped(r);
  const int x0 = c.left, x1 = c.right, y0 = c.top, y1 = c.bottom;
  if (x0 >= x1 || y0 >= y1) return;
  // One colour through a raster operation is the same function of each pixel, so rows
  // alike inside the block stay alike; a pattern differs from row to row.
  if (brush.kind == Brush::Kind::kSolid) WroteSolid({x0, y0, x1, y1});
  else Wrote({x0, y0, x1, y1});
  if (brush.kind == Brush::Kind::kSolid && op == RasterOp::kCopyPen) {
    const std::uint32_t rgb = ToRgb(brush.colour);
    const int width = x1 - x0;
    std::uint32_t* first = target_->Row(y0) + x0;
    const std::size_t stride = std::size_t(target_->Stride());
    if (width < kNarrowestWide) {
      kNarrowFills[width - 1](first, stride, y1 - y0, rgb);
      return;
    }
    std::fill(first, first + width, rgb);
    for (int y = y0 + 1; y < y1; ++y) {
      std::uint32_t* row = target_->Row(y) + x0;
      if (width >= kCopiedRowsFrom) {
        std::memcpy(row, first, std::size_t(width) * sizeof *first);
      } else {
        std::fill(row, row + width, rgb);
      }
    }
    return;
  }
  for (int y = y0; y < y1; ++y) {
    std::uint32_t* row = target_->Row(y);
    for (int x = x0; x < x1; ++x)
      if (auto c = BrushPixel(brush, x, y)) row[x] = ApplyRasterOp(op, *c, row[x]);
  }
}

void Device::WrittenByOthers(const Rect& r) {
  const Rect c = Clipped(r);
  Wrote({c.left, c.top, c.right, c.bottom});
}

void Device::FillRect(const Rect& r, const Brush& brush) { FillWithBrush(r, brush, RasterOp::kCopyPen); }

void Device::PaintRect(const Rect& r) { FillWithBrush(r, brush_, rop_); }

namespace {

// Edges moved by a few pixels stay in int: beyond the int range nothing is visible anyway.
int Moved(int edge, long long by) {
  return static_cast<int>(std::clamp<long long>(edge + by, INT_MIN, INT_MAX));
}

}  // namespace

void Device::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (pen_.style == PenStyle::kNull) {
    FillWithBrush({left, top, Moved(right, -1), Moved(bottom, -1)}, brush_, rop_);
    return;
  }
  const int w = pen_.style == PenStyle::kAlternate ? 1 : std::max(pen_.width, 1);
  if (w == 1) {
    FillWithBrush({Moved(left, 1), Moved(top, 1), Moved(right, -1), Moved(bottom, -1)}, brush_, rop_);
    if (right == left || bottom == top) return;
    // The ring as a closed path; each side stops short of the next corner, so every
    // pixel is drawn once (which matters for XOR).
    const Point saved = position_;
    MoveTo(left, top);
    dashPhase_ = 0;
    if (right - 1 == left || bottom - 1 == top) {
      // A degenerate ring: one row or column.
      const Rect line = Clipped({left, top, right, bottom});
      for (int y = line.top; y < line.bottom; ++y)
        for (int x = line.left; x < line.right; ++x) Plot(x, y, ToRgb(pen_.colour));
    } else {
      LineTo(right - 1, top);
      LineTo(right - 1, bottom - 1);
      LineTo(left, bottom - 1);
      LineTo(left, top);
    }
    position_ = saved;
    return;
  }
  Rect outer{left, top, right, bottom};
  if (pen_.style != PenStyle::kInsideFrame) {
    // Centred on the one-pixel ring, as the round pen of a line along it would be.
    const int before = w / 2, after = w - 1 - w / 2;
    outer = {Moved(left, -before), Moved(top, -before), Moved(right, after), Moved(bottom, after)};
  }
  const Rect inner{Moved(outer.left, w), Moved(outer.top, w), Moved(outer.right, -w), Moved(outer.bottom, -w)};
  FillWithBrush(inner, brush_, rop_);
  const std::uint32_t rgb = ToRgb(pen_.colour);
  const Rect visible = Clipped(outer);
  for (int y = visible.top; y < visible.bottom; ++y)
    for (int x = visible.left; x < visible.right; ++x) {
      const bool inside = x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom;
      if (!inside) Plot(x, y, rgb);
    }
}

void Device::SetPixel(int x, int y, ColorRef c) {
  if (x < 0 || y < 0 || x >= target_->Width() || y >= target_->Height()) return;
  target_->SetPixel(x, y, ToRgb(c));
  Wrote({x, y, x + 1, y + 1});
}

ColorRef Device::GetPixel(int x, int y) const { return ToColorRef(target_->Pixel(x, y)); }

void Device::TextOut(int x, int y, std::string_view utf8) {
  std::optional<std::uint32_t> background;
  if (bkMode_ == BkMode::kOpaque) background = ToRgb(bkColour_);
  Wrote(DrawText(*target_, CurrentFont(), x, y, utf8, ToRgb(textColour_), background));
}

}  // namespace barvell::gfx
