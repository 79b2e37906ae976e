#include "platform/gfx/text.h"

#include "platform/gfx/glyph.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace barvell::gfx {
namespace {

// The text cell's frame: origin at the cell's top-left, u along the writing direction,
// v down across it.
struct Frame {
  double ox, oy;
  double ux, uy;  // unit vector of u
  double vx, vy;  // unit vector of v
  bool upright;
};

Frame MakeFrame(const Font& font, int x, int y) {
  const int esc = font.Request().escapement;
  if (esc == 0) return {double(x), double(y), 1, 0, 0, 1, true};
  const double a = esc / 10.0 * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  return {double(x), double(y), c, -s, s, c, false};
}

// Fills u0 <= u < u1, v0 <= v < v1 of the frame; pixels count by their centres.
// Gives the block of the bitmap it may have written.
PixelArea FillBand(Bitmap& bm, const Frame& f, int u0, int u1, int v0, int v1, std::uint32_t rgb) {
  if (u0 >= u1 || v0 >= v1) return {};
  if (f.upright) {
    const int x0 = std::max(0, int(f.ox) + u0), x1 = std::min(bm.Width(), int(f.ox) + u1);
    const int y0 = std::max(0, int(f.oy) + v0), y1 = std::min(bm.Height(), int(f.oy) + v1);
    for (int y = y0; y < y1; ++y) std::fill(bm.Row(y) + std::max(x0, 0), bm.Row(y) + std::max(x1, x0), rgb);
    return {x0, y0, x1, y1};
  }
  double minx = 1e18, maxx = -1e18, miny = 1e18, maxy = -1e18;
  for (int cu : {u0, u1})
    for (int cv : {v0, v1}) {
      const double px = f.ox + cu * f.ux + cv * f.vx, py = f.oy + cu * f.uy + cv * f.vy;
      minx = std::min(minx, px), maxx = std::max(maxx, px), miny = std::min(miny, py), maxy = std::max(maxy, py);
    }
  const int x0 = std::max(0, int(std::floor(minx))), x1 = std::min(bm.Width(), int(std::ceil(maxx)));
  const int y0 = std::max(0, int(std::floor(miny))), y1 = std::min(bm.Height(), int(std::ceil(maxy)));
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const double dx = x + 0.5 - f.ox, dy = y + 0.5 - f.oy;
      const double u = dx * f.ux + dy * f.uy, v = dx * f.vx + dy * f.vy;
      if (u >= u0 && u < u1 && v >= v0 && v < v1) bm.Row(y)[x] = rgb;
    }
  return {x0, y0, x1, y1};
}

// A glyph's runs of set pixels, each one fill: a digit's strokes are a few runs a row,
// where visiting its bits one by one cost a step per pixel. Gives the block of the bitmap
// the image covers.
PixelArea Blit(Bitmap& bm, const GlyphImage& g, int left, int top, std::uint32_t rgb) {
  const int gy0 = std::max(0, -top), gy1 = std::min(g.rows, bm.Height() - top);
  const int gx0 = std::max(0, -left), gx1 = std::min(g.width, bm.Width() - left);
  if (gx0 >= gx1 || gy0 >= gy1) return {};
  for (int gy = gy0; gy < gy1; ++gy) {
    std::uint32_t* row = bm.Row(top + gy);
    const GlyphImage::Run* run = g.runs.data() + g.rowRuns[std::size_t(gy)];
    const GlyphImage::Run* end = g.runs.data() + g.rowRuns[std::size_t(gy) + 1];
    for (; run != end; ++run) {
      const int a = std::max(run->left, gx0), b = std::min(run->right, gx1);
      for (int x = left + a; x < left + b; ++x) row[x] = rgb;
    }
  }
  return {left + gx0, top + gy0, left + gx1, top + gy1};
}

// A decoding step: the code point at `s[i]` and its length.
char32_t DecodeOne(std::string_view s, std::size_t i, std::size_t* len) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  *len = 1;
  if (c < 0x80) return c;
  int n = 0;
  char32_t cp = 0, min = 0;
  if ((c & 0xE0) == 0xC0) n = 1, cp = c & 0x1F, min = 0x80;
  else if ((c & 0xF0) == 0xE0) n = 2, cp = c & 0x0F, min = 0x800;
  else if ((c & 0xF8) == 0xF0) n = 3, cp = c & 0x07, min = 0x10000;
  else return 0xFFFD;
  if (i + n >= s.size()) return 0xFFFD;
  for (int k = 1; k <= n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  *len = static_cast<std::size_t>(n) + 1;
  return cp;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0, len = 1; i < utf8.size(); i += len) out.push_back(DecodeOne(utf8, i, &len));
  return out;
}

TextExtent MeasureText(const Font& font, std::string_view utf8) {
  TextExtent e{0, font.Height()};
  for (std::size_t i = 0, len = 1; i < utf8.size(); i += len)
    if (const GlyphImage* g = font.Glyph(DecodeOne(utf8, i, &len))) e.width += g->advance;
  return e;
}

PixelArea DrawText(Bitmap& target, const Font& font, int x, int y, std::string_view utf8, std::uint32_t colour,
                   std::optional<std::uint32_t> background) {
  // Beyond this nothing of the text can reach a bitmap, and pixel arithmetic stays in range.
  constexpr int kFar = 1 << 28;
  if (x < -kFar || x > kFar || y < -kFar || y > kFar) return {};
  PixelArea written;
  colour &= 0x00FFFFFFu;
  const Frame f = MakeFrame(font, x, y);
  // The cell's width only matters to what spans the cell.
  const bool spans = background || font.Request().underline || font.Request().strikeOut;
  const int width = spans ? MeasureText(font, utf8).width : 0;
  if (background) written.Include(FillBand(target, f, 0, width, 0, font.Height(), *background & 0x00FFFFFFu));

  const double bx = f.ox + font.Ascent() * f.vx, by = f.oy + font.Ascent() * f.vy;  // baseline start
  int advanced = 0;
  for (std::size_t i = 0, len = 1; i < utf8.size(); i += len) {
    const GlyphImage* g = font.Glyph(DecodeOne(utf8, i, &len));
    if (!g) continue;
    const int px = static_cast<int>(std::lround(bx + advanced * f.ux));
    const int py = static_cast<int>(std::lround(by + advanced * f.uy));
    written.Include(Blit(target, *g, px + g->left, py - g->top, colour));
    advanced += g->advance;
  }

  const int thick = font.LineThickness();
  if (font.Request().underline) {
    int v0 = font.Ascent() + font.UnderlinePosition() - thick / 2;
    v0 = std::min(v0, font.Height() - thick);  // keep the line inside the cell
    written.Include(FillBand(target, f, 0, width, v0, v0 + thick, colour));
  }
  if (font.Request().strikeOut) {
    const int v0 = font.Ascent() - font.StrikeOutPosition();
    written.Include(FillBand(target, f, 0, width, v0, v0 + thick, colour));
  }
  return written;
}

}  // namespace barvell::gfx
