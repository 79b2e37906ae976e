// Multi-function bar, used as a scroll bar: a surface showing its track and its thumb at
// its position. Clicking the track pages, dragging the thumb and the arrow keys move the
// position; each move by the user raises event 0.
#include <algorithm>
#include <memory>

#include "platform/ui/keys.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/component_address.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

namespace property {
constexpr int32_t kOrientation = 1;
constexpr int32_t kMinimum = 7;
constexpr int32_t kMaximum = 8;
constexpr int32_t kPosition = 9;
}  // namespace property

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
  SuperBarObject(ui::WindowHandle handle, int control_id, ComponentAddress address, int width,
                 int height, const SuperBarBlock& block)
      : SurfaceObject(type_id::kSuperBar, handle, control_id, width, height, kTrackRgb),
        address_(address),
        width_(std::max(width, 0)),
        height_(std::max(height, 0)),
        vertical_(block.orientation == SuperBarBlock::kVertical),
        minimum_(int32_t(block.minimum)),
        maximum_(int32_t(block.maximum)),
        small_change_(int32_t(block.small_change)),
        large_change_(int32_t(block.large_change)) {
    position_ = Clamped(int32_t(block.position));
  }

  bool WantsKey(int key) const override {
    return key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
           key == ui::key::kDown;
  }

  bool Read(int32_t number, RawProperty* out) const {
    switch (number) {
      case property::kOrientation: out->value = vertical_ ? 1 : 0; return true;
      case property::kMinimum: out->value = uint32_t(minimum_); return true;
      case property::kMaximum: out->value = uint32_t(maximum_); return true;
      case property::kPosition: out->value = uint32_t(position_); return true;
      default: return false;
    }
  }

  // The program's writes move nothing by the user: no event.
  bool Write(int32_t number, int32_t value) {
    switch (number) {
      case property::kOrientation: vertical_ = value == 1; break;
      case property::kMinimum: minimum_ = value; break;
      case property::kMaximum: maximum_ = value; break;
      case property::kPosition: break;
      default: return false;
    }
    position_ = Clamped(number == property::kPosition ? value : position_);
    Draw();
    return true;
  }

  // The thumb is as thick as the bar and a tenth of the track long (at least the
  // thickness); it sits at (position - minimum) / (maximum - minimum) of the free track.
  void Draw() {
    gfx::Bitmap& bitmap = Bitmap();
    bitmap.Fill(kTrackRgb);
    int start = ThumbStart(), thumb = ThumbLength();
    for (int i = start; i < start + thumb; ++i) {
      for (int j = 0; j < Thickness(); ++j) {
        if (vertical_) {
          bitmap.SetPixel(j, i, kThumbRgb);
        } else {
          bitmap.SetPixel(i, j, kThumbRgb);
        }
      }
    }
    Present();
  }

  void OnMouse(const ui::Event& e) override {
    using ui::EventKind;
    int at = vertical_ ? e.position.y : e.position.x;
    if (e.kind == EventKind::kMouseDown && e.button == ui::MouseButton::kLeft) {
      int start = ThumbStart();
      if (at < start) {
        MoveBy(-large_change_);
      } else if (at >= start + ThumbLength()) {
        MoveBy(large_change_);
      } else {
        drag_offset_ = at - start;
      }
    } else if (e.kind == EventKind::kMouseMove && drag_offset_ >= 0) {
      MoveTo(PositionAtThumbStart(at - drag_offset_));
    } else if (e.kind == EventKind::kMouseUp) {
      drag_offset_ = -1;
    }
  }

  void OnKeyDown(int key) override {
    if (key == ui::key::kLeft || key == ui::key::kUp) MoveBy(-small_change_);
    if (key == ui::key::kRight || key == ui::key::kDown) MoveBy(small_change_);
  }

  // The program lays its bars out anew when its window is resized: the track, the thumb
  // and the click areas follow the new client size.
  void SetGeometry(const ComponentGeometry& geometry) override {
    SurfaceObject::SetGeometry(geometry);
    ui::Size client = Ui().ClientSize(Handle());
    int width = std::max(client.width, 0), height = std::max(client.height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Bitmap() = gfx::Bitmap(width_, height_, kTrackRgb);
    Draw();
  }

 private:
  int32_t Low() const { return std::min(minimum_, maximum_); }
  int32_t High() const { return std::max(minimum_, maximum_); }
  int32_t Clamped(int64_t value) const { return int32_t(std::clamp<int64_t>(value, Low(), High())); }

  int Length() const { return vertical_ ? height_ : width_; }
  int Thickness() const { return vertical_ ? width_ : height_; }
  int ThumbLength() const { return std::min(Length(), std::max(Thickness(), Length() / 10)); }
  int FreeTrack() const { return Length() - ThumbLength(); }
  int ThumbStart() const {
    int64_t range = int64_t(maximum_) - minimum_;
    if (range <= 0) return 0;
    return int((int64_t(position_) - minimum_) * FreeTrack() / range);
  }
  // The position whose thumb starts nearest to `start` pixels into the track.
  int32_t PositionAtThumbStart(int start) const {
    int free = FreeTrack();
    if (free <= 0) return position_;
    int64_t range = int64_t(maximum_) - minimum_;
    int64_t offset = std::clamp(start, 0, free);
    return Clamped(minimum_ + (offset * range + free / 2) / free);
  }

  void MoveBy(int64_t delta) { MoveTo(Clamped(int64_t(position_) + delta)); }
  void MoveTo(int32_t position) {
    if (position == position_) return;
    position_ = position;
    Draw();
    address_.RaisePrincipalEvent();
  }

  ComponentAddress address_;
  int width_, height_;  // of the client area and the bitmap
  bool vertical_;
  int32_t minimum_, maximum_, position_ = 0;
  int32_t small_change_, large_change_;
  int drag_offset_ = -1;  // where in the thumb it was grabbed; -1 when not dragging
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<SuperBarBlock> block = DecodeBlock<SuperBarBlock>(request.property_block);
  if (!block) return nullptr;
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kSurface);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  ui::Size client = Ui().ClientSize(handle);
  auto object = std::make_unique<SuperBarObject>(handle, request.control_id,
                                                 ComponentAddress::Of(request), client.width,
                                                 client.height, *block);
  object->Draw();
  return object.release();
}

bool Read(ComponentObject* object, int32_t property, RawProperty* out) {
  auto* bar = dynamic_cast<SuperBarObject*>(object);
  return bar != nullptr && bar->Read(property, out);
}

bool Write(ComponentObject* object, int32_t property, const RawProperty& value) {
  auto* bar = dynamic_cast<SuperBarObject*>(object);
  return bar != nullptr && bar->Write(property, int32_t(uint32_t(value.value)));
}

}  // namespace

constinit const TypeDescriptor kSuperBarType =
    MakeType("多功能条", "SuperBar", kRaisesEvents, kProperties,
             Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
