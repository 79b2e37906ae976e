// The millimetre rulers above and left of the preview, at the current PixelsPerMm.
#pragma once

namespace barvell::app {

void DrawRulers();

}  // namespace barvell::app
