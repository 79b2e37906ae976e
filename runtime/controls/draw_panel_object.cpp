#include "runtime/controls/draw_panel_object.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/gfx/blit.h"
#include "platform/imaging/decode.h"
#include "platform/text/gbk.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/draw_panel_patterns.h"
#include "runtime/call/font_description.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

// Logical units per inch of CoordinateUnit 1 to 5 (0.1 mm, 0.01 mm, 0.01 inch,
// 0.001 inch, twip); unit 0 is the device pixel.
constexpr int kUnitsPerInch[6] = {0, 254, 2540, 100, 1000, 1440};

// PenStyle 1 to 6 as platform pen styles. Style 6 is the inside-frame pen, which draws
// lines solid (being inside a frame only matters for closed figures); the platform's null
// style 5 is offered by no property value.
constexpr gfx::PenStyle kPenStyles[6] = {
    gfx::PenStyle::kSolid,   gfx::PenStyle::kDash,       gfx::PenStyle::kDot,
    gfx::PenStyle::kDashDot, gfx::PenStyle::kDashDotDot, gfx::PenStyle::kInsideFrame,
};

// Brush styles 2 to 7, in the order the property numbers them.
constexpr gfx::HatchStyle kHatches[6] = {
    gfx::HatchStyle::kBDiagonal,  gfx::HatchStyle::kCross,      gfx::HatchStyle::kDiagCross,
    gfx::HatchStyle::kFDiagonal,  gfx::HatchStyle::kHorizontal, gfx::HatchStyle::kVertical,
};

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
  double r = std::round(double(int64_t(a) * b) / c);
  return int(std::clamp(r, double(INT32_MIN), double(INT32_MAX)));
}

int32_t WordAt(const FontDescription& f, size_t at) {
  int32_t v;
  std::memcpy(&v, f.data() + at, 4);
  return v;
}

// The platform font for a 60-byte description (LOGFONTA layout).
gfx::FontRequest RequestFor(const FontDescription& f) {
  gfx::FontRequest r;
  r.height = WordAt(f, 0);
  r.escapement = WordAt(f, 8);
  r.bold = WordAt(f, 16) >= 700;
  r.italic = f[20] != 0;
  r.underline = f[21] != 0;
  r.strikeOut = f[22] != 0;
  const char* face = reinterpret_cast<const char*>(f.data() + 28);
  r.face = platform::GbkToUtf8(std::string_view(face, strnlen(face, 32)));
  return r;
}

}  // namespace

uint32_t ClampProperty(uint32_t value, uint32_t maximum) {
  return int32_t(value) < 0 ? 0 : std::min(value, maximum);
}

DrawPanelObject::DrawPanelObject(ui::WindowHandle handle, int control_id, int width, int height,
                                 const DrawPanelProperties& properties)
    : SurfaceObject(type_id::kDrawPanel, handle, control_id, width, height,
                    controls::BackgroundRgb(properties.back_colour)),
      properties_(properties) {
  MakePen();
  MakeBrush();
  MakeFont();
  ResetOffscreen();
  Repaint();
}

void DrawPanelObject::MakePen() {
  Unprepare();
  const DrawPanelProperties& p = properties_;
  if (p.pen_style == 0) {
    pen_ = {gfx::PenStyle::kAlternate, 0, p.pen_colour};
  } else {
    pen_ = {kPenStyles[p.pen_style - 1], int(p.pen_width), p.pen_colour};
  }
}

void DrawPanelObject::MakeBrush() {
  Unprepare();
  const DrawPanelProperties& p = properties_;
  if (p.brush_style == 0) {
    brush_ = gfx::Brush::Hollow();
  } else if (p.brush_style == 1) {
    brush_ = gfx::Brush::Solid(p.brush_colour);
  } else if (p.brush_style < uint32_t(kFirstPatternBrushStyle)) {
    brush_ = gfx::Brush::Hatch(kHatches[p.brush_style - 2], p.brush_colour);
  } else {
    brush_ = gfx::Brush::FromPattern(kBrushPatterns[p.brush_style - kFirstPatternBrushStyle],
                                     p.brush_colour);
  }
}

void DrawPanelObject::MakeFont() {
  Unprepare();
  // The device works in pixels, so the height stays in screen pixels whatever the unit:
  // converting it into the unit and back would give the same size.
  if (properties_.font.size() != kFontDescriptionSize) {
    font_ = gfx::Font::DefaultGui(Ui().Metrics().dpi);
  } else {
    font_ = gfx::Font::Create(RequestFor(FontFromBytes(properties_.font)));
  }
}

