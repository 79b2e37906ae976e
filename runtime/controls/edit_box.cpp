// Edit box: a native edit control, single or multi-line, with its template text.
#include "runtime/controls/edit_box.h"

#include <memory>
#include <string>

#include "platform/text/ascii_text.h"
#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/call/heap.h"
#include "runtime/controls/border_style.h"
#include "runtime/controls/component_address.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kEditBox>({
    {property::kEditContent, "内容", "Content", data_type::kText},
});

// What an integer box lets through: digits, the minus sign and the editing characters
// (back-space and the like), so that a user can still correct what was typed.
bool IntegerCharacter(char32_t c) { return c < 0x20 || (c >= U'0' && c <= U'9') || c == U'-'; }

// A code list is ASCII, the same bytes in both encodings: the text read is taken over as
// it is rather than copied, so a long list is not held once more for the read.
std::string ToGbk(std::string utf8) {
  if (platform::IsAscii(utf8)) return utf8;
  return platform::Utf8ToGbk(utf8);
}

class EditBoxObject : public ControlObject {
 public:
  EditBoxObject(ui::WindowHandle handle, int control_id, ComponentAddress address,
                bool multi_line, uint32_t input_mode)
      : ControlObject(type_id::kEditBox, handle, control_id),
        address_(address),
        multi_line_(multi_line),
        input_mode_(input_mode) {}

  // Every edit box moves its caret with the arrows; a multi-line one also takes Enter.
  bool WantsKey(int key) const override {
    bool arrow = key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
                 key == ui::key::kDown;
    return arrow || (multi_line_ && key == ui::key::kReturn);
  }

  char32_t FilterCharacter(char32_t c) const override {
    return input_mode_ == input_mode::kInteger && !IntegerCharacter(c) ? 0 : c;
  }

  std::string Content() const { return ToGbk(Ui().GetText(Handle())); }

  // A written text counts as a change, as one typed by the user does: event 0 once.
  void SetContent(std::string_view gbk) {
    Ui().SetText(Handle(), platform::GbkToUtf8(gbk));
    address_.RaisePrincipalEvent();
  }

  // Only the new text is converted: appending line by line stays linear in the list.
  void Append(std::string_view gbk) { Ui().AppendText(Handle(), platform::GbkToUtf8(gbk)); }

 private:
  ComponentAddress address_;
  bool multi_line_;
  uint32_t input_mode_;
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
  return new EditBoxObject(handle, request.control_id, ComponentAddress::Of(request),
                           params.multiLine, block->input_mode);
}

bool Read(ComponentObject* object, int32_t number, RawProperty* out) {
  auto* box = dynamic_cast<EditBoxObject*>(object);
  if (box == nullptr || PublicProperty(number) != property::kEditContent) return false;
  // Made as its block straight away: a copy held here until the next read would keep a
  // long list twice in memory.
  out->text_block = CopyText(box->Content());
  return true;
}

bool Write(ComponentObject* object, int32_t number, const RawProperty& value) {
  auto* box = dynamic_cast<EditBoxObject*>(object);
  if (box == nullptr || PublicProperty(number) != property::kEditContent) return false;
  box->SetContent(static_cast<const char*>(value.data));
  return true;
}

}  // namespace

bool AppendToEditBox(ComponentObject* object, std::string_view gbk) {
  auto* box = dynamic_cast<EditBoxObject*>(object);
  if (box == nullptr) return false;
  box->Append(gbk);
  return true;
}

constinit const TypeDescriptor kEditBoxType =
    MakeType(type_id::kEditBox, kRaisesEvents, kProperties,
             Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
