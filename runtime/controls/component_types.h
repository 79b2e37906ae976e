// The runtime's component types, each named once: its TypeId (the public name of
// call_interface.h), its spellings, its number of properties, whether its records end in
// a property block, and its keyword in the window template sources. The type descriptors
// take their names and property counts from here, the built-in libraries place the
// descriptors by these ids, the property blocks are tied to these ids, and the template
// compiler reads its keywords here.
//
// Texts are in the execution character set of the code that includes this: GBK inside
// the runtime (the descriptors' Chinese names), UTF-8 in the build-time tools, which use
// only the ASCII spellings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "barvell/call_interface.h"

namespace barvell::runtime::controls {

struct ComponentType {
  TypeId id;
  const char* english_name;  // the type name
  const char* chinese_name;
  // The window class of the runtime's own window for it; null for a platform control.
  const char* window_class;
  // With the eight shared ones (menu items have four of their own instead, none here).
  int32_t properties;
  bool has_block;       // a property block ends its template records
  const char* keyword;  // in the template sources
};

inline constexpr ComponentType kComponentTypes[] = {
    {type_id::kWindow, "Window", "窗口", "QZWindow", 32, true, "window"},
    {type_id::kMenuItem, "Menu", "菜单", nullptr, 8, false, "menu_item"},
    {type_id::kEditBox, "EditBox", "编辑框", nullptr, 29, true, "edit_box"},
    {type_id::kPictureBox, "PicBox", "图片框", "_GX_PicBox", 15, true, "picture_box"},
    {type_id::kDrawPanel, "DrawPanel", "画板", "_GX_DrawPanel", 25, true, "draw_panel"},
    {type_id::kGroupBox, "GroupBox", "分组框", nullptr, 13, true, "group_box"},
    {type_id::kLabel, "Label", "标签", "_GX_Label", 29, true, "label"},
    {type_id::kButton, "Button", "按钮", nullptr, 14, true, "button"},
    {type_id::kComboBox, "ComboBox", "组合框", nullptr, 25, true, "combo_box"},
    {type_id::kColourPicker, "ColorPicker", "颜色选择器", nullptr, 10, true, "colour_picker"},
    {type_id::kCommonDialog, "CommonDlg", "通用对话框", "_GX_CommonDlg", 30, true,
     "common_dialog"},
    {type_id::kSuperBar, "SuperBar", "多功能条", nullptr, 68, true, "super_bar"},
    {type_id::kStatusBar, "StatusBar", "状态条", nullptr, 14, true, "status_bar"},
};

constexpr const ComponentType* FindComponentType(TypeId id) {
  for (const ComponentType& type : kComponentTypes) {
    if (type.id == id) return &type;
  }
  return nullptr;
}

// For constant tables: in a constant expression a TypeId that is not in the list does not
// compile. (No pointer comparison: GCC's UBSan build cannot evaluate one here.)
constexpr const ComponentType& ComponentTypeOf(TypeId id) {
  for (const ComponentType& type : kComponentTypes) {
    if (type.id == id) return type;
  }
  throw "not a component type of the runtime";
}

namespace component_types_check {
consteval bool IdsAreDistinctAndNumbered() {
  for (size_t i = 0; i < std::size(kComponentTypes); ++i) {
    TypeId id = kComponentTypes[i].id;
    if ((id >> 16) == 0 || (id & 0xFFFF) == 0) return false;  // library and type from 1
    for (size_t j = 0; j < i; ++j) {
      if (kComponentTypes[j].id == id) return false;
      if (std::string_view(kComponentTypes[j].keyword) == kComponentTypes[i].keyword) {
        return false;
      }
    }
  }
  return true;
}
static_assert(IdsAreDistinctAndNumbered());
}  // namespace component_types_check

}  // namespace barvell::runtime::controls
