// Edit box: a native edit control, single or multi-line, with its template text.
#include <memory>

#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/window_system.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<29>({
    {8, "内容", "Content", data_type::kText},
});

class EditBoxObject : public ControlObject {
 public:
  EditBoxObject(ui::WindowHandle handle, int control_id, bool multi_line)
      : ControlObject(type_id::kEditBox, handle, control_id), multi_line_(multi_line) {}

  // A multi-line box moves its caret with the arrows and takes Enter as a line break.
  bool WantsKey(int key) const override {
    // Every edit box moves its caret with the arrows; a multi-line one also takes Enter.
    bool arrow = key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
                 key == ui::key::kDown;
    return arrow || (multi_line_ && key == ui::key::kReturn);
  }

 private:
  bool multi_line_;
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<EditBoxBlock> block = DecodeBlock<EditBoxBlock>(request.property_block);
  if (!block) return nullptr;
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kEdit);
  params.text = platform::GbkToUtf8(block->content);
  params.multiLine = block->multi_line != 0;
  params.readOnly = block->input_mode == input_mode::kReadOnly;
  params.border = BorderFromStyle(block->border_style);
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new EditBoxObject(handle, request.control_id, params.multiLine);
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kEditBoxType =
    MakeType("编辑框", "EditBox", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
