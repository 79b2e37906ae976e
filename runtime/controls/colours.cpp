#include "runtime/controls/colours.h"

#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

uint32_t BackgroundRgb(uint32_t colour) {
  if (colour == kDefaultColourRef) return Ui().Metrics().buttonFace;
  return ColourRefToRgb(colour & 0x00FFFFFF);
}

}  // namespace barvell::runtime::controls
