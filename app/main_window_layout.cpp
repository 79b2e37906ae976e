#include "main_window_layout.h"

#include "control_calls.h"
#include "main_window_controls.h"
#include "rulers.h"

namespace barvell::app {

namespace {

using namespace main_window;

// The settings column keeps this gap to the window's right edge.
constexpr int32_t kColumnGap = 2;
// The cover at the top right is this wide, from the right edge.
constexpr int32_t kTopCoverWidth = 200;

int32_t Get(ComponentId c, int32_t p) { return ReadInt(kWindow, c, p); }
void Set(ComponentId c, int32_t p, int32_t v) { WriteInt(kWindow, c, p, v); }

}  // namespace

void LayOutMainWindow() {
  using namespace property;
  const int32_t w = ClientWidth(kWindow);
  const int32_t h = ClientHeight(kWindow);

  // The status bar keeps to the bottom edge, as the platform's status bars do; the
  // preview area ends at its top.
  Set(kStatusBar, kLeft, 0);
  Set(kStatusBar, kTop, h - Get(kStatusBar, kHeight));
  Set(kStatusBar, kWidth, w);

  const int32_t column = w - Get(kCodeGroup, kWidth) - kColumnGap;
  for (ComponentId c : {kCodeGroup, kPictureGroup, kSettingsGroup, kSavePicture}) {
    Set(c, kLeft, column);
  }
  Set(kHorizontalRuler, kWidth, column - Get(kHorizontalRuler, kLeft));
  Set(kVerticalBar, kLeft, column - Get(kVerticalBar, kWidth));
  Set(kVerticalRuler, kHeight, Get(kStatusBar, kTop) - Get(kVerticalRuler, kTop));
  Set(kHorizontalBar, kTop, Get(kStatusBar, kTop) - Get(kHorizontalBar, kHeight));
  Set(kVerticalBar, kHeight, Get(kHorizontalBar, kTop) - Get(kVerticalBar, kTop));
  Set(kHorizontalBar, kWidth, Get(kVerticalBar, kLeft) - Get(kHorizontalBar, kLeft));
  Set(kVerticalBar, kBarMaximum,
      Get(kPanel, kHeight) - Get(kVerticalRuler, kHeight) + Get(kHorizontalBar, kHeight));
  Set(kHorizontalBar, kBarMaximum,
      Get(kPanel, kWidth) - Get(kHorizontalRuler, kWidth) + Get(kVerticalBar, kWidth));
  Set(kTopCover, kHeight, h);
  Set(kTopCover, kLeft, w - kTopCoverWidth);
  Set(kBarCorner, kLeft, Get(kVerticalBar, kLeft));
  Set(kBarCorner, kTop, Get(kHorizontalBar, kTop));
  DrawRulers();
}

}  // namespace barvell::app
