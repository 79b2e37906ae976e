// Colour picker: an owner-drawn button showing its colour as a swatch on the button face.
// A click opens the colour popup; a colour chosen there becomes the picker's colour and
// raises event 0.
#include <memory>
#include <optional>

#include "runtime/controls/colour_popup.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/component_address.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kColourPicker>({
    {property::kColour, "颜色", "Color", data_type::kColour},
    {property::kAllowTransparent, "允许透明", "AllowTransparent", data_type::kLogical},
});

constexpr int kSwatchMargin = 4;
constexpr uint32_t kSwatchFrameRgb = 0x000000;

class ColourPickerObject : public SurfaceObject {
 public:
  ColourPickerObject(ui::WindowHandle handle, int control_id, ComponentAddress address,
                     int width, int height, uint32_t colour, bool allow_transparent)
      : SurfaceObject(type_id::kColourPicker, handle, control_id, width, height,
                      BackgroundRgb(kDefaultColourRef)),
        address_(address),
        colour_(colour),
        allow_transparent_(allow_transparent) {}

  bool Read(int32_t number, RawProperty* out) const {
    switch (PublicProperty(number)) {
      case property::kColour: out->value = colour_; return true;
      case property::kAllowTransparent: out->value = allow_transparent_ ? 1 : 0; return true;
      default: return false;
    }
  }

  // The value written is what a read gives back, even a transparent that the picker does
  // not allow: that one only shows as black.
  bool Write(int32_t number, uint32_t value) {
    switch (PublicProperty(number)) {
      case property::kColour: colour_ = value; break;
      case property::kAllowTransparent: allow_transparent_ = value != 0; break;
      default: return false;
    }
    Draw();
    Present();
    return true;
  }

  // The popup shows each highlighted colour on the picker as it goes; its result (or,
  // when cancelled, the colour from before) stays. Only a choice raises event 0.
  bool AnswersClick() override {
    ColourPopupRequest request;
    request.picker = Handle();
    request.colour = colour_;
    request.allow_transparent = allow_transparent_;
    request.tentative = [this](uint32_t colour) { Show(colour); };
    uint32_t before = colour_;
    ColourPopupResult result = RunColourPopup(request);
    if (result.picker_gone) return true;  // this object went with its window
    Show(result.chosen.value_or(before));
    if (result.chosen) address_.RaisePrincipalEvent();
    return true;
  }

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
  void Show(uint32_t colour) {
    colour_ = colour;
    Draw();
    Present();
  }

  ComponentAddress address_;
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
  auto object = std::make_unique<ColourPickerObject>(handle, request.control_id,
                                                     ComponentAddress::Of(request), client.width,
                                                     client.height, colour, allow_transparent);
  object->Draw();
  object->Present();
  return object.release();
}

bool Read(ComponentObject* object, int32_t property, RawProperty* out) {
  auto* picker = dynamic_cast<ColourPickerObject*>(object);
  return picker != nullptr && picker->Read(property, out);
}

bool Write(ComponentObject* object, int32_t property, const RawProperty& value) {
  auto* picker = dynamic_cast<ColourPickerObject*>(object);
  return picker != nullptr && picker->Write(property, uint32_t(value.value));
}

}  // namespace

constinit const TypeDescriptor kColorPickerType =
    MakeType(type_id::kColourPicker, kRaisesEvents, kProperties,
             Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
