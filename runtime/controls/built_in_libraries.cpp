// The runtime's own command libraries in their numbering: library 1 is the core library
// (text and numbers) with the component types of library 1; library 2 holds the
// multi-function bar, library 3 the status bar.
#include <algorithm>
#include <array>
#include <utility>

#include "runtime/call/command_library.h"
#include "runtime/controls/component_types.h"
#include "runtime/controls/control_types.h"

namespace barvell::runtime {

namespace {

using namespace controls;

// Each descriptor by its TypeId: the types of the component type list, each once.
constexpr std::pair<TypeId, const TypeDescriptor*> kOwnTypes[] = {
    {type_id::kWindow, &kWindowType},
    {type_id::kMenuItem, &kMenuItemType},
    {type_id::kEditBox, &kEditBoxType},
    {type_id::kPictureBox, &kPicBoxType},
    {type_id::kDrawPanel, &kDrawPanelType},
    {type_id::kGroupBox, &kGroupBoxType},
    {type_id::kLabel, &kLabelType},
    {type_id::kButton, &kButtonType},
    {type_id::kComboBox, &kComboBoxType},
    {type_id::kColourPicker, &kColorPickerType},
    {type_id::kCommonDialog, &kCommonDlgType},
    {type_id::kSuperBar, &kSuperBarType},
    {type_id::kStatusBar, &kStatusBarType},
};

consteval bool EveryListedTypeHasADescriptor() {
  if (std::size(kOwnTypes) != std::size(kComponentTypes)) return false;
  for (const ComponentType& type : kComponentTypes) {
    int found = 0;
    for (const auto& [id, descriptor] : kOwnTypes) found += id == type.id ? 1 : 0;
    if (found != 1) return false;
  }
  return true;
}
static_assert(EveryListedTypeHasADescriptor());

constexpr uint32_t LibraryOf(TypeId id) { return id >> 16; }
constexpr uint32_t NumberOf(TypeId id) { return id & 0xFFFF; }

// The highest type number of a library: its table's length.
constexpr size_t TypeCount(uint32_t library) {
  uint32_t count = 0;
  for (const ComponentType& type : kComponentTypes) {
    if (LibraryOf(type.id) == library) count = std::max(count, NumberOf(type.id));
  }
  return count;
}

// Type number n at index n - 1; numbers without a type of this runtime stay empty. Copied
// from the types' own constant tables, which are initialised before any code runs.
template <uint32_t kLibrary>
std::array<TypeDescriptor, TypeCount(kLibrary)> TypesOf() {
  std::array<TypeDescriptor, TypeCount(kLibrary)> table{};
  for (const auto& [id, descriptor] : kOwnTypes) {
    if (LibraryOf(id) == kLibrary) table[NumberOf(id) - 1] = *descriptor;
  }
  return table;
}

const auto kLibrary1Types = TypesOf<1>();
const auto kLibrary2Types = TypesOf<2>();
const auto kLibrary3Types = TypesOf<3>();

const CommandLibrary kLibrary1 = {
    kCoreLibrary.name,    kCoreLibrary.command_count, kCoreLibrary.commands,
    int32_t(kLibrary1Types.size()), kLibrary1Types.data(), kCoreLibrary.notify,
};
const CommandLibrary kLibrary2 = {
    "superbar", 0, nullptr, int32_t(kLibrary2Types.size()), kLibrary2Types.data(), nullptr,
};
const CommandLibrary kLibrary3 = {
    "statusbar", 0, nullptr, int32_t(kLibrary3Types.size()), kLibrary3Types.data(), nullptr,
};

const CommandLibrary* const kBuiltInLibraries[] = {&kLibrary1, &kLibrary2, &kLibrary3};

}  // namespace

std::span<const CommandLibrary* const> BuiltInLibraries() { return kBuiltInLibraries; }

}  // namespace barvell::runtime
