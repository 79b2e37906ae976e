#include "menus.h"

#include "program_windows.h"
#include "service_calls.h"

namespace barvell::app {

HandlerResult MainWindow_ShowTutorial(const uint32_t*, uint32_t) {
  LoadModalWindow(kTutorialWindow);
  return HandlerResult::None();
}

HandlerResult MainWindow_ShowAbout(const uint32_t*, uint32_t) {
  ShowMessageBox("版本：V1.0", kInformationIcon);
  return HandlerResult::None();
}

}  // namespace barvell::app
