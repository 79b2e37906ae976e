#pragma once
// Sizes of the screen and of window decorations.

#include <cstdint>

namespace barvell::ui {

struct ScreenMetrics {
  int width = 0;
  int height = 0;
  int dpi = 96;
  int sizeableFrame = 0;  // each side of a sizeable window's frame
  int fixedFrame = 0;     // each side of a fixed window's frame
  int captionHeight = 0;
  int toolCaptionHeight = 0;
  int menuBarHeight = 0;
  int clientEdge = 0;     // each side of a sunken client edge
  std::uint32_t buttonFace = 0xF0F0F0;  // the system's face colour, 0x00RRGGBB
};

}  // namespace barvell::ui
