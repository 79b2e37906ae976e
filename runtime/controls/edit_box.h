// The edit box as the library commands reach it.
#pragma once

#include <string_view>

#include "runtime/call/component_view.h"

namespace barvell::runtime::controls {

// Appends `gbk` at the end of the edit box's text and leaves the caret after it, where the
// box shows it. False when `object` is no edit box.
bool AppendToEditBox(ComponentObject* object, std::string_view gbk);

}  // namespace barvell::runtime::controls
