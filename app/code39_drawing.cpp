#include "code39_drawing.h"

#include "code39.h"
#include "control_calls.h"
#include "draw_metrics.h"
#include "kernel.h"
#include "main_window_controls.h"
#include "panel_calls.h"
#include "service_calls.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

constexpr PanelRef kPanel{main_window::kWindow, main_window::kPanel};
constexpr int32_t kFontSizeMember = 5;

// Millimetres of the 字体大小 box at the resolution's dots per inch, in points.
int32_t FontPoints() {
  double millimetres = ToNumber(EditText(main_window::kWindow, main_window::kFontSize));
  double dpi = ToNumber(EditText(main_window::kWindow, main_window::kResolution));
  return Pixels(millimetres * dpi * 2.83 / 96);
}

int32_t PickerColour(ComponentId picker) {
  return ReadInt(main_window::kWindow, picker, property::kColour);
}

void SetPanelInt(int32_t property, int32_t value) {
  WriteInt(kPanel.window, kPanel.panel, property, value);
}

void ClearToBackground() {
  Clear(kPanel);
  SetPanelInt(property::kBackColour, PickerColour(main_window::kBackColour));
  DoEvents();
}

}  // namespace

void DrawCode39(const std::string& text) {
  DrawMetrics& m = Metrics();
  const std::string pattern = Code39Symbol(text);
  Kernel().WriteProperty(kPanel.window, kPanel.panel, property::kFont, kFontSizeMember,
                         uint32_t(FontPoints()), 0);
  SetPanelInt(property::kBrushColour, PickerColour(main_window::kLineColour));
  // Sums saturate: an absurd line thickness or margin must not overflow them.
  for (char module : pattern) {
    const int32_t x = Pixels(double(m.left) + m.cursor);
    if (module == '1') FillRectangle(kPanel, x, m.top, Pixels(double(x) + m.module), m.bar_bottom);
    m.cursor = Pixels(double(m.cursor) + m.module);
  }
  SetPanelInt(property::kCoordinateUnit, 0);
  // The text as given, skipped bytes and lower case included, centred under the symbol.
  const int32_t width = TextWidth(kPanel, text);
  const int32_t x = Pixels((double(m.cursor) - width) / 2.0 + m.left);
  const int32_t y = Pixels(m.bar_bottom + double(m.pixels_per_mm));
  WriteAt(kPanel, x, y, text);
}

void RenderCode39(const std::string& text) {
  ClearToBackground();
  Metrics().cursor = 0;
  DrawCode39(text);
}

void GenerateCode39Image() {
  const std::string text = EditText(main_window::kWindow, main_window::kCode39Text);
  if (text.empty()) {
    ShowMessageBox("请输入编码信息", kErrorIcon);
    return;
  }
  ClearToBackground();
  PrepareDrawing();
  DrawCode39(text);
}

HandlerResult MainWindow_DrawCode39_Click(const uint32_t*, uint32_t) {
  GenerateCode39Image();
  return HandlerResult::None();
}

}  // namespace barvell::app
