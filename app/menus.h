// The main window's 帮助 menu: 教程 opens the tutorial window, 关于 shows the version.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

HandlerResult MainWindow_ShowTutorial(const uint32_t* args, uint32_t count);
HandlerResult MainWindow_ShowAbout(const uint32_t* args, uint32_t count);

}  // namespace barvell::app
