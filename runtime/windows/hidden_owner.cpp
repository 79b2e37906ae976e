#include "runtime/windows/hidden_owner.h"

#include "runtime/call/runtime_state.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

ui::WindowHandle HiddenOwnerWindow() {
  ui::WindowHandle& owner = State().hidden_owner;
  if (owner == ui::kNoWindow || !Ui().IsWindow(owner)) owner = Ui().CreateHiddenOwner();
  return owner;
}

void DestroyHiddenOwnerWindow() {
  ui::WindowHandle& owner = State().hidden_owner;
  if (owner != ui::kNoWindow && HasWindowSystem()) Ui().Destroy(owner);
  owner = ui::kNoWindow;
}

}  // namespace barvell::runtime
