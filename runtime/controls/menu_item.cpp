// Menu item: no window of its own; the loader builds the menu bar from the menu run, and
// its four properties (caption, checked, disabled, visible) live in its record.
#include "runtime/controls/control_types.h"
#include "runtime/controls/type_table.h"

namespace barvell::runtime::controls {

namespace {

constexpr std::array<PropertyDescriptor, 0> kNoProperties{};

TypeOperation Interface(int32_t) { return nullptr; }

}  // namespace

constinit const TypeDescriptor kMenuItemType =
    MakeType(type_id::kMenuItem, kRaisesEvents, kNoProperties, Interface);

}  // namespace barvell::runtime::controls
