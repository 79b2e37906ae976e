// Library commands of the other controls: client-area measures, combo box item data and
// appending to an edit box. A component argument is a reference record: tag TypeId, low
// word WindowId, high word ComponentId; a missing or unloaded component is fatal.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

// (window or control) -> int: client-area width / height in pixels.
void GetClientWidthCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void GetClientHeightCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (combo box, index) -> int: the item's data, -1 outside 0 .. count - 1.
void ComboItemDataCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (edit box, text, [text ...]) -> none: each text appended at the end in order.
void AppendTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
