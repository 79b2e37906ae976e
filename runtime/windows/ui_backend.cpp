#include "runtime/windows/ui_backend.h"

#include <cstdio>
#include <cstdlib>

namespace barvell::runtime {

namespace {
ui::WindowSystem* g_system = nullptr;
}

void SetWindowSystem(ui::WindowSystem* system) { g_system = system; }

ui::WindowSystem& Ui() {
  if (g_system == nullptr) {
    // A programming error of the entry point, not a user's: there is no window to report in.
    std::fputs("barvell: no window system\n", stderr);
    std::abort();
  }
  return *g_system;
}

bool HasWindowSystem() { return g_system != nullptr; }

}  // namespace barvell::runtime
