// Source keywords of the component types, flags and cursors.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "barvell/call_interface.h"

namespace barvell::tools {

struct TypeName {
  std::string_view keyword;
  TypeId type;
};

inline constexpr TypeName kTypeNames[] = {
    {"window", type_id::kWindow},
    {"menu_item", type_id::kMenuItem},
    {"edit_box", type_id::kEditBox},
    {"picture_box", type_id::kPictureBox},
    {"draw_panel", type_id::kDrawPanel},
    {"group_box", type_id::kGroupBox},
    {"label", type_id::kLabel},
    {"button", type_id::kButton},
    {"combo_box", type_id::kComboBox},
    {"colour_picker", type_id::kColourPicker},
    {"common_dialog", type_id::kCommonDialog},
    {"super_bar", type_id::kSuperBar},
    {"status_bar", type_id::kStatusBar},
};

struct FlagName {
  std::string_view keyword;
  uint32_t bit;
};

// Control records.
inline constexpr FlagName kComponentFlagNames[] = {
    {"visible", 1}, {"disabled", 2}, {"tab_stop", 4}};
// Menu item records.
inline constexpr FlagName kMenuFlagNames[] = {{"hidden", 1}, {"disabled", 2}, {"checked", 4}};

inline std::optional<TypeId> TypeOfKeyword(std::string_view keyword) {
  for (const TypeName& t : kTypeNames) {
    if (t.keyword == keyword) return t.type;
  }
  return std::nullopt;
}

inline std::optional<std::string_view> KeywordOfType(TypeId type) {
  for (const TypeName& t : kTypeNames) {
    if (t.type == type) return t.keyword;
  }
  return std::nullopt;
}

}  // namespace barvell::tools
