#include "ean13_drawing.h"

#include "control_calls.h"
#include "draw_metrics.h"
#include "ean13.h"
#include "main_window_controls.h"
#include "panel_calls.h"
#include "service_calls.h"

namespace barvell::app {

namespace {

using namespace main_window;

constexpr PanelRef kMainPanel{kWindow, kPanel};
// A digit's text starts this far (in millimetres) right of its symbol's first module.
constexpr double kCaptionInsetMm = 0.3;
// The leading digit's right edge stands about half its width before the start guard.
constexpr double kLeadingOffsetWidths = 1.5;

}  // namespace

void DrawEan13(const std::string& full_code) {
  DrawMetrics& m = Metrics();
  const double scale = double(m.pixels_per_mm);
  Ean13Symbol symbol = EncodeEan13(full_code);

  int32_t w = TextWidth(kMainPanel, symbol.leading_caption);
  WriteAt(kMainPanel,
          Pixels(double(m.cursor) + m.left - kLeadingOffsetWidths * w + kCaptionInsetMm * scale),
          m.bar_bottom, symbol.leading_caption);

  const int32_t long_bottom = LongBarBottom();
  for (const BarSegment& segment : symbol.segments) {
    if (segment.kind == SegmentKind::DigitSymbol) {
      WriteAt(kMainPanel, Pixels(double(m.cursor) + m.left + kCaptionInsetMm * scale), m.bar_bottom,
              segment.caption);
    }
    WriteInt(kWindow, kPanel, property::kBrushColour,
             ReadInt(kWindow, kLineColour, property::kColour));
    const int32_t bottom = segment.is_long ? long_bottom : m.bar_bottom;
    for (char module : segment.pattern) {
      if (module == '1') {
        const int32_t x = Pixels(double(m.left) + m.cursor);
        FillRectangle(kMainPanel, x, m.top, Pixels(double(x) + m.module), bottom);
      }
      m.cursor = Pixels(double(m.cursor) + m.module);
    }
  }
}

void RenderEan13(const std::string& full_code) {
  Clear(kMainPanel);
  WriteInt(kWindow, kPanel, property::kBackColour, ReadInt(kWindow, kBackColour, property::kColour));
  DoEvents();
  Metrics().cursor = 0;
  DrawEan13(full_code);
}

}  // namespace barvell::app
