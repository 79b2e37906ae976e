// The draw panel's live object: its property values, the pen, brush and font made from
// them, the off-screen copy of the drawing (while AutoRedraw is on), the current text
// position, and the drawing sequence every drawing command goes through.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/device.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"

namespace barvell::runtime::controls {

// Property values as the program reads and writes them: the template's block, clamped
// where a property has bounds, with AutoRedraw kept as 0 or 1.
using DrawPanelProperties = DrawPanelBlock;

// The clamped value of a bounded property.
uint32_t ClampProperty(uint32_t value, uint32_t maximum);

// A panel's client size as its bitmaps can have it: each side at least `at_least` and the
// whole within the raster bounds of platform/gfx/bitmap.h (the height gives way first).
ui::Size BoundedBitmapSize(ui::Size client, int at_least);

class DrawPanelObject final : public SurfaceObject {
 public:
  DrawPanelObject(ui::WindowHandle handle, int control_id, int width, int height,
                  const DrawPanelProperties& properties);
  // The kept devices point into this object.
  DrawPanelObject(const DrawPanelObject&) = delete;
  DrawPanelObject& operator=(const DrawPanelObject&) = delete;

  const DrawPanelProperties& Properties() const { return properties_; }
  // For a property write: the kept devices are prepared anew before the next drawing.
  DrawPanelProperties& MutableProperties() {
    Unprepare();
    return properties_;
  }

  // Making the derived objects anew after a property write.
  void MakePen();
  void MakeBrush();
  void MakeFont();
  // The off-screen bitmap at the client size filled with the background (AutoRedraw on),
  // or none.
  void ResetOffscreen();
  void BorderChanged();
  // Repaint of the whole face: from the off-screen bitmap, or the bare background.
  void Repaint();

  // The effective background colour (0x00RRGGBB): the default is the button face.
  uint32_t BackgroundRgb() const;
  // Fills `r` (device pixels) of the device's target with the background picture and
  // colour.
  void FillBackground(gfx::Device& device, const gfx::Rect& r);

  // Coordinates between the current unit and device pixels (unit 0 is the pixel: every
  // drawing command converts its coordinates, so that case costs no call).
  int ToDevice(int logical) const {
    return properties_.coordinate_unit == 0 ? logical : ScaledToDevice(logical);
  }
  int ToLogical(int device) const;

  ui::Size ClientSize() const;
  // The size of the panel's bitmaps: the client size bounded as above (at least 1 x 1 for
  // the off-screen copy). A larger panel draws on its top-left part only.
  ui::Size BitmapSize(int at_least = 1) const;
  // Whether the bitmaps hold the whole client area (false for a panel beyond the bounds).
  bool HoldsWholeClient() const;
  const gfx::Bitmap* Offscreen() const { return offscreen_ ? &*offscreen_ : nullptr; }
  // Which rows of the off-screen bitmap are known to repeat the row above (none known
  // without one).
  std::span<const uint8_t> OffscreenRowRepeats() const {
    return offscreen_ ? offscreen_rows_.Flags() : std::span<const uint8_t>();
  }
  gfx::Point TextPosition() const { return text_position_; }
  void SetTextPosition(gfx::Point p) { text_position_ = p; }

  // Runs `draw` (called with a gfx::Device&) on the off-screen target (if any), then on
  // the screen, each prepared as the panel's properties say (`text` selects the text
  // colour), then shows the result.
  template <class DrawFunction>
  void Draw(bool text, DrawFunction&& draw);
  // Fills `r` (device pixels) of both targets with the background and shows it.
  void Clear(const gfx::Rect& r);
  // The extent of a text in the font text drawing selects.
  gfx::TextExtent Measure(std::string_view utf8);

  void SetGeometry(const ComponentGeometry& geometry) override;

 private:
  // What a kept device was last prepared for.
  enum class Preparation : uint8_t { kNone, kShapes, kText };
  // A device over one of the targets, kept from one drawing to the next: a batch draws
  // some sixty bars a code, and a device made and prepared for each bar cost a third of
  // what filling the bar did.
  struct KeptDevice {
    std::optional<gfx::Device> device;
    Preparation prepared = Preparation::kNone;
  };

  int ScaledToDevice(int logical) const;
  void Prepare(gfx::Device& device, bool text) const;
  // The text colour a drawing is prepared with: the panel's text colour for text, its
  // brush colour for shapes.
  gfx::ColorRef TextColour(bool text) const { return text ? properties_.text_colour : properties_.brush_colour; }
  // The kept device over `target`, prepared for the drawing and begun afresh.
  gfx::Device& Prepared(KeptDevice& kept, gfx::Bitmap& target, bool text) {
    if (kept.prepared != (text ? Preparation::kText : Preparation::kShapes)) {
      PrepareKept(kept, target, text);
    }
    kept.device->BeginDrawing();
    return *kept.device;
  }
  void PrepareKept(KeptDevice& kept, gfx::Bitmap& target, bool text);
  // Whatever a preparation reads may have changed.
  void Unprepare() {
    offscreen_device_.prepared = Preparation::kNone;
    face_device_.prepared = Preparation::kNone;
  }
  void Shown();
  void Resized();
  const gfx::Bitmap& BackgroundPicture();
  // Whether `r` covers every pixel of both targets.
  bool CoversTargets(const gfx::Rect& r);
  // Gives the face its own pixels again (a copy of the off-screen bitmap) while the
  // surface shows the off-screen bitmap itself; nothing otherwise.
  void PartFaceFromOffscreen();

  DrawPanelProperties properties_;
  gfx::Pen pen_;
  gfx::Brush brush_;
  std::shared_ptr<const gfx::Font> font_;
  std::optional<gfx::Bitmap> offscreen_;
  // Kept by every write to the off-screen bitmap: its picture export then copies the
  // rows known alike instead of comparing them.
  gfx::RowRepeats offscreen_rows_;
  gfx::Point text_position_;
  // The background picture decoded once; an empty bitmap when none or undecodable.
  std::optional<gfx::Bitmap> decoded_picture_;
  // Known since both targets were last cleared whole to a plain background colour: every
  // pixel of either outside `drawn` is still `rgb`. A batch clears the panel for each code,
  // and filling again only what the code before drew halves the writing. Anything else
  // that changes the targets forgets it.
  struct Cleared {
    uint32_t rgb;
    gfx::PixelArea drawn;
  };
  std::optional<Cleared> cleared_;
  // From a repaint on, while the off-screen bitmap has the face's size, the face would be
  // it pixel for pixel (a repaint copies it whole, then both get the same drawing): the
  // surface then shows the off-screen bitmap itself and drawing goes to it alone, instead
  // of every code being drawn twice. Whatever would make the two differ parts them first.
  bool face_is_offscreen_ = false;
  KeptDevice offscreen_device_;
  KeptDevice face_device_;
};

template <class DrawFunction>
void DrawPanelObject::Draw(bool text, DrawFunction&& draw) {
  if (offscreen_) {
    gfx::Device& off = Prepared(offscreen_device_, *offscreen_, text);
    draw(off);
    if (cleared_) cleared_->drawn.Include(off.Written());
  }
  if (!face_is_offscreen_) {
    gfx::Device& screen = Prepared(face_device_, Bitmap(), text);
    draw(screen);
    if (cleared_) cleared_->drawn.Include(screen.Written());
  }
  Shown();
}

}  // namespace barvell::runtime::controls
