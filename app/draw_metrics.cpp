#include "draw_metrics.h"

#include <cmath>
#include <limits>

#include "control_calls.h"
#include "kernel.h"
#include "main_window_controls.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

using namespace main_window;

constexpr double kMmPerInch = 25.4;
// Digit height in millimetres to points, as the drawing has always sized them.
constexpr double kFontFactor = 2.83;
constexpr double kFontDivisor = 96;
constexpr int32_t kFontSizeMember = 5;

DrawMetrics g_metrics;

int32_t IntSetting(ComponentId edit) { return ToInteger(EditText(kWindow, edit)); }
double NumberSetting(ComponentId edit) { return ToNumber(EditText(kWindow, edit)); }
double Scale() { return double(g_metrics.pixels_per_mm); }

}  // namespace

DrawMetrics& Metrics() { return g_metrics; }

int32_t Pixels(double value) {
  // A setting far out of range (or not a number) must not make the conversion undefined.
  if (std::isnan(value)) return 0;
  double t = std::trunc(value);
  if (t >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (t <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return int32_t(t);
}

void SetPanelSize() {
  g_metrics.pixels_per_mm = float(IntSetting(kResolution) / kMmPerInch);
  WriteInt(kWindow, kPanel, property::kWidth, Pixels(IntSetting(kOutputWidth) * Scale()));
  WriteInt(kWindow, kPanel, property::kHeight, Pixels(IntSetting(kOutputHeight) * Scale()));
}

void PrepareDrawing() {
  WriteInt(kWindow, kPanel, property::kBrushColour, ReadInt(kWindow, kLineColour, property::kColour));
  WriteInt(kWindow, kPanel, property::kTextColour, ReadInt(kWindow, kTextColour, property::kColour));
  g_metrics.left = Pixels(NumberSetting(kLeftMargin) * Scale());
  g_metrics.top = Pixels(NumberSetting(kTopMargin) * Scale());
  g_metrics.module = Pixels(Scale() * NumberSetting(kLineThickness));
  g_metrics.bar_bottom = Pixels(g_metrics.top + Scale() * NumberSetting(kBarHeight));
  g_metrics.cursor = 0;
  int32_t points =
      Pixels(NumberSetting(kFontSize) * NumberSetting(kResolution) * kFontFactor / kFontDivisor);
  Kernel().WriteProperty(kWindow, kPanel, property::kFont, kFontSizeMember, uint32_t(points), 0);
}

int32_t LongBarBottom() {
  return Pixels(g_metrics.bar_bottom + NumberSetting(kGuardExtension) * Scale());
}

}  // namespace barvell::app
