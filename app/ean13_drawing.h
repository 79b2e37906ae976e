// An EAN-13 code drawn on the main panel at the current DrawMetrics.
#pragma once

#include <string>

namespace barvell::app {

// The leading digit, then each segment's caption and bars; moves the cursor by 95 modules.
void DrawEan13(const std::string& full_code);
// The whole panel cleared, its background from the 背景颜色 picker, pending messages run,
// the cursor reset, then DrawEan13. Used once per code by the product-code batch.
void RenderEan13(const std::string& full_code);

}  // namespace barvell::app
