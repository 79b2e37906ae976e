#include "rulers.h"

#include "control_calls.h"
#include "draw_metrics.h"
#include "main_window_controls.h"
#include "panel_calls.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

using namespace main_window;

// Ticks run from these depths to the ruler's inner edge: centimetres, half centimetres,
// millimetres.
constexpr int32_t kCentimetreTick = 12;
constexpr int32_t kHalfCentimetreTick = 17;
constexpr int32_t kMillimetreTick = 22;
constexpr int32_t kLabelInset = 1;

enum class Axis { kHorizontal, kVertical };

void DrawTick(PanelRef ruler, Axis axis, int32_t p, int32_t depth) {
  if (axis == Axis::kHorizontal) {
    DrawLine(ruler, p, depth, p, kRulerThickness);
  } else {
    DrawLine(ruler, depth, p, kRulerThickness, p);
  }
}

// The centimetre label k (0 in the corner), centred on its tick along the ruler.
void DrawLabel(PanelRef ruler, Axis axis, int32_t p, int32_t k) {
  if (k == 0) {
    WriteAt(ruler, 0, kLabelInset, "0");
    return;
  }
  std::string text = ToText(k);
  if (axis == Axis::kHorizontal) {
    WriteAt(ruler, Pixels(p - TextWidth(ruler, text) / 2.0), kLabelInset, text);
  } else {
    WriteAt(ruler, kLabelInset, Pixels(p - TextHeight(ruler, text) / 2.0), text);
  }
}

void DrawRuler(ComponentId id, Axis axis) {
  const PanelRef ruler{kWindow, id};
  Clear(ruler);
  const double scale = double(Metrics().pixels_per_mm);
  // At no positive scale the ticks would never reach the end: there is nothing to mark.
  if (!(scale > 0)) return;
  const int32_t length =
      ReadInt(kWindow, id, axis == Axis::kHorizontal ? property::kWidth : property::kHeight);
  int32_t k = 0;
  for (int32_t n = 0;; ++n) {
    const int32_t p = Pixels(n * scale);
    if (p >= length) break;
    if (n % 10 == 0) {
      DrawTick(ruler, axis, p, kCentimetreTick);
      DrawLabel(ruler, axis, p, k++);
    } else if (n % 5 == 0) {
      DrawTick(ruler, axis, p, kHalfCentimetreTick);
    } else {
      DrawTick(ruler, axis, p, kMillimetreTick);
    }
  }
}

}  // namespace

void DrawRulers() {
  DrawRuler(kHorizontalRuler, Axis::kHorizontal);
  DrawRuler(kVerticalRuler, Axis::kVertical);
}

}  // namespace barvell::app
