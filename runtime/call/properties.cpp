#include "runtime/call/properties.h"

#include <span>
#include <string_view>

#include "runtime/call/error_report.h"
#include "runtime/call/font_description.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/property_values.h"
#include "runtime/call/type_descriptor.h"

namespace barvell::runtime {

namespace {

int64_t PointerValue(const void* p) { return int64_t(reinterpret_cast<uintptr_t>(p)); }

template <typename T>
T* PointerOf(uint64_t bits) {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(bits));
}

std::string_view TextOf(uint64_t bits) {
  const char* text = PointerOf<const char>(bits);
  return text != nullptr ? std::string_view(text) : std::string_view();
}

// The elements of a byte array block; null is the empty array.
std::span<const uint8_t> ByteArrayOf(uint64_t bits) {
  const void* block = PointerOf<const void>(bits);
  if (block == nullptr) return {};
  return {ArrayElements(block), ArrayElementCount(block)};
}

ComponentView* RequireComponent(WindowId window, ComponentId component) {
  // The lookup finds no component of a window the registry does not hold.
  ComponentView* view = FindComponent(window, component);
  if (view == nullptr) FatalError("未载入欲访问窗口组件所在的窗口", window, component);
  return view;
}

uint32_t SetBit(uint32_t flags, uint32_t bit, bool on) { return on ? (flags | bit) : (flags & ~bit); }

// ---- menu items

int64_t ReadMenuProperty(const ComponentView& item, int32_t property) {
  uint32_t flags = item.Flags();
  switch (property) {
    case menu_property::kCaption: return PointerValue(CopyText(item.Caption()));
    case menu_property::kChecked: return (flags & menu_flag::kChecked) != 0;
    case menu_property::kDisabled: return (flags & menu_flag::kDisabled) != 0;
    case menu_property::kVisible: return (flags & menu_flag::kHidden) == 0;
    default: return 0;
  }
}

void WriteMenuProperty(ComponentView& item, int32_t property, uint64_t value) {
  uint32_t flags = item.Flags();
  bool on = uint32_t(value) != 0;
  switch (property) {
    case menu_property::kCaption: item.SetCaption(TextOf(value)); break;
    case menu_property::kChecked: item.SetFlags(SetBit(flags, menu_flag::kChecked, on)); break;
    case menu_property::kDisabled: item.SetFlags(SetBit(flags, menu_flag::kDisabled, on)); break;
    case menu_property::kVisible: item.SetFlags(SetBit(flags, menu_flag::kHidden, !on)); break;
    default: return;
  }
  item.MenuChanged();
}

// ---- common properties 0 to 7

int32_t GeometryMember(const ComponentGeometry& g, int32_t property) {
  switch (property) {
    case common_property::kLeft: return g.left;
    case common_property::kTop: return g.top;
    case common_property::kWidth: return g.width;
    default: return g.height;
  }
}

void SetGeometryMember(ComponentGeometry& g, int32_t property, int32_t value) {
  switch (property) {
    case common_property::kLeft: g.left = value; break;
    case common_property::kTop: g.top = value; break;
    case common_property::kWidth: g.width = value; break;
    default: g.height = value; break;
  }
}

int64_t ReadCommonProperty(const ComponentView& view, int32_t property) {
  ComponentObject* object = view.Object();
  bool live = object != nullptr && object->HasWindow();
  switch (property) {
    case common_property::kLeft:
    case common_property::kTop:
    case common_property::kWidth:
    case common_property::kHeight:
      return GeometryMember(live ? object->Geometry() : view.TemplateGeometry(), property);
    case common_property::kTag: return PointerValue(CopyText(view.Tag()));
    case common_property::kVisible:
      return live ? object->IsVisible() : (view.Flags() & component_flag::kVisible) != 0;
    case common_property::kDisabled:
      return live ? !object->IsEnabled() : (view.Flags() & component_flag::kDisabled) != 0;
    default: return PointerValue(NewByteArray(view.CursorData()));
  }
}

void WriteCommonProperty(ComponentView& view, int32_t property, uint64_t value) {
  ComponentObject* object = view.Object();
  bool live = object != nullptr && object->HasWindow();
  bool on = uint32_t(value) != 0;
  switch (property) {
    case common_property::kLeft:
    case common_property::kTop:
    case common_property::kWidth:
    case common_property::kHeight: {
      ComponentGeometry g = live ? object->Geometry() : view.TemplateGeometry();
      SetGeometryMember(g, property, int32_t(uint32_t(value)));
      if (live) {
        object->SetGeometry(g);
      } else {
        view.SetTemplateGeometry(g);
      }
      break;
    }
    case common_property::kTag: view.SetTag(TextOf(value)); break;
    case common_property::kVisible:
      if (live) {
        object->SetVisible(on);
      } else {
        view.SetFlags(SetBit(view.Flags(), component_flag::kVisible, on));
      }
      break;
    case common_property::kDisabled:
      if (live) {
        object->SetEnabled(!on);
      } else {
        view.SetFlags(SetBit(view.Flags(), component_flag::kDisabled, on));
      }
      break;
    default:
      view.SetCursorData(ByteArrayOf(value));
      if (live) object->CursorChanged(view.CursorData());
      break;
  }
}

// ---- type-specific properties

int64_t ReadTypeProperty(const TypeDescriptor* type, ComponentObject* object, int32_t property,
                         int32_t element) {
  const PropertyDescriptor* descriptor = type != nullptr ? type->Property(property) : nullptr;
  if (descriptor == nullptr) return 0;
  auto read = type->GetOperation<ReadPropertyOperation>(type_operation::kReadProperty);
  RawProperty raw;
  if (read == nullptr || !read(object, property, &raw)) raw = RawProperty{};
  return ConvertReadValue(descriptor->data_type, raw, element);
}

void WriteTypeProperty(const TypeDescriptor* type, ComponentObject* object, int32_t property,
                       int32_t element, uint64_t value) {
  const PropertyDescriptor* descriptor = type != nullptr ? type->Property(property) : nullptr;
  if (descriptor == nullptr) return;
  auto write = type->GetOperation<WritePropertyOperation>(type_operation::kWriteProperty);
  if (write == nullptr) return;

  RawProperty raw;
  FontDescription font;
  switch (descriptor->data_type) {
    case data_type::kInt:
    case data_type::kInt2:
    case data_type::kColour:
    case data_type::kChoice:
    case data_type::kChoice2:
    case data_type::kChoice3:
      raw.value = uint32_t(value);
      break;
    case data_type::kLong:
    case data_type::kLong2:
      raw.value = value;
      break;
    case data_type::kLogical:
      raw.value = uint32_t(value) != 0 ? 1 : 0;
      break;
    case data_type::kPicture:
    case data_type::kIcon:
    case data_type::kMousePointer:
    case data_type::kSound:
    case data_type::kBytes:
    case data_type::kBytes2: {
      std::span<const uint8_t> bytes = ByteArrayOf(value);
      raw.data = bytes.data();
      raw.length = uint32_t(bytes.size());
      break;
    }
    case data_type::kFont: {
      // A member is written into the font the component has now.
      RawProperty current;
      auto read = type->GetOperation<ReadPropertyOperation>(type_operation::kReadProperty);
      if (read == nullptr || !read(object, property, &current)) current = RawProperty{};
      font = FontFromBytes(current.data == nullptr
                               ? std::span<const uint8_t>()
                               : std::span(static_cast<const uint8_t*>(current.data),
                                           current.length));
      WriteFontMember(font, element, value);
      raw.data = font.data();
      raw.length = uint32_t(font.size());
      break;
    }
    default:
      raw.data = PointerOf<const char>(value) != nullptr ? PointerOf<const char>(value) : "";
      break;
  }
  write(object, property, raw);
}

}  // namespace

