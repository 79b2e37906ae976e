// Combo box: a drop-down list with the template's items, their item data and the initial
// selection.
#include "runtime/controls/combo_box.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kComboBox>({
    {property::kComboStyle, "类型", "ComboStyle", data_type::kInt},
    {property::kComboContent, "内容", "Content", data_type::kText},
    {property::kCurrentSelection, "现行选中项", "CurrentSelection", data_type::kInt},
    {property::kComboItems, "列表项目", "Items", data_type::kText},
});

constexpr int32_t kMaxStyle = int32_t(ComboBoxBlock::kDropDownList);
constexpr std::string_view kItemSeparator = "\r\n";

// The item list as one text: the items one per line.
std::string JoinItems(const std::vector<std::string>& utf8_items) {
  std::string gbk;
  for (size_t i = 0; i < utf8_items.size(); ++i) {
    if (i > 0) gbk += kItemSeparator;
    gbk += platform::Utf8ToGbk(utf8_items[i]);
  }
  return gbk;
}

// One item per line; a bare LF also ends a line, and the empty text is no items.
std::vector<std::string> SplitItems(std::string_view gbk) {
  std::vector<std::string> items;
  while (!gbk.empty()) {
    size_t end = gbk.find('\n');
    std::string_view line = gbk.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    items.push_back(platform::GbkToUtf8(line));
    if (end == std::string_view::npos) break;
    gbk.remove_prefix(end + 1);
  }
  return items;
}

class ComboBoxObject : public ControlObject {
 public:
  ComboBoxObject(ui::WindowHandle handle, int control_id, int32_t style, std::string content,
                 std::vector<int32_t> item_data)
      : ControlObject(type_id::kComboBox, handle, control_id),
        style_(style),
        content_(std::move(content)),
        item_data_(std::move(item_data)) {}

  // The arrows move through the items.
  bool WantsKey(int key) const override {
    return key == ui::key::kLeft || key == ui::key::kRight || key == ui::key::kUp ||
           key == ui::key::kDown;
  }

  int32_t ItemCount() const { return int32_t(Ui().GetItems(Handle()).size()); }
  int32_t ItemData(int32_t index) const {
    if (index < 0 || index >= ItemCount() || size_t(index) >= item_data_.size()) return -1;
    return item_data_[size_t(index)];
  }

  bool Read(int32_t number, RawProperty* out) {
    switch (PublicProperty(number)) {
      case property::kComboStyle: out->value = uint32_t(style_); return true;
      case property::kComboContent: scratch_ = Content(); break;
      case property::kCurrentSelection: out->value = uint32_t(Ui().GetCurrent(Handle())); return true;
      case property::kComboItems: scratch_ = JoinItems(Ui().GetItems(Handle())); break;
      default: return false;
    }
    out->data = scratch_.c_str();
    return true;
  }

  bool Write(int32_t number, const RawProperty& value) {
    int32_t n = int32_t(uint32_t(value.value));
    const char* text = static_cast<const char*>(value.data);
    switch (PublicProperty(number)) {
      case property::kComboStyle: style_ = std::clamp(n, 0, kMaxStyle); return true;
      case property::kComboContent:
        // A list without an edit field shows only its items: nothing to write to.
        if (style_ != kMaxStyle) content_ = text;
        return true;
      case property::kCurrentSelection: Select(n); return true;
      case property::kComboItems: SetItems(text); return true;
      default: return false;
    }
  }

 private:
  // Above the last index: the last item; -1 or below: no selection.
  void Select(int32_t index) {
    int32_t last = ItemCount() - 1;
    Ui().SetCurrent(Handle(), index < 0 ? -1 : std::min(index, last));
  }

  // New items come without item data (0 each) and without a selection.
  void SetItems(std::string_view gbk) {
    std::vector<std::string> items = SplitItems(gbk);
    item_data_.assign(items.size(), 0);
    Ui().SetItems(Handle(), items);
    Ui().SetCurrent(Handle(), -1);
  }

  // A list without an edit field shows the selected item's text.
  std::string Content() const {
    if (style_ != kMaxStyle) return content_;
    int32_t current = Ui().GetCurrent(Handle());
    std::vector<std::string> items = Ui().GetItems(Handle());
    if (current < 0 || size_t(current) >= items.size()) return {};
    return platform::Utf8ToGbk(items[size_t(current)]);
  }

  int32_t style_;
  std::string content_;  // the edit field's text (styles 0 and 1)
  std::vector<int32_t> item_data_;
  std::string scratch_;  // the text last read, alive until the next read
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
  int32_t style = int32_t(std::min<uint32_t>(block->style, uint32_t(kMaxStyle)));
  return new ComboBoxObject(handle, request.control_id, style, block->content, std::move(data));
}

bool Read(ComponentObject* object, int32_t property, RawProperty* out) {
  auto* combo = dynamic_cast<ComboBoxObject*>(object);
  return combo != nullptr && combo->Read(property, out);
}

bool Write(ComponentObject* object, int32_t property, const RawProperty& value) {
  auto* combo = dynamic_cast<ComboBoxObject*>(object);
  return combo != nullptr && combo->Write(property, value);
}

}  // namespace

int32_t ComboItemData(ComponentObject* object, int32_t index) {
  auto* combo = dynamic_cast<ComboBoxObject*>(object);
  return combo != nullptr ? combo->ItemData(index) : -1;
}

constinit const TypeDescriptor kComboBoxType =
    MakeType(type_id::kComboBox, kRaisesEvents, kProperties,
             Operations<&Create, &Read, &Write>);

}  // namespace barvell::runtime::controls
