// Reading and writing component properties by window, component and property number
// (kernel entries 5 and 6), and properties of free-standing objects (services 4 and 5).
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

// Common properties 0 to 7 of every component, and those of menu items: the public
// numbers under the names the runtime reads them by.
namespace common_property {
constexpr int32_t kLeft = property::kLeft;
constexpr int32_t kTop = property::kTop;
constexpr int32_t kWidth = property::kWidth;
constexpr int32_t kHeight = property::kHeight;
constexpr int32_t kTag = property::kTag;
constexpr int32_t kVisible = property::kVisible;
constexpr int32_t kDisabled = property::kDisabled;
constexpr int32_t kMousePointer = property::kMousePointer;
constexpr int32_t kFirstTypeSpecific = kMousePointer + 1;
}  // namespace common_property

namespace menu_property {
constexpr int32_t kCaption = property::kMenuCaption;
constexpr int32_t kChecked = property::kMenuChecked;
constexpr int32_t kDisabled = property::kMenuDisabled;
constexpr int32_t kVisible = property::kMenuVisible;
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
