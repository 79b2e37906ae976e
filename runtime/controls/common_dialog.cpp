// Common dialog: a component without a visible window that keeps the settings of the
// file dialog (kind, title, filter, flags, ...) for the dialog commands, which also put
// the chosen file name back into it.
#include "runtime/controls/common_dialog.h"

#include <algorithm>
#include <memory>
#include <string>

#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kCommonDialog>({
    {property::kDialogKind, "类型", "DialogKind", data_type::kInt},
    {property::kDialogTitle, "标题", "DialogTitle", data_type::kText},
    {property::kFileName, "文件名", "FileName", data_type::kText},
    {property::kFilter, "过滤器", "Filter", data_type::kText},
    {property::kFilterIndex, "初始过滤器", "FilterIndex", data_type::kInt},
    {property::kInitialDirectory, "初始目录", "InitialDirectory", data_type::kText},
    {property::kDefaultExtension, "默认文件后缀", "DefaultExtension", data_type::kText},
    {property::kCreatePrompt, "文件不存在时提示", "CreatePrompt", data_type::kLogical},
    {property::kFileMustExist, "文件必须存在", "FileMustExist", data_type::kLogical},
    {property::kOverwritePrompt, "文件覆盖提示", "OverwritePrompt", data_type::kLogical},
    {property::kPathMustExist, "目录必须存在", "PathMustExist", data_type::kLogical},
    {property::kKeepCurrentDirectory, "不改变当前目录", "KeepCurrentDirectory", data_type::kLogical},
});

uint32_t ClampedKind(uint32_t kind) {
  return std::clamp(int32_t(kind), int32_t(dialog_kind::kOpen), int32_t(dialog_kind::kColour));
}
uint32_t NonNegative(uint32_t index) { return int32_t(index) < 0 ? 0 : index; }
uint32_t Logical(uint32_t value) { return value != 0 ? 1 : 0; }

// Stored values are kept as a read gives them back: kind in 0..3, index at least 0,
// flags 0 or 1.
void Normalise(CommonDialogBlock& b) {
  b.dialog_kind = ClampedKind(b.dialog_kind);
  b.filter_index = NonNegative(b.filter_index);
  for (uint32_t* flag : {&b.create_prompt, &b.file_must_exist, &b.overwrite_prompt,
                         &b.path_must_exist, &b.keep_current_directory}) {
    *flag = Logical(*flag);
  }
}

class CommonDialogObject : public ControlObject {
 public:
  CommonDialogObject(ui::WindowHandle handle, int control_id, CommonDialogBlock settings)
      : ControlObject(type_id::kCommonDialog, handle, control_id),
        settings_(std::move(settings)) {}
  CommonDialogBlock& Settings() { return settings_; }

  bool Read(int32_t number, RawProperty* out) const {
    if (const std::string* text = TextProperty(number)) {
      out->data = text->c_str();
      return true;
    }
    if (const uint32_t* word = WordProperty(number)) {
      out->value = *word;
      return true;
    }
    return false;
  }

  bool Write(int32_t number, const RawProperty& value) {
    if (std::string* text = TextProperty(number)) {
      *text = value.data != nullptr ? static_cast<const char*>(value.data) : "";
      return true;
    }
    uint32_t* word = WordProperty(number);
    if (word == nullptr) return false;
    *word = uint32_t(value.value);
    Normalise(settings_);
    return true;
  }

 private:
  std::string* TextProperty(int32_t number) {
    switch (PublicProperty(number)) {
      case property::kDialogTitle: return &settings_.title;
      case property::kFileName: return &settings_.file_name;
      case property::kFilter: return &settings_.filter;
      case property::kInitialDirectory: return &settings_.initial_directory;
      case property::kDefaultExtension: return &settings_.default_extension;
      default: return nullptr;
    }
  }
  const std::string* TextProperty(int32_t number) const {
    return const_cast<CommonDialogObject*>(this)->TextProperty(number);
  }
  uint32_t* WordProperty(int32_t number) {
    switch (PublicProperty(number)) {
      case property::kDialogKind: return &settings_.dialog_kind;
      case property::kFilterIndex: return &settings_.filter_index;
      case property::kCreatePrompt: return &settings_.create_prompt;
      case property::kFileMustExist: return &settings_.file_must_exist;
      case property::kOverwritePrompt: return &settings_.overwrite_prompt;
      case property::kPathMustExist: return &settings_.path_must_exist;
      case property::kKeepCurrentDirectory: return &settings_.keep_current_directory;
      default: return nullptr;
    }
  }
  const uint32_t* WordProperty(int32_t number) const {
    return const_cast<CommonDialogObject*>(this)->WordProperty(number);
  }

  CommonDialogBlock settings_;
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<CommonDialogBlock> block = DecodeBlock<CommonDialogBlock>(request.property_block);
  if (!block) return nullptr;
  Normalise(*block);
  // A window of its own all the same, never shown, so that the component counts as live.
  ui::ControlParams params = ParamsFor(request, ui::ControlKind::kSurface);
  params.visible = false;
  ui::WindowHandle handle = Ui().CreateControl(params);
  if (handle == ui::kNoWindow) return nullptr;
  return new CommonDialogObject(handle, request.control_id, std::move(*block));
}

bool Read(ComponentObject* object, int32_t property, RawProperty* out) {
  auto* dialog = dynamic_cast<CommonDialogObject*>(object);
  return dialog != nullptr && dialog->Read(property, out);
}

bool Write(ComponentObject* object, int32_t property, const RawProperty& value) {
  auto* dialog = dynamic_cast<CommonDialogObject*>(object);
  return dialog != nullptr && dialog->Write(property, value);
}

}  // namespace

CommonDialogBlock* CommonDialogSettings(ComponentObject* object) {
  auto* dialog = dynamic_cast<CommonDialogObject*>(object);
  return dialog != nullptr ? &dialog->Settings() : nullptr;
}

constinit const TypeDescriptor kCommonDlgType = MakeType(
    type_id::kCommonDialog, kRaisesEvents | type_flag::kNoVisibleWindow, kProperties,
    Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
