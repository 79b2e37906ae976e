#include "tutorial.h"

#include "service_calls.h"

namespace barvell::app {

std::string TutorialPagePath() { return GetRunDirectory() + "\\tutorial\\index.html"; }

HandlerResult Tutorial_OpenPage_Click(const uint32_t*, uint32_t) {
  // A page that cannot be opened is not reported.
  OpenWithShell(TutorialPagePath());
  return HandlerResult::None();
}

}  // namespace barvell::app
