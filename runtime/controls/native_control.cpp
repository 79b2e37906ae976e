#include "runtime/controls/native_control.h"

#include <algorithm>

#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

ui::ControlParams ParamsFor(const CreateRequest& request, ui::ControlKind kind) {
  ui::ControlParams params;
  params.kind = kind;
  params.parent = request.parent;
  params.rect = {request.rect.left, request.rect.top, request.rect.width, request.rect.height};
  params.visible = request.visible;
  params.enabled = request.enabled;
  params.tabStop = request.tab_stop;
  return params;
}

SurfaceObject::SurfaceObject(TypeId type, ui::WindowHandle handle, int control_id, int width,
                             int height, uint32_t background_rgb)
    : ControlObject(type, handle, control_id),
      bitmap_(std::max(width, 0), std::max(height, 0), background_rgb),
      background_(background_rgb) {}

SurfaceObject::~SurfaceObject() {
  // The surface must not keep showing a bitmap that is going away.
  if (HasWindow()) Ui().SetSurfaceBitmap(Handle(), nullptr, background_);
}

void SurfaceObject::Present() {
  Ui().SetSurfaceBitmap(Handle(), &bitmap_, background_);
  Ui().Invalidate(Handle());
}

std::unique_ptr<SurfaceObject> CreateSurface(TypeId type, const CreateRequest& request,
                                             ui::ControlKind kind, ui::ControlBorder border,
                                             uint32_t background_rgb) {
  ui::ControlParams params = ParamsFor(request, kind);
  params.border = border;
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  ui::Size client = Ui().ClientSize(handle);
  auto object = std::make_unique<SurfaceObject>(type, handle, request.control_id, client.width,
                                                client.height, background_rgb);
  object->Present();
  return object;
}

}  // namespace barvell::runtime::controls
