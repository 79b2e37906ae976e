// Draw panel: the runtime's drawing surface. Its property table, creation from the
// template's property block, and the property reader and writer; the drawing itself is in
// draw_panel_object.cpp and the commands in commands/draw_panel_commands.cpp.
#include <memory>
#include <utility>

#include "runtime/controls/border_style.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/draw_panel_object.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

// Type-specific property numbers (the program's number minus 8).
namespace panel_property {
constexpr int32_t kBorderStyle = 0;
constexpr int32_t kBackColour = 1;
constexpr int32_t kBackPicture = 2;
constexpr int32_t kBackPictureMode = 3;
constexpr int32_t kAutoRedraw = 4;
constexpr int32_t kCoordinateUnit = 5;
constexpr int32_t kPenStyle = 6;
constexpr int32_t kDrawMode = 7;
constexpr int32_t kPenWidth = 8;
constexpr int32_t kPenColour = 9;
constexpr int32_t kBrushStyle = 10;
constexpr int32_t kBrushColour = 11;
constexpr int32_t kTextColour = 12;
constexpr int32_t kTextBackColour = 13;
constexpr int32_t kFont = 14;
constexpr int32_t kClientWidth = 15;
constexpr int32_t kClientHeight = 16;
}  // namespace panel_property

constexpr auto kProperties = PropertyTable<25>({
    {8, "边框", "BorderStyle", data_type::kChoice},
    {9, "背景颜色", "BackColor", data_type::kColour},
    {10, "底图", "BackPicture", data_type::kPicture},
    {11, "底图方式", "BackPictureMode", data_type::kChoice},
    {12, "自动重画", "AutoRedraw", data_type::kLogical},
    {13, "绘画单位", "CoordinateUnit", data_type::kChoice},
    {14, "画笔类型", "PenStyle", data_type::kChoice},
    {15, "绘画模式", "DrawMode", data_type::kChoice},
    {16, "画笔粗细", "PenWidth", data_type::kInt},
    {17, "画笔颜色", "PenColor", data_type::kColour},
    {18, "刷子类型", "BrushStyle", data_type::kChoice},
    {19, "刷子颜色", "BrushColor", data_type::kColour},
    {20, "文本颜色", "TextColor", data_type::kColour},
    {21, "文本背景颜色", "TextBackColor", data_type::kColour},
    {22, "字体", "Font", data_type::kFont},
    {23, "绘图区宽度", "ClientWidth", data_type::kInt},
    {24, "绘图区高度", "ClientHeight", data_type::kInt},
});

// Upper bounds of the clamped properties.
constexpr uint32_t kMaxBorderStyle = 5;
constexpr uint32_t kMaxPictureMode = 2;
constexpr uint32_t kMaxCoordinateUnit = 5;
constexpr uint32_t kMaxPenStyle = 6;
constexpr uint32_t kMaxDrawMode = 15;
constexpr uint32_t kMaxPenWidth = 32767;
constexpr uint32_t kMaxBrushStyle = 55;

DrawPanelProperties FromBlock(DrawPanelBlock p) {
  p.border_style = ClampProperty(p.border_style, kMaxBorderStyle);
  p.back_picture_mode = ClampProperty(p.back_picture_mode, kMaxPictureMode);
  p.auto_redraw = p.auto_redraw != 0;
  p.coordinate_unit = ClampProperty(p.coordinate_unit, kMaxCoordinateUnit);
  p.pen_style = ClampProperty(p.pen_style, kMaxPenStyle);
  p.draw_mode = ClampProperty(p.draw_mode, kMaxDrawMode);
  p.pen_width = ClampProperty(p.pen_width, kMaxPenWidth);
  p.brush_style = ClampProperty(p.brush_style, kMaxBrushStyle);
  return p;
}

ComponentObject* Create(const CreateRequest& request) {
  std::optional<DrawPanelBlock> block = DecodeBlock<DrawPanelBlock>(request.property_block);
  if (!block) return nullptr;
  DrawPanelProperties properties = FromBlock(std::move(*block));
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kSurface);
  params.border = BorderFromStyle(properties.border_style);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  // The face starts at the client size within the raster bounds, as the panel keeps it.
  ui::Size face = BoundedBitmapSize(Ui().ClientSize(handle), 0);
  return new DrawPanelObject(handle, request.control_id, face.width, face.height, properties);
}

