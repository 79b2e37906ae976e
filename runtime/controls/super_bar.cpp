// Multi-function bar, used as a scroll bar: a surface showing its track and its thumb at
// the template's position.
#include <algorithm>
#include <memory>

#include "platform/ui/keys.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/window_system.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<68>({
    {9, "方向", "Orientation", data_type::kInt},
    {15, "最小位置", "Minimum", data_type::kInt},
    {16, "最大位置", "Maximum", data_type::kInt},
    {17, "位置", "Position", data_type::kInt},
});

constexpr uint32_t kTrackRgb = 0xE0E0E0;
constexpr uint32_t kThumbRgb = 0xA0A0A0;

class SuperBarObject : public SurfaceObject {
 public:
  using SurfaceObject::SurfaceObject;
  bool WantsKey(int key) const override {
    return key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
           key == ui::key::kDown;
  }
};

// The thumb is as thick as the bar and a tenth of the track long (at least the thickness);
// it sits at (position - minimum) / (maximum - minimum) of the free track.
void DrawBar(gfx::Bitmap& bitmap, const SuperBarBlock& bar) {
  bitmap.Fill(kTrackRgb);
  bool vertical = bar.orientation == SuperBarBlock::kVertical;
  int length = vertical ? bitmap.Height() : bitmap.Width();
  int thickness = vertical ? bitmap.Width() : bitmap.Height();
  int thumb = std::min(length, std::max(thickness, length / 10));
  int32_t minimum = int32_t(bar.minimum), maximum = int32_t(bar.maximum);
  int32_t position = std::clamp(int32_t(bar.position), std::min(minimum, maximum),
                                std::max(minimum, maximum));
  int64_t range = int64_t(maximum) - minimum;
  int start = range > 0 ? int((int64_t(position) - minimum) * (length - thumb) / range) : 0;
  for (int i = start; i < start + thumb; ++i) {
    for (int j = 0; j < thickness; ++j) {
      if (vertical) {
        bitmap.SetPixel(j, i, kThumbRgb);
      } else {
        bitmap.SetPixel(i, j, kThumbRgb);
      }
    }
  }
}

ComponentObject* Create(const CreateRequest& request) {
  std::optional<SuperBarBlock> block = DecodeBlock<SuperBarBlock>(request.property_block);
  if (!block) return nullptr;
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kSurface);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  ui::Size client = Ui().ClientSize(handle);
  auto object = std::make_unique<SuperBarObject>(type_id::kSuperBar, handle, request.control_id,
                                                 client.width, client.height, kTrackRgb);
  DrawBar(object->Bitmap(), *block);
  object->Present();
  return object.release();
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kSuperBarType =
    MakeType("多功能条", "SuperBar", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
