// The main window's settings in boot.ini beside the program, section "条码生成". The
// controls hold the live values; the file is copied into them at start and each change
// is written back at once.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

void LoadSettings();
// Writes the value of one settings control of the main window under its key.
void SaveSetting(ComponentId control);

}  // namespace barvell::app
