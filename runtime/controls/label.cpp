// Label: a line of static text on its parent's background.
#include "platform/text/gbk.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/window_system.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<29>({
    {8, "标题", "Caption", data_type::kText},
});

ComponentObject* Create(const CreateRequest& request) {
  std::optional<LabelBlock> block = DecodeBlock<LabelBlock>(request.property_block);
  if (!block) return nullptr;
  // Static text until the surfaces can draw text themselves.
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kLabel);
  params.text = platform::GbkToUtf8(block->caption);
  params.border = BorderFromStyle(block->border_style);
  params.align = block->alignment <= 2 ? static_cast<ui::TextAlign>(block->alignment)
                                       : ui::TextAlign::kLeft;
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new ControlObject(type_id::kLabel, handle, request.control_id);
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kLabelType =
    MakeType("标签", "Label", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