ui::Size DrawPanelObject::ClientSize() const { return Ui().ClientSize(Handle()); }

ui::Size BoundedBitmapSize(ui::Size client, int at_least) {
  const int width = std::clamp(client.width, at_least, gfx::kMaxBitmapSide);
  int height = std::clamp(client.height, at_least, gfx::kMaxBitmapSide);
  if (width > 0) height = int(std::min<int64_t>(height, gfx::kMaxBitmapPixels / width));
  return {width, height};
}

ui::Size DrawPanelObject::BitmapSize(int at_least) const {
  return BoundedBitmapSize(ClientSize(), at_least);
}

bool DrawPanelObject::HoldsWholeClient() const {
  ui::Size client = ClientSize();
  return BitmapSize(0) == ui::Size{std::max(client.width, 0), std::max(client.height, 0)};
}

uint32_t DrawPanelObject::BackgroundRgb() const {
  return controls::BackgroundRgb(properties_.back_colour);
}

const gfx::Bitmap& DrawPanelObject::BackgroundPicture() {
  if (!decoded_picture_) {
    std::optional<gfx::Bitmap> picture;
    if (!properties_.back_picture.empty()) {
      picture = imaging::DecodePicture(properties_.back_picture, BackgroundRgb());
    }
    decoded_picture_ = picture ? std::move(*picture) : gfx::Bitmap();
  }
  return *decoded_picture_;
}

void DrawPanelObject::FillBackground(gfx::Device& device, const gfx::Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const gfx::Bitmap& picture = BackgroundPicture();
  if (picture.Empty()) {
    device.FillRect(r, gfx::Brush::Solid(gfx::ToColorRef(BackgroundRgb())));
    return;
  }
  // The background of the whole client area, of which the rectangle is copied.
  ui::Size size = BitmapSize();
  gfx::Bitmap whole(size.width, size.height, BackgroundRgb());
  switch (properties_.back_picture_mode) {
    case picture_mode::kStretched:
      whole = gfx::StretchCopy(picture, whole.Width(), whole.Height());
      break;
    case picture_mode::kTiled:
      for (int y = 0; y < whole.Height(); y += picture.Height()) {
        for (int x = 0; x < whole.Width(); x += picture.Width()) {
          gfx::BitBlt(whole, x, y, picture.Width(), picture.Height(), picture, 0, 0);
        }
      }
      break;
    default:
      gfx::BitBlt(whole, 0, 0, picture.Width(), picture.Height(), picture, 0, 0);
  }
  gfx::BitBlt(device.Target(), r.left, r.top, r.right - r.left, r.bottom - r.top, whole, r.left, r.top);
  device.WrittenByOthers(r);
}

void DrawPanelObject::ResetOffscreen() {
  PartFaceFromOffscreen();
  Unprepare();  // the off-screen bitmap is made anew, or goes
  cleared_.reset();
  decoded_picture_.reset();
  if (!properties_.auto_redraw) {
    offscreen_.reset();
    return;
  }
  ui::Size size = BitmapSize();
  offscreen_.emplace(size.width, size.height);
  offscreen_rows_.AllAlike(offscreen_->Height());  // all black
  gfx::Device device(*offscreen_);
  device.TrackRows(&offscreen_rows_);
  FillBackground(device, {0, 0, offscreen_->Width(), offscreen_->Height()});
}

void DrawPanelObject::PartFaceFromOffscreen() {
  if (!face_is_offscreen_) return;
  face_is_offscreen_ = false;
  Bitmap() = *offscreen_;
  Present();
}

void DrawPanelObject::Repaint() {
  cleared_.reset();
  ui::Size size = BitmapSize(0);
  if (offscreen_ && offscreen_->Width() == size.width && offscreen_->Height() == size.height) {
    face_is_offscreen_ = true;
    Ui().SetSurfaceBitmap(Handle(), &*offscreen_, Background());
    Bitmap() = gfx::Bitmap();  // not shown meanwhile; parting copies the whole picture
    Ui().Invalidate(Handle());
    return;
  }
  face_is_offscreen_ = false;
  gfx::Bitmap& face = Bitmap();
  if (face.Width() != size.width || face.Height() != size.height) {
    face = gfx::Bitmap(size.width, size.height);
  }
  // Without an off-screen copy the face shows the bare background, as a repaint without
  // a paint handler would leave it.
  gfx::Device device(face);
  FillBackground(device, {0, 0, face.Width(), face.Height()});
  if (offscreen_) gfx::BitBlt(face, 0, 0, face.Width(), face.Height(), *offscreen_, 0, 0);
  Present();
}

