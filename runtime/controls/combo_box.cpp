// Combo box: a drop-down list with the template's items and initial selection.
#include <vector>

#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/window_system.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<25>({
    {8, "类型", "ComboStyle", data_type::kInt},
    {9, "内容", "Content", data_type::kText},
    {19, "现行选中项", "CurrentSelection", data_type::kInt},
    {20, "列表项目", "Items", data_type::kText},
});

class ComboBoxObject : public ControlObject {
 public:
  ComboBoxObject(ui::WindowHandle handle, int control_id, std::vector<int32_t> item_data)
      : ControlObject(type_id::kComboBox, handle, control_id), item_data_(std::move(item_data)) {}

  // The arrows move through the items.
  bool WantsKey(int key) const override {
    return key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
           key == ui::key::kDown;
  }
  const std::vector<int32_t>& ItemData() const { return item_data_; }

 private:
  std::vector<int32_t> item_data_;
};

ComponentObject* Create(const CreateRequest& request) {
  std::optional<ComboBoxBlock> block = DecodeBlock<ComboBoxBlock>(request.property_block);
  if (!block) return nullptr;
  ui::WindowHandle handle =
      Ui().CreateControl(ParamsFor(request, ui::ControlKind::kDropDownList));
  if (handle == ui::kNoWindow) return nullptr;
  std::vector<std::string> items;
  std::vector<int32_t> data;
  for (const ComboItem& item : block->items) {
    items.push_back(platform::GbkToUtf8(item.text));
    data.push_back(item.data);
  }
  Ui().SetItems(handle, items);
  int32_t selection = int32_t(block->current_selection);
  if (selection >= 0 && size_t(selection) < items.size()) Ui().SetCurrent(handle, selection);
  return new ComboBoxObject(handle, request.control_id, std::move(data));
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kComboBoxType =
    MakeType("组合框", "ComboBox", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
