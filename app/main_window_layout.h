// The main window's preview area fitted to its client size: the settings column at the
// right, the rulers and scroll bars around the preview, and their scroll ranges.
#pragma once

namespace barvell::app {

// Ends by redrawing the rulers.
void LayOutMainWindow();

}  // namespace barvell::app
