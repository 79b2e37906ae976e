#include "runtime/windows/close_handling.h"

#include <set>

#include "runtime/call/event_records.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

namespace {

// Window components' platform windows that have had their about-to-be-destroyed event.
// Handles are never reused, so a window loaded again starts afresh.
std::set<ui::WindowHandle>& HadDestroyingEvent() {
  static std::set<ui::WindowHandle> handles;
  return handles;
}

bool Alive(const Window& window) {
  ui::WindowHandle handle = HandleOf(window, 0);
  return handle != ui::kNoWindow && Ui().IsWindow(handle);
}

void RaiseAboutToBeDestroyed(Window& window) {
  ui::WindowHandle handle = HandleOf(window, 0);
  if (handle == ui::kNoWindow || !HadDestroyingEvent().insert(handle).second) return;
  RaiseEvent(window.Id(), 0, event::kDestroying);
}

}  // namespace

bool CloseProgramWindow(Window& window) {
  WindowId id = window.Id();
  if (RaiseEvent(id, 0, event::kCloseRequested).Refused()) return false;
  if (!Alive(window)) return true;  // the handler closed it itself
  EventOutcome may_close = RaiseEvent(id, 0, event::kMayClose);
  if (!Alive(window)) return true;
  if (may_close.Refused()) return false;
  ReenableModalOwners(window);
  DestroyProgramWindow(window);
  return true;
}

void DestroyProgramWindow(Window& window) {
  RaiseAboutToBeDestroyed(window);
  // The handler of event 2 may have destroyed the window already.
  if (Alive(window)) Ui().Destroy(HandleOf(window, 0));
  ProgramWindowDestroyed(window);
}

void ProgramWindowDestroyed(Window& window) {
  ui::WindowHandle handle = HandleOf(window, 0);
  if (handle == ui::kNoWindow) return;  // torn down already
  RaiseAboutToBeDestroyed(window);
  TeardownWindow(window);
  HadDestroyingEvent().erase(handle);
}

}  // namespace barvell::runtime
