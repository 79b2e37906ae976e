#pragma once
// The fixed screen of the headless window system: every size a headless run can see.

#include "platform/ui/metrics.h"

namespace barvell::ui {

inline constexpr ScreenMetrics kHeadlessMetrics{
    .width = 1920,
    .height = 1080,
    .dpi = 96,
    .sizeableFrame = 8,
    .fixedFrame = 3,
    .captionHeight = 23,
    .toolCaptionHeight = 17,
    .menuBarHeight = 20,
    .clientEdge = 2,
    .buttonFace = 0xF0F0F0,
};

// Width of a control's border on each side, by ControlBorder value.
inline constexpr int kControlBorderInset[] = {0, 2, 3, 1, 5, 1};

}  // namespace barvell::ui
