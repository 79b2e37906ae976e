// The draw panel's library commands (numbers in barvell::command, 20 upwards). The first
// argument of each is the panel as a component reference; a reference to a missing
// component is the fatal error of the service callback, a component of another type is
// ignored.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"

namespace barvell::runtime {

// panel, [x], [y], [width], [height]: the rectangle (device pixels) in the background.
void ClearCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, x1, y1, x2, y2: a line with the pen, the end point not painted.
void DrawLineCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, x1, y1, x2, y2: x1 <= x < x2, y1 <= y < y2 with the brush, corners in any order.
void FillRectangleCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, [x], [y], value, ...: each value's text, one after the other.
void WriteAtCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, value -> int: the extent of the value's text in the panel's font and unit.
void TextWidthCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void TextHeightCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, [width], [height] -> byte array: the picture as a 24-bit BMP file.
void GetPictureCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, x, y, colour: one pixel.
void SetPixelCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// panel, x1, y1, x2, y2: outline with the pen, inside with the brush.
void DrawRectangleCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
