// A Code 39 symbol with its text drawn on the main panel at the current DrawMetrics, and
// the main window's Code 39 生成图片.
#pragma once

#include <string>

#include "barvell/call_interface.h"

namespace barvell::app {

// The symbol's bars from top to bar bottom (no long guards), then the text as given,
// centred under the whole symbol one millimetre below the bars. Sets the panel font's
// size, the brush colour and the coordinate unit; moves the cursor by the symbol's width.
void DrawCode39(const std::string& text);
// The whole panel cleared, its background from the 背景颜色 picker, pending messages run,
// the cursor reset, then DrawCode39. Used once per code by the Code 39 batch.
void RenderCode39(const std::string& text);
// The Code 39 edit box's text drawn afresh; an empty text is refused with a message.
void GenerateCode39Image();

HandlerResult MainWindow_DrawCode39_Click(const uint32_t* args, uint32_t count);

}  // namespace barvell::app
