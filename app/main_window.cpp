#include <optional>
#include <string>

#include "control_calls.h"
#include "draw_metrics.h"
#include "ean13.h"
#include "ean13_drawing.h"
#include "export.h"
#include "main_window_controls.h"
#include "main_window_handlers.h"
#include "main_window_layout.h"
#include "panel_calls.h"
#include "program_windows.h"
#include "rulers.h"
#include "service_calls.h"
#include "settings.h"

namespace barvell::app {

namespace {

using namespace main_window;

constexpr char kNoCodeMessage[] = "请输入编码信息";

HandlerResult Done() { return HandlerResult::None(); }

void RefuseEmptyInput() { ShowMessageBox(kNoCodeMessage, kErrorIcon); }

// The single-code drawing: a clean panel in the background colour, repainted, then the code.
void DrawSingleCode(const std::string& code) {
  Clear({kWindow, kPanel});
  WriteInt(kWindow, kPanel, property::kBackColour,
           ReadInt(kWindow, kBackColour, property::kColour));
  DoEvents();
  PrepareDrawing();
  DrawEan13(code);
}

HandlerResult Store(ComponentId setting) {
  SaveSetting(setting);
  return Done();
}

// The preview moves under the fixed rulers.
void ScrollPanel(ComponentId bar, int32_t panel_property) {
  WriteInt(kWindow, kPanel, panel_property,
           kRulerThickness - ReadInt(kWindow, bar, property::kBarPosition));
}

}  // namespace

HandlerResult MainWindow_Created(const uint32_t*, uint32_t) {
  BuildEan13Tables();
  StartImaging();
  // The panel takes the template's size; loaded sizes wait for 刷新.
  SetPanelSize();
  DrawRulers();
  LoadSettings();
  return Done();
}

HandlerResult MainWindow_Destroying(const uint32_t*, uint32_t) {
  StopImaging();
  return Done();
}

HandlerResult MainWindow_Sized(const uint32_t*, uint32_t) {
  LayOutMainWindow();
  return Done();
}

HandlerResult MainWindow_ComputeCode_Click(const uint32_t*, uint32_t) {
  std::optional<std::string> full =
      CompleteCode(EditText(kWindow, kFixedCode), EditText(kWindow, kSelfCode));
  if (!full) {
    RefuseEmptyInput();
  } else {
    SetEditText(kWindow, kFullCode, *full);
  }
  return Done();
}

HandlerResult MainWindow_DrawFullCode_Click(const uint32_t*, uint32_t) {
  // The inputs are tested, not the full code: that is drawn as 计算编码 last left it.
  if (EditText(kWindow, kFixedCode).empty() || EditText(kWindow, kSelfCode).empty()) {
    RefuseEmptyInput();
    return Done();
  }
  DrawSingleCode(EditText(kWindow, kFullCode));
  return Done();
}

HandlerResult MainWindow_DrawProductCode_Click(const uint32_t*, uint32_t) {
  if (EditText(kWindow, kProductCode).empty()) {
    RefuseEmptyInput();
    return Done();
  }
  DrawSingleCode(EditText(kWindow, kProductCode));
  return Done();
}

HandlerResult MainWindow_SavePicture_Click(const uint32_t*, uint32_t) {
  SavePicture();
  return Done();
}

HandlerResult MainWindow_Refresh_Click(const uint32_t*, uint32_t) {
  SetPanelSize();
  LayOutMainWindow();
  return Done();
}

HandlerResult MainWindow_ProductBatch_Click(const uint32_t*, uint32_t) {
  LoadModalWindow(kProductBatchWindow);
  return Done();
}

HandlerResult MainWindow_Code39Batch_Click(const uint32_t*, uint32_t) {
  LoadModalWindow(kCode39BatchWindow);
  return Done();
}

HandlerResult MainWindow_HorizontalBar_Changed(const uint32_t*, uint32_t) {
  ScrollPanel(kHorizontalBar, property::kLeft);
  return Done();
}

HandlerResult MainWindow_VerticalBar_Changed(const uint32_t*, uint32_t) {
  ScrollPanel(kVerticalBar, property::kTop);
  return Done();
}

HandlerResult MainWindow_OutputWidth_Changed(const uint32_t*, uint32_t) { return Store(kOutputWidth); }
HandlerResult MainWindow_OutputHeight_Changed(const uint32_t*, uint32_t) { return Store(kOutputHeight); }
HandlerResult MainWindow_Resolution_Changed(const uint32_t*, uint32_t) { return Store(kResolution); }
HandlerResult MainWindow_SaveFormat_Changed(const uint32_t*, uint32_t) { return Store(kSaveFormat); }
HandlerResult MainWindow_BackColour_Changed(const uint32_t*, uint32_t) { return Store(kBackColour); }
HandlerResult MainWindow_LineColour_Changed(const uint32_t*, uint32_t) { return Store(kLineColour); }
HandlerResult MainWindow_TextColour_Changed(const uint32_t*, uint32_t) { return Store(kTextColour); }
HandlerResult MainWindow_BarHeight_Changed(const uint32_t*, uint32_t) { return Store(kBarHeight); }
HandlerResult MainWindow_GuardExtension_Changed(const uint32_t*, uint32_t) {
  return Store(kGuardExtension);
}
HandlerResult MainWindow_TopMargin_Changed(const uint32_t*, uint32_t) { return Store(kTopMargin); }
HandlerResult MainWindow_LeftMargin_Changed(const uint32_t*, uint32_t) { return Store(kLeftMargin); }
HandlerResult MainWindow_FontSize_Changed(const uint32_t*, uint32_t) { return Store(kFontSize); }

}  // namespace barvell::app
