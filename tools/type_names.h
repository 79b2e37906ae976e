// Source keywords of the component types, flags and cursors.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "barvell/call_interface.h"
#include "runtime/call/component_flags.h"
#include "runtime/controls/component_types.h"

namespace barvell::tools {

struct FlagName {
  std::string_view keyword;
  uint32_t bit;
};

// Control records.
inline constexpr FlagName kComponentFlagNames[] = {
    {"visible", runtime::component_flag::kVisible},
    {"disabled", runtime::component_flag::kDisabled},
    {"tab_stop", runtime::component_flag::kTabStop}};
// Menu item records.
inline constexpr FlagName kMenuFlagNames[] = {{"hidden", runtime::menu_flag::kHidden},
                                              {"disabled", runtime::menu_flag::kDisabled},
                                              {"checked", runtime::menu_flag::kChecked}};

// The type keywords are those of the runtime's component type list.
inline std::optional<TypeId> TypeOfKeyword(std::string_view keyword) {
  for (const runtime::controls::ComponentType& t : runtime::controls::kComponentTypes) {
    if (t.keyword == keyword) return t.id;
  }
  return std::nullopt;
}

inline std::optional<std::string_view> KeywordOfType(TypeId type) {
  const runtime::controls::ComponentType* t = runtime::controls::FindComponentType(type);
  if (t == nullptr) return std::nullopt;
  return t->keyword;
}

}  // namespace barvell::tools
