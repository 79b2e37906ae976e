// Colour picker: an owner-drawn button showing its colour as a swatch on the button face.
#include <memory>

#include "runtime/controls/colours.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/window_system.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<10>({
    {8, "颜色", "Color", data_type::kColour},
    {9, "允许透明", "AllowTransparent", data_type::kLogical},
});

constexpr int kSwatchMargin = 4;
constexpr uint32_t kSwatchFrameRgb = 0x000000;

class ColourPickerObject : public SurfaceObject {
 public:
  ColourPickerObject(ui::WindowHandle handle, int control_id, int width, int height,
                     uint32_t colour, bool allow_transparent)
      : SurfaceObject(type_id::kColourPicker, handle, control_id, width, height,
                      BackgroundRgb(kDefaultColourRef)),
        colour_(colour),
        allow_transparent_(allow_transparent) {}

  uint32_t Colour() const { return colour_; }

  // Transparent shows as the bare face where it is allowed, else as black.
  void Draw() {
    gfx::Bitmap& b = Bitmap();
    b.Fill(Background());
    bool transparent = colour_ == kDefaultColourRef;
    if (transparent && allow_transparent_) return;
    uint32_t swatch = transparent ? 0 : ColourRefToRgb(colour_);
    int right = b.Width() - kSwatchMargin, bottom = b.Height() - kSwatchMargin;
    for (int y = kSwatchMargin; y < bottom; ++y) {
      for (int x = kSwatchMargin; x < right; ++x) {
        bool edge = y == kSwatchMargin || y == bottom - 1 || x == kSwatchMargin || x == right - 1;
        b.SetPixel(x, y, edge ? kSwatchFrameRgb : swatch);
      }
    }
  }

 private:
  uint32_t colour_;
  bool allow_transparent_;
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<ColourPickerBlock> block = DecodeBlock<ColourPickerBlock>(request.property_block);
  if (!block) return nullptr;
  bool allow_transparent = block->allow_transparent != 0;
  // Without transparency the default colour is stored as black.
  uint32_t colour = !allow_transparent && block->colour == kDefaultColourRef ? 0 : block->colour;
  ui::WindowHandle handle =
      Ui().CreateControl(ParamsFor(request, ui::ControlKind::kOwnerDrawnButton));
  if (handle == ui::kNoWindow) return nullptr;
  ui::Size client = Ui().ClientSize(handle);
  auto object = std::make_unique<ColourPickerObject>(handle, request.control_id, client.width,
                                                     client.height, colour, allow_transparent);
  object->Draw();
  object->Present();
  return object.release();
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kColorPickerType =
    MakeType("颜色选择器", "ColorPicker", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
