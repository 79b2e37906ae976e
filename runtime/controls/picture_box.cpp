// Picture box: a surface in its background colour showing the picture of its property
// block at its natural size from the top-left corner, tiled, stretched or centred. A
// picture that cannot be decoded leaves the bare background.
#include <memory>
#include <optional>

#include "platform/imaging/decode.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kPictureBox>({
    {property::kPictureBorderStyle, "边框", "BorderStyle", data_type::kChoice},
    {property::kPictureBackColour, "背景颜色", "BackColor", data_type::kColour},
});

// Copies `picture` with its top-left corner at (left, top); what falls outside is cut off.
void Blit(gfx::Bitmap& surface, const gfx::Bitmap& picture, int left, int top) {
  for (int y = 0; y < picture.Height(); ++y) {
    int sy = top + y;
    if (sy < 0 || sy >= surface.Height()) continue;
    const uint32_t* from = picture.Row(y);
    uint32_t* to = surface.Row(sy);
    for (int x = 0; x < picture.Width(); ++x) {
      int sx = left + x;
      if (sx >= 0 && sx < surface.Width()) to[sx] = from[x];
    }
  }
}

// Nearest-neighbour scaling to the whole surface.
void Stretch(gfx::Bitmap& surface, const gfx::Bitmap& picture) {
  for (int y = 0; y < surface.Height(); ++y) {
    const uint32_t* from = picture.Row(int(int64_t(y) * picture.Height() / surface.Height()));
    uint32_t* to = surface.Row(y);
    for (int x = 0; x < surface.Width(); ++x) {
      to[x] = from[int64_t(x) * picture.Width() / surface.Width()];
    }
  }
}

void DrawPicture(gfx::Bitmap& surface, const gfx::Bitmap& picture, uint32_t mode) {
  if (surface.Empty() || picture.Empty()) return;
  switch (mode) {
    case picture_mode::kTiled:
      for (int top = 0; top < surface.Height(); top += picture.Height()) {
        for (int left = 0; left < surface.Width(); left += picture.Width()) {
          Blit(surface, picture, left, top);
        }
      }
      return;
    case picture_mode::kStretched:
      Stretch(surface, picture);
      return;
    case picture_mode::kCentred:
      // A picture larger than the box shows its middle.
      Blit(surface, picture, (surface.Width() - picture.Width()) / 2,
           (surface.Height() - picture.Height()) / 2);
      return;
    default:
      Blit(surface, picture, 0, 0);
  }
}

ComponentObject* Create(const CreateRequest& request) {
  std::optional<PictureBoxBlock> block = DecodeBlock<PictureBoxBlock>(request.property_block);
  if (!block) return nullptr;
  uint32_t background = BackgroundRgb(block->back_colour);
  std::unique_ptr<SurfaceObject> object =
      CreateSurface(type_id::kPictureBox, request, ui::ControlKind::kSurface,
                    BorderFromStyle(block->border_style), background);
  if (object == nullptr) return nullptr;
  if (!block->picture.empty()) {
    std::optional<gfx::Bitmap> picture = imaging::DecodePicture(block->picture, background);
    if (picture) {
      DrawPicture(object->Bitmap(), *picture, block->picture_mode);
      object->Present();
    }
  }
  return object.release();
}

}  // namespace

constinit const TypeDescriptor kPicBoxType =
    MakeType(type_id::kPictureBox, kRaisesEvents, kProperties, Operations<&Create>);

}  // namespace barvell::runtime::controls
