// Button: a native push button with its caption; Enter presses it when it has the focus.
#include "platform/text/gbk.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kButton>({
    {property::kButtonCaption, "标题", "Caption", data_type::kText},
});

class ButtonObject : public ControlObject {
 public:
  using ControlObject::ControlObject;
  bool ActsAsDefaultButton() const override { return true; }
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<ButtonBlock> block = DecodeBlock<ButtonBlock>(request.property_block);
  if (!block) return nullptr;
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kPushButton);
  params.text = platform::GbkToUtf8(block->caption);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new ButtonObject(type_id::kButton, handle, request.control_id);
}

}  // namespace

constinit const TypeDescriptor kButtonType =
    MakeType(type_id::kButton, kRaisesEvents, kProperties, Operations<&Create>);

}  // namespace barvell::runtime::controls
