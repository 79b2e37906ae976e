// Label: a line of static text on its parent's background; its caption can be read and
// rewritten.
#include <string>

#include "platform/text/gbk.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kLabel>({
    {property::kLabelCaption, "标题", "Caption", data_type::kText},
});

class LabelObject : public ControlObject {
 public:
  LabelObject(ui::WindowHandle handle, int control_id)
      : ControlObject(type_id::kLabel, handle, control_id) {}

  const std::string& Caption() {
    caption_ = platform::Utf8ToGbk(Ui().GetText(Handle()));
    return caption_;
  }
  void SetCaption(const char* gbk) { Ui().SetText(Handle(), platform::GbkToUtf8(gbk)); }

 private:
  std::string caption_;  // the text last read, alive until the next read
};

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
  return new LabelObject(handle, request.control_id);
}

bool Read(ComponentObject* object, int32_t number, RawProperty* out) {
  auto* label = dynamic_cast<LabelObject*>(object);
  if (label == nullptr || PublicProperty(number) != property::kLabelCaption) return false;
  out->data = label->Caption().c_str();
  return true;
}

bool Write(ComponentObject* object, int32_t number, const RawProperty& value) {
  auto* label = dynamic_cast<LabelObject*>(object);
  if (label == nullptr || PublicProperty(number) != property::kLabelCaption) return false;
  label->SetCaption(static_cast<const char*>(value.data));
  return true;
}

}  // namespace

constinit const TypeDescriptor kLabelType =
    MakeType(type_id::kLabel, kRaisesEvents, kProperties, Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
