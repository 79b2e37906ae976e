// Common dialog: a component without a visible window that keeps its dialog settings
// (title, filter, ...) for the dialog commands.
#include <memory>

#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kCommonDialog>({
    {8, "类型", "DialogKind", data_type::kInt},
    {17, "标题", "Title", data_type::kText},
    {18, "文件名", "FileName", data_type::kText},
    {19, "过滤器", "Filter", data_type::kText},
});

class CommonDialogObject : public ControlObject {
 public:
  CommonDialogObject(ui::WindowHandle handle, int control_id, CommonDialogBlock settings)
      : ControlObject(type_id::kCommonDialog, handle, control_id),
        settings_(std::move(settings)) {}
  const CommonDialogBlock& Settings() const { return settings_; }

 private:
  CommonDialogBlock settings_;
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<CommonDialogBlock> block = DecodeBlock<CommonDialogBlock>(request.property_block);
  if (!block) return nullptr;
  // A window of its own all the same, never shown, so that the component counts as live.
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kSurface);
  params.visible = false;
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new CommonDialogObject(handle, request.control_id, std::move(*block));
}

}  // namespace

constinit const TypeDescriptor kCommonDlgType = MakeType(
    type_id::kCommonDialog, kRaisesEvents | type_flag::kNoVisibleWindow, kProperties,
    Operations<&Create>);

}  // namespace barvell::runtime::controls
