// Colours of the templates (COLORREF, 0x00BBGGRR; 0xFF000000 = the default) as the
// window system takes them (0x00RRGGBB).
#pragma once

#include <cstdint>

namespace barvell::runtime::controls {

constexpr uint32_t kDefaultColourRef = 0xFF000000;

constexpr uint32_t ColourRefToRgb(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// A background colour: the default is the system's button face.
uint32_t BackgroundRgb(uint32_t colour);

}  // namespace barvell::runtime::controls
