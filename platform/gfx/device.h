#pragma once
// A drawing target over a Bitmap, in the manner of the platform's device contexts: a
// current pen, brush, font, text colour, text background and raster operation, and the
// drawing calls the draw panel needs. Coordinates are device pixels; rectangles include
// their left and top edges and exclude their right and bottom ones. Colours are COLORREF
// (0x00BBGGRR). Drawing outside the bitmap is clipped.
//
// Wide pens (width 2 and more) paint every pixel whose centre lies within half the width
// of the line, so both ends are round and, unlike one-pixel lines, the end point is
// covered; dashed styles apply to one-pixel pens only, wider pens draw solid.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/brush.h"
#include "platform/gfx/colour.h"
#include "platform/gfx/font.h"
#include "platform/gfx/pen.h"
#include "platform/gfx/raster_op.h"
#include "platform/gfx/row_repeats.h"
#include "platform/gfx/text.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

namespace barvell::gfx {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class BkMode { kTransparent = 1, kOpaque = 2 };

class Device {
 public:
  // The bitmap must outlive the device.
  explicit Device(Bitmap& target);

  Bitmap& Target() { return *target_; }

  void SelectPen(const Pen& pen) { pen_ = pen; }
  void SelectBrush(const Brush& brush) { brush_ = brush; }
  // Null selects the default GUI font.
  void SelectFont(std::shared_ptr<const Font> font) { font_ = std::move(font); }
  const Pen& CurrentPen() const { return pen_; }
  const Brush& CurrentBrush() const { return brush_; }
  const Font& CurrentFont() const;

  void SetTextColor(ColorRef c) { textColour_ = c; }
  void SetBkColor(ColorRef c) { bkColour_ = c; }
  void SetBkMode(BkMode m) { bkMode_ = m; }
  void SetRop2(RasterOp op) { rop_ = op; }
  RasterOp Rop2() const { return rop_; }

  // Paints the rectangle with `brush`, copying (the raster operation does not apply, as
  // with the platform's FillRect). A rectangle with right <= left or bottom <= top paints
  // nothing.
  void FillRect(const Rect& r, const Brush& brush);
  // Paints the rectangle with the current brush through the current raster operation.
  void PaintRect(const Rect& r);
  // Outline with the current pen, inside with the current brush, both through the raster
  // operation. Corners in any order. A one-pixel pen's outline is the rectangle's outer
  // ring of pixels; a wider pen is centred on that ring (inside it for PS_INSIDEFRAME).
  // With a null pen the brush fills left <= x < right - 1, top <= y < bottom - 1.
  void Rectangle(int left, int top, int right, int bottom);

  void MoveTo(int x, int y) { position_ = {x, y}; }
  Point CurrentPosition() const { return position_; }
  // A line from the current position up to, not including, (x, y), which becomes the
  // current position.
  void LineTo(int x, int y);

  void SetPixel(int x, int y, ColorRef c);
  ColorRef GetPixel(int x, int y) const;

  // The text with its cell's top-left at (x, y) in the text colour; with BkMode kOpaque the
  // cell is first filled with the background colour. The raster operation does not apply.
  void TextOut(int x, int y, std::string_view utf8);
  TextExtent GetTextExtent(std::string_view utf8) const { return MeasureText(CurrentFont(), utf8); }

  // Starts another drawing on a device kept between drawings (its selections stay): the
  // current position at the origin, the dash pattern at its start and nothing written, as
  // on a device just made.
  void BeginDrawing() {
    position_ = {};
    dashPhase_ = 0;
    written_ = {};
  }

  // An area of the bitmap holding every pixel this device has written (or may have) since
  // it was made or last began a drawing.
  const PixelArea& Written() const { return written_; }
  // Keeps `rows` (which must outlive the device, or until another call) told of every
  // row this device writes; null stops it.
  void TrackRows(RowRepeats* rows) { rows_ = rows; }
  // Counts `r` of the target as written by other means (a blit onto it).
  void WrittenByOthers(const Rect& r);

 private:
  void Plot(int x, int y, std::uint32_t rgb);
  // Every write goes through one of these: the written area, and what it did to the rows.
  void Wrote(const PixelArea& area);
  void WroteSolid(const PixelArea& area) {
    written_.Include(area);
    if (rows_ != nullptr) rows_->SolidFill(area.top, area.bottom);
  }
  // The part inside the bitmap (may be empty).
  Rect Clipped(const Rect& r) const {
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, target_->Width()),
            std::min(r.bottom, target_->Height())};
  }
  // The brush's colour at a pixel, or nothing where a hatch gap stays untouched.
  std::optional<std::uint32_t> BrushPixel(const Brush& brush, int x, int y) const;
  void FillWithBrush(const Rect& r, const Brush& brush, RasterOp op);
  void WideLine(int x0, int y0, int x1, int y1);

  Bitmap* target_;
  Pen pen_;
  Brush brush_ = Brush::Solid(0x00FFFFFF);
  std::shared_ptr<const Font> font_;
  ColorRef textColour_ = 0;
  ColorRef bkColour_ = 0x00FFFFFF;
  BkMode bkMode_ = BkMode::kOpaque;
  RasterOp rop_ = RasterOp::kCopyPen;
  Point position_;
  int dashPhase_ = 0;
  PixelArea written_;
  RowRepeats* rows_ = nullptr;
};

}  // namespace barvell::gfx
