// Millimetre settings turned into the pixel geometry of the main panel. Every conversion is
// done in double precision, PixelsPerMm entering as its single-precision value, and a pixel
// integer is formed by truncation toward zero.
#pragma once

#include <cstdint>

namespace barvell::app {

struct DrawMetrics {
  float pixels_per_mm = 0;  // print resolution (dpi) / 25.4
  int32_t left = 0;         // x of the start guard's first module
  int32_t top = 0;          // y of the top of every bar
  int32_t module = 0;       // width of one module
  int32_t bar_bottom = 0;   // normal bars end here (exclusive); the digits start here
  int32_t cursor = 0;       // x of the next module, relative to left
};

// The main window's one record, shared by every drawing on its panel.
DrawMetrics& Metrics();

// PixelsPerMm from the resolution box, then the panel's width and height from the output
// size boxes (whole millimetres).
void SetPanelSize();
// Bar and digit colours from the pickers, left, top, module and bar bottom from the
// settings, cursor 0, and the panel font's size in points.
void PrepareDrawing();

// Bottom of the guard bars, which reach below the normal bars by the guard extension.
int32_t LongBarBottom();
// trunc(value): the pixel integer of a conversion.
int32_t Pixels(double value);

}  // namespace barvell::app
