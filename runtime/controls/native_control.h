// Creating a component's platform control from a create request.
#pragma once

#include <memory>

#include "platform/gfx/bitmap.h"
#include "platform/ui/window_params.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/create_request.h"

namespace barvell::runtime::controls {

// The parameters every control takes from the request: parent, rectangle, style bits.
ui::ControlParams ParamsFor(const CreateRequest& request, ui::ControlKind kind);

// A control whose face is a bitmap the runtime draws (draw panel, picture box, bars,
// colour picker): the object owns the bitmap the surface shows.
class SurfaceObject : public ControlObject {
 public:
  SurfaceObject(TypeId type, ui::WindowHandle handle, int control_id, int width, int height,
                uint32_t background_rgb);
  ~SurfaceObject() override;
  gfx::Bitmap& Bitmap() { return bitmap_; }
  uint32_t Background() const { return background_; }
  // Shows the bitmap as it is now.
  void Present();

 private:
  gfx::Bitmap bitmap_;
  uint32_t background_;
};

// Creates a surface (or owner-drawn button) control for the request, with a bitmap of the
// control's size filled with the background; null when the control cannot be made.
std::unique_ptr<SurfaceObject> CreateSurface(TypeId type, const CreateRequest& request,
                                             ui::ControlKind kind, ui::ControlBorder border,
                                             uint32_t background_rgb);

}  // namespace barvell::runtime::controls
