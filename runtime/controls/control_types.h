// The descriptors of the runtime's own component types (component_types.h lists them),
// each defined in its own file.
#pragma once

#include "runtime/call/type_descriptor.h"

namespace barvell::runtime::controls {

// Library 1.
extern const TypeDescriptor kWindowType;       // type 1
extern const TypeDescriptor kMenuItemType;     // type 3
extern const TypeDescriptor kEditBoxType;      // type 5
extern const TypeDescriptor kPicBoxType;       // type 6
extern const TypeDescriptor kDrawPanelType;    // type 8
extern const TypeDescriptor kGroupBoxType;     // type 9
extern const TypeDescriptor kLabelType;        // type 10
extern const TypeDescriptor kButtonType;       // type 11
extern const TypeDescriptor kComboBoxType;     // type 14
extern const TypeDescriptor kColorPickerType;  // type 28
extern const TypeDescriptor kCommonDlgType;    // type 31
// Library 2.
extern const TypeDescriptor kSuperBarType;     // type 1
// Library 3.
extern const TypeDescriptor kStatusBarType;    // type 2

}  // namespace barvell::runtime::controls
