// The tutorial window's 电脑直接查看: the tutorial page that ships beside the program,
// opened in the default browser.
#pragma once

#include <string>

#include "barvell/call_interface.h"

namespace barvell::app {

// The run directory + "\tutorial\index.html".
std::string TutorialPagePath();

HandlerResult Tutorial_OpenPage_Click(const uint32_t* args, uint32_t count);

}  // namespace barvell::app