void DrawPanelObject::BorderChanged() {
  Ui().SetControlBorder(Handle(), BorderFromStyle(properties_.border_style));
  Resized();
}

void DrawPanelObject::SetGeometry(const ComponentGeometry& geometry) {
  ui::Size before = ClientSize();
  SurfaceObject::SetGeometry(geometry);
  ui::Size after = ClientSize();
  if (!(before == after)) Resized();
}

void DrawPanelObject::Resized() {
  cleared_.reset();
  decoded_picture_.reset();
  if (offscreen_) {
    std::optional<gfx::Bitmap> old = std::move(offscreen_);
    ResetOffscreen();
    // A stretched background picture is drawn anew at the new size; otherwise the drawing
    // survives where the panel still reaches.
    if (properties_.back_picture_mode != picture_mode::kStretched || properties_.back_picture.empty()) {
      gfx::BitBlt(*offscreen_, 0, 0, old->Width(), old->Height(), *old, 0, 0);
      offscreen_rows_.Touched(0, old->Height());
    }
  }
  Repaint();
}

int DrawPanelObject::ScaledToDevice(int logical) const {
  int upi = kUnitsPerInch[properties_.coordinate_unit];
  return upi == 0 ? logical : MulDiv(logical, Ui().Metrics().dpi, upi);
}

int DrawPanelObject::ToLogical(int device) const {
  int upi = kUnitsPerInch[properties_.coordinate_unit];
  return upi == 0 ? device : MulDiv(device, upi, Ui().Metrics().dpi);
}

void DrawPanelObject::Prepare(gfx::Device& device, bool text) const {
  const DrawPanelProperties& p = properties_;
  device.SelectPen(pen_);
  device.SelectBrush(brush_);
  device.SelectFont(font_);
  device.SetTextColor(TextColour(text));
  if (p.text_back_colour == kDefaultColour) {
    device.SetBkMode(gfx::BkMode::kTransparent);
    device.SetBkColor(gfx::ToColorRef(BackgroundRgb()));
  } else {
    device.SetBkMode(gfx::BkMode::kOpaque);
    device.SetBkColor(p.text_back_colour);
  }
  device.SetRop2(gfx::RasterOpFromNumber(int(p.draw_mode) + 1));
}

void DrawPanelObject::PrepareKept(KeptDevice& kept, gfx::Bitmap& target, bool text) {
  if (kept.prepared == Preparation::kNone) {
    kept.device.emplace(target);
    if (&kept == &offscreen_device_) kept.device->TrackRows(&offscreen_rows_);
    Prepare(*kept.device, text);
  } else {
    // Shapes and text differ only in the text colour.
    kept.device->SetTextColor(TextColour(text));
  }
  kept.prepared = text ? Preparation::kText : Preparation::kShapes;
}

void DrawPanelObject::Shown() { Ui().Invalidate(Handle()); }

bool DrawPanelObject::CoversTargets(const gfx::Rect& r) {
  auto covers = [&](const gfx::Bitmap& b) {
    return r.left <= 0 && r.top <= 0 && r.right >= b.Width() && r.bottom >= b.Height();
  };
  return (face_is_offscreen_ || covers(Bitmap())) && (!offscreen_ || covers(*offscreen_));
}

void DrawPanelObject::Clear(const gfx::Rect& r) {
  const bool whole = CoversTargets(r) && BackgroundPicture().Empty();
  const uint32_t rgb = BackgroundRgb();
  gfx::Rect fill = r;
  if (whole && cleared_ && cleared_->rgb == rgb) {
    const gfx::PixelArea& d = cleared_->drawn;
    fill = {d.left, d.top, d.right, d.bottom};
  }
  Draw(false, [&](gfx::Device& device) { FillBackground(device, fill); });
  // A part cleared to the plain colour leaves what is known true (with a background
  // picture nothing is known to start with).
  if (whole) {
    cleared_ = Cleared{rgb, {}};
    if (offscreen_) offscreen_rows_.AllAlike(offscreen_->Height());
  }
}

gfx::TextExtent DrawPanelObject::Measure(std::string_view utf8) {
  // Only the font a text drawing would select matters: no bitmap or device is made.
  if (font_) return gfx::MeasureText(*font_, utf8);
  gfx::Bitmap none;
  gfx::Device device(none);
  return device.GetTextExtent(utf8);
}

}  // namespace barvell::runtime::controls
