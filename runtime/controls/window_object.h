// The live object of a window component: its top-level window and the options of its
// window PropertyBlock that the loader and the dispatcher read.
#pragma once

#include "runtime/controls/control_object.h"
#include "runtime/controls/property_blocks.h"

namespace barvell::runtime::controls {

class WindowObject : public ControlObject {
 public:
  WindowObject(ui::WindowHandle handle, WindowBlock block)
      : ControlObject(type_id::kWindow, handle, 0), block_(std::move(block)) {}
  const WindowBlock& Block() const { return block_; }

 private:
  WindowBlock block_;
};

}  // namespace barvell::runtime::controls
