// Reading and writing component properties by window, component and property number
// (kernel entries 5 and 6), and properties of free-standing objects (services 4 and 5).
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

// Common properties 0 to 7 of every component.
namespace common_property {
constexpr int32_t kLeft = 0;
constexpr int32_t kTop = 1;
constexpr int32_t kWidth = 2;
constexpr int32_t kHeight = 3;
constexpr int32_t kTag = 4;
constexpr int32_t kVisible = 5;
constexpr int32_t kDisabled = 6;
constexpr int32_t kMousePointer = 7;
constexpr int32_t kFirstTypeSpecific = 8;
}  // namespace common_property

// Properties of menu items.
namespace menu_property {
constexpr int32_t kCaption = 0;
constexpr int32_t kChecked = 1;
constexpr int32_t kDisabled = 2;
constexpr int32_t kVisible = 3;
}  // namespace menu_property

// `element` is the element index of a property with members (the font), or -1. Texts and
// byte arrays read are new heap blocks owned by the caller.
int64_t ReadProperty(WindowId window, ComponentId component, int32_t property,
                     int32_t element);
void WriteProperty(WindowId window, ComponentId component, int32_t property, int32_t element,
                   uint32_t low, uint32_t high);

// A free-standing object of a type: `property` numbers the type's own properties.
int64_t ReadObjectProperty(TypeId type, ComponentObject* object, int32_t property,
                           int32_t element);
void WriteObjectProperty(TypeId type, ComponentObject* object, int32_t property,
                         int32_t element, uint64_t value);

}  // namespace barvell::runtime
