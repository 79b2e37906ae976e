#include "panel_calls.h"

#include "library_call.h"

namespace barvell::app {

namespace {

ArgRecord PanelArg(PanelRef p) { return ControlArg(type_id::kDrawPanel, p.window, p.panel); }

}  // namespace

void Clear(PanelRef p) { CallCommand(command::kClear, {PanelArg(p)}); }

void FillRectangle(PanelRef p, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  CallCommand(command::kFillRectangle, {PanelArg(p), ArgRecord::Int(x1), ArgRecord::Int(y1),
                                        ArgRecord::Int(x2), ArgRecord::Int(y2)});
}

void DrawLine(PanelRef p, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  CallCommand(command::kDrawLine, {PanelArg(p), ArgRecord::Int(x1), ArgRecord::Int(y1),
                                   ArgRecord::Int(x2), ArgRecord::Int(y2)});
}

void WriteAt(PanelRef p, int32_t x, int32_t y, const std::string& text) {
  CallCommand(command::kWriteAt,
              {PanelArg(p), ArgRecord::Int(x), ArgRecord::Int(y), TextArg(text)});
}

int32_t TextWidth(PanelRef p, const std::string& text) {
  return CallCommand(command::kTextWidth, {PanelArg(p), TextArg(text)}).Int();
}

int32_t TextHeight(PanelRef p, const std::string& text) {
  return CallCommand(command::kTextHeight, {PanelArg(p), TextArg(text)}).Int();
}

ByteArray GetPicture(PanelRef p) {
  return ByteArray(CallCommand(command::kGetPicture, {PanelArg(p)}).Pointer<void>());
}

}  // namespace barvell::app