int64_t ReadProperty(WindowId window, ComponentId component, int32_t property,
                     int32_t element) {
  ComponentView* view = RequireComponent(window, component);
  if (view->IsMenuItem()) return ReadMenuProperty(*view, property);
  if (property < 0) return 0;
  if (property < common_property::kFirstTypeSpecific) return ReadCommonProperty(*view, property);
  ComponentObject* object = view->Object();
  if (object == nullptr || !object->HasWindow()) {
    FatalError("读取组件属性时发现指定窗口尚未载入", window, component);
  }
  return ReadTypeProperty(FindTypeDescriptor(view->Type()), object,
                          property - common_property::kFirstTypeSpecific, element);
}

void WriteProperty(WindowId window, ComponentId component, int32_t property, int32_t element,
                   uint32_t low, uint32_t high) {
  uint64_t value = uint64_t(high) << 32 | low;
  ComponentView* view = RequireComponent(window, component);
  if (view->IsMenuItem()) return WriteMenuProperty(*view, property, value);
  if (property < 0) return;
  if (property < common_property::kFirstTypeSpecific) {
    return WriteCommonProperty(*view, property, value);
  }
  ComponentObject* object = view->Object();
  if (object == nullptr || !object->HasWindow()) {
    FatalError("修改组件属性时发现指定窗口尚未载入", window, component);
  }
  WriteTypeProperty(FindTypeDescriptor(view->Type()), object,
                    property - common_property::kFirstTypeSpecific, element, value);
}

int64_t ReadObjectProperty(TypeId type, ComponentObject* object, int32_t property,
                           int32_t element) {
  if (object == nullptr) return 0;
  return ReadTypeProperty(FindTypeDescriptor(type), object, property, element);
}

void WriteObjectProperty(TypeId type, ComponentObject* object, int32_t property,
                         int32_t element, uint64_t value) {
  if (object == nullptr) return;
  WriteTypeProperty(FindTypeDescriptor(type), object, property, element, value);
}

}  // namespace barvell::runtime
