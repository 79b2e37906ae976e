// The runtime's own command libraries in their numbering: library 1 is the core library
// (text and numbers) with the component types of library 1; library 2 holds the
// multi-function bar, library 3 the status bar.
#include <array>

#include "runtime/call/command_library.h"
#include "runtime/controls/control_types.h"

namespace barvell::runtime {

namespace {

using namespace controls;

// Type number n at index n - 1; numbers without a type of this runtime stay empty.
template <size_t kCount>
std::array<TypeDescriptor, kCount> Types(
    std::initializer_list<std::pair<int, const TypeDescriptor*>> types) {
  std::array<TypeDescriptor, kCount> table{};
  for (const auto& [number, descriptor] : types) table[size_t(number - 1)] = *descriptor;
  return table;
}

// Copied from the types' own constant tables, which are initialised before any code runs.
const std::array<TypeDescriptor, 31> kLibrary1Types = Types<31>({
    {1, &kWindowType},
    {3, &kMenuItemType},
    {5, &kEditBoxType},
    {6, &kPicBoxType},
    {8, &kDrawPanelType},
    {9, &kGroupBoxType},
    {10, &kLabelType},
    {11, &kButtonType},
    {14, &kComboBoxType},
    {28, &kColorPickerType},
    {31, &kCommonDlgType},
});
const std::array<TypeDescriptor, 1> kLibrary2Types = Types<1>({{1, &kSuperBarType}});
const std::array<TypeDescriptor, 2> kLibrary3Types = Types<2>({{2, &kStatusBarType}});

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
