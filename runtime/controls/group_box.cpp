// Group box: a framed container with a caption; the components inside it are re-parented
// to it at load.
#include "platform/text/gbk.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kGroupBox>({
    {property::kGroupBoxCaption, "标题", "Caption", data_type::kText},
});

ComponentObject* Create(const CreateRequest& request) {
  std::optional<GroupBoxBlock> block = DecodeBlock<GroupBoxBlock>(request.property_block);
  if (!block) return nullptr;
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kGroupBox);
  params.text = platform::GbkToUtf8(block->caption);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new ControlObject(type_id::kGroupBox, handle, request.control_id);
}

}  // namespace

constinit const TypeDescriptor kGroupBoxType =
    MakeType(type_id::kGroupBox, kRaisesEvents, kProperties, Operations<&Create>);

}  // namespace barvell::runtime::controls
