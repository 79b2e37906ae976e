// The draw panel's commands on a panel of a loaded window, in device pixels.
#pragma once

#include <cstdint>
#include <string>

#include "barvell/call_interface.h"
#include "byte_array.h"

namespace barvell::app {

struct PanelRef {
  WindowId window;
  ComponentId panel;
};

// The whole panel in its current background colour.
void Clear(PanelRef p);
void FillRectangle(PanelRef p, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawLine(PanelRef p, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void WriteAt(PanelRef p, int32_t x, int32_t y, const std::string& text);
int32_t TextWidth(PanelRef p, const std::string& text);
int32_t TextHeight(PanelRef p, const std::string& text);
// The panel's whole picture as BMP file bytes (empty when the panel has no pixels).
ByteArray GetPicture(PanelRef p);

}  // namespace barvell::app