bool Read(ComponentObject* object, int32_t property, RawProperty* out) {
  auto* panel = dynamic_cast<DrawPanelObject*>(object);
  if (panel == nullptr) return false;
  const DrawPanelProperties& p = panel->Properties();
  switch (property) {
    case panel_property::kBorderStyle: out->value = p.border_style; return true;
    case panel_property::kBackColour: out->value = p.back_colour; return true;
    case panel_property::kBackPicture:
      out->data = p.back_picture.data();
      out->length = uint32_t(p.back_picture.size());
      return true;
    case panel_property::kBackPictureMode: out->value = p.back_picture_mode; return true;
    case panel_property::kAutoRedraw: out->value = p.auto_redraw ? 1 : 0; return true;
    case panel_property::kCoordinateUnit: out->value = p.coordinate_unit; return true;
    case panel_property::kPenStyle: out->value = p.pen_style; return true;
    case panel_property::kDrawMode: out->value = p.draw_mode; return true;
    case panel_property::kPenWidth: out->value = p.pen_width; return true;
    case panel_property::kPenColour: out->value = p.pen_colour; return true;
    case panel_property::kBrushStyle: out->value = p.brush_style; return true;
    case panel_property::kBrushColour: out->value = p.brush_colour; return true;
    case panel_property::kTextColour: out->value = p.text_colour; return true;
    case panel_property::kTextBackColour: out->value = p.text_back_colour; return true;
    case panel_property::kFont:
      if (p.font.empty()) return false;  // read as the default GUI font
      out->data = p.font.data();
      out->length = uint32_t(p.font.size());
      return true;
    case panel_property::kClientWidth:
      out->value = uint32_t(panel->ToLogical(panel->ClientSize().width));
      return true;
    case panel_property::kClientHeight:
      out->value = uint32_t(panel->ToLogical(panel->ClientSize().height));
      return true;
    default:
      return false;
  }
}

// Stores `value` into `field`; true when it changed.
bool Store(uint32_t& field, uint32_t value) {
  if (field == value) return false;
  field = value;
  return true;
}

bool Write(ComponentObject* object, int32_t property, const RawProperty& raw) {
  auto* panel = dynamic_cast<DrawPanelObject*>(object);
  if (panel == nullptr) return false;
  DrawPanelProperties& p = panel->MutableProperties();
  const uint32_t v = uint32_t(raw.value);
  switch (property) {
    case panel_property::kBorderStyle:
      if (Store(p.border_style, ClampProperty(v, kMaxBorderStyle))) panel->BorderChanged();
      return true;
    case panel_property::kBackColour:
      if (Store(p.back_colour, v)) {
        panel->ResetOffscreen();
        panel->Repaint();
      }
      return true;
    case panel_property::kBackPicture: {
      const auto* bytes = static_cast<const uint8_t*>(raw.data);
      p.back_picture.assign(bytes, bytes == nullptr ? bytes : bytes + raw.length);
      panel->ResetOffscreen();
      panel->Repaint();
      return true;
    }
    case panel_property::kBackPictureMode:
      if (Store(p.back_picture_mode, ClampProperty(v, kMaxPictureMode))) panel->Repaint();
      return true;
    case panel_property::kAutoRedraw:
      if (p.auto_redraw != (v != 0)) {
        p.auto_redraw = v != 0;
        panel->ResetOffscreen();
      }
      return true;
    case panel_property::kCoordinateUnit:
      if (Store(p.coordinate_unit, ClampProperty(v, kMaxCoordinateUnit))) panel->MakeFont();
      return true;
    case panel_property::kPenStyle:
      if (Store(p.pen_style, ClampProperty(v, kMaxPenStyle))) panel->MakePen();
      return true;
    case panel_property::kPenWidth:
      if (Store(p.pen_width, ClampProperty(v, kMaxPenWidth))) panel->MakePen();
      return true;
    case panel_property::kPenColour:
      if (Store(p.pen_colour, v)) panel->MakePen();
      return true;
    case panel_property::kBrushStyle:
      if (Store(p.brush_style, ClampProperty(v, kMaxBrushStyle))) panel->MakeBrush();
      return true;
    case panel_property::kBrushColour:
      if (Store(p.brush_colour, v)) panel->MakeBrush();
      return true;
    case panel_property::kDrawMode: p.draw_mode = ClampProperty(v, kMaxDrawMode); return true;
    case panel_property::kTextColour: p.text_colour = v; return true;
    case panel_property::kTextBackColour: p.text_back_colour = v; return true;
    case panel_property::kFont: {
      const auto* bytes = static_cast<const uint8_t*>(raw.data);
      p.font.assign(bytes, bytes == nullptr ? bytes : bytes + raw.length);
      panel->MakeFont();
      return true;
    }
    default:
      return false;  // the client size is read only
  }
}

}  // namespace

constinit const TypeDescriptor kDrawPanelType =
    MakeType("画板", "DrawPanel", kRaisesEvents, kProperties,
             Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
