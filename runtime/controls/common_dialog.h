// The common-dialog control's settings as the dialog commands read and update them.
#pragma once

#include "runtime/controls/property_blocks.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime::controls {

namespace dialog_kind {
constexpr uint32_t kOpen = 0;
constexpr uint32_t kSave = 1;
constexpr uint32_t kFont = 2;
constexpr uint32_t kColour = 3;
}  // namespace dialog_kind

// The live settings of a common-dialog control (its property values), or null when the
// object is not one.
CommonDialogBlock* CommonDialogSettings(ComponentObject* object);

}  // namespace barvell::runtime::controls
