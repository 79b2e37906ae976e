// The runtime's component types: their descriptors at their TypeIds, and the platform
// controls their create operations make from the PropertyBlocks.
#include <gtest/gtest.h>

#include "loader_program.h"
#include "platform/ui/keys.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/cursor_data.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/properties.h"

namespace barvell {
namespace {

using runtime::controls::ButtonBlock;
using runtime::controls::ColourPickerBlock;
using runtime::controls::ComboBoxBlock;
using runtime::controls::CommonDialogBlock;
using runtime::controls::DrawPanelBlock;
using runtime::controls::EditBoxBlock;
using runtime::controls::GroupBoxBlock;
using runtime::controls::LabelBlock;
using runtime::controls::PictureBoxBlock;
using runtime::controls::StatusBarBlock;
using runtime::controls::SuperBarBlock;
using testing::Control;
using testing::kMainWindow;

constexpr uint32_t kButtonFace = 0xF0F0F0;  // the headless screen's

class Controls : public testing::LoaderProgram {
 protected:
  // One window holding the given controls (ids 0x16010002 upwards in the order given).
  void LoadWith(std::vector<runtime::ComponentSource> controls) {
    StartWithControls(std::move(controls));
    ASSERT_TRUE(Load(kMainWindow));
  }
  ui::WindowHandle H(ComponentId id) { return HandleOf(kMainWindow, id); }
  runtime::LiveComponent Live(ComponentId id) {
    return *runtime::ComponentOfHandle(H(id));
  }
  void Settle() {
    while (ui_.Driver().PendingActions() > 0 || ui_.HasPendingEvent()) ui_.DispatchOne();
    ui_.TakeQuit();
  }
};

TEST_F(Controls, EveryTypeHasItsDescriptorAtItsTypeId) {
  LoadWith({});
  struct Expected {
    TypeId id;
    const char* english;
    const char* chinese;  // GBK, as the runtime holds it
    int32_t properties;   // counting the eight common ones
  };
  const Expected types[] = {
      {type_id::kEditBox, "EditBox", "编辑框", 29},
      {type_id::kPictureBox, "PicBox", "图片框", 15},
      {type_id::kDrawPanel, "DrawPanel", "画板", 25},
      {type_id::kGroupBox, "GroupBox", "分组框", 13},
      {type_id::kLabel, "Label", "标签", 29},
      {type_id::kButton, "Button", "按钮", 14},
      {type_id::kComboBox, "ComboBox", "组合框", 25},
      {type_id::kColourPicker, "ColorPicker", "颜色选择器", 10},
      {type_id::kCommonDialog, "CommonDlg", "通用对话框", 30},
      {type_id::kSuperBar, "SuperBar", "多功能条", 68},
      {type_id::kStatusBar, "StatusBar", "状态条", 14},
  };
  for (const Expected& e : types) {
    const runtime::TypeDescriptor* type = runtime::FindTypeDescriptor(e.id);
    ASSERT_NE(type, nullptr) << std::hex << e.id;
    EXPECT_STREQ(type->english_name, e.english);
    EXPECT_STREQ(type->name, e.chinese);
    EXPECT_EQ(type->property_count + 8, e.properties) << e.english;
    EXPECT_NE(type->flags & 0x44, 0u) << e.english;  // can raise events
    EXPECT_EQ((type->flags & runtime::type_flag::kNoVisibleWindow) != 0,
              e.id == type_id::kCommonDialog);
    EXPECT_NE(type->GetOperation<runtime::TypeOperation>(runtime::type_operation::kCreate),
              nullptr);
  }
  EXPECT_STREQ(runtime::FindTypeDescriptor(type_id::kWindow)->name, "窗口");
  EXPECT_STREQ(runtime::FindTypeDescriptor(type_id::kMenuItem)->name, "菜单");
  // Menu items are never created as windows.
  EXPECT_EQ(runtime::FindTypeDescriptor(type_id::kMenuItem)
                ->GetOperation<runtime::TypeOperation>(runtime::type_operation::kCreate),
            nullptr);
  for (TypeId empty : {0x00010002u, 0x00010004u, 0x0001001Eu, 0x00010020u, 0x00020002u,
                       0x00030001u, 0x00040001u}) {
    EXPECT_EQ(runtime::FindTypeDescriptor(empty), nullptr) << std::hex << empty;
  }
  // The named properties the program uses sit at their numbers.
  EXPECT_STREQ(runtime::FindTypeDescriptor(type_id::kComboBox)->Property(19 - 8)->english_name,
               "CurrentSelection");
  EXPECT_STREQ(runtime::FindTypeDescriptor(type_id::kSuperBar)->Property(17 - 8)->english_name,
               "Position");
}

TEST_F(Controls, EditBoxesAreSingleOrMultiLineAndMayBeReadOnly) {
  EditBoxBlock single, multi, read_only;
  single.content = "35";
  multi.multi_line = 1;
  multi.content = "one\r\ntwo";
  read_only.input_mode = runtime::controls::input_mode::kReadOnly;
  read_only.content = "fixed";
  LoadWith({Control(0x16010002, type_id::kEditBox, {1, 2, 88, 20}, single),
            Control(0x16010003, type_id::kEditBox, {1, 30, 88, 60}, multi),
            Control(0x16010004, type_id::kEditBox, {1, 100, 88, 20}, read_only)});
  EXPECT_EQ(ui_.KindOf(H(0x16010002)), ui::ControlKind::kEdit);
  EXPECT_EQ(ui_.GetText(H(0x16010002)), "35");
  EXPECT_EQ(ui_.GetText(H(0x16010003)), "one\r\ntwo");

  ui_.Driver().TypeInto(H(0x16010004), "x");
  ui_.Driver().TypeInto(H(0x16010002), "7");
  Settle();
  EXPECT_EQ(ui_.GetText(H(0x16010004)), "fixed");
  EXPECT_EQ(ui_.GetText(H(0x16010002)), "357");

  // Every edit box keeps the arrows for its caret; a multi-line one keeps Enter too; Tab
  // still moves the focus.
  for (int key : {ui::key::kUp, ui::key::kDown, ui::key::kLeft, ui::key::kRight}) {
    EXPECT_TRUE(runtime::ControlWantsKey(Live(0x16010003), key)) << key;
    EXPECT_TRUE(runtime::ControlWantsKey(Live(0x16010002), key)) << key;
  }
  EXPECT_TRUE(runtime::ControlWantsKey(Live(0x16010003), ui::key::kReturn));
  EXPECT_FALSE(runtime::ControlWantsKey(Live(0x16010002), ui::key::kReturn));
  EXPECT_FALSE(runtime::ControlWantsKey(Live(0x16010003), ui::key::kTab));
  EXPECT_FALSE(runtime::ActsAsDefaultButton(Live(0x16010002)));
}

TEST_F(Controls, ButtonsAndGroupBoxesShowTheirCaptionsAndGroupBoxesHoldTheirControls) {
  ButtonBlock button;
  button.caption = "保存图片";
  GroupBoxBlock group;
  group.caption = "图片信息";
  LabelBlock label;
  label.caption = "毫米";
  LoadWith({Control(0x16010002, type_id::kButton, {8, 196, 80, 24}, button, 0x16010003),
            Control(0x16010003, type_id::kGroupBox, {616, 9, 192, 143}, group),
            Control(0x16010004, type_id::kLabel, {160, 16, 24, 24}, label, 0x16010003)});
  EXPECT_EQ(ui_.KindOf(H(0x16010002)), ui::ControlKind::kPushButton);
  EXPECT_EQ(ui_.GetText(H(0x16010002)), testing::Utf8(u8"保存图片"));
  EXPECT_EQ(ui_.GetText(H(0x16010003)), testing::Utf8(u8"图片信息"));
  EXPECT_EQ(ui_.Parent(H(0x16010002)), H(0x16010003));
  EXPECT_EQ(ui_.Parent(H(0x16010004)), H(0x16010003));
  EXPECT_TRUE(runtime::ActsAsDefaultButton(Live(0x16010002)));
  EXPECT_FALSE(runtime::ActsAsDefaultButton(Live(0x16010003)));

  // Geometry through the object is relative to the container, as the template has it.
  runtime::ComponentObject* object = static_cast<runtime::ComponentObject*>(
      WindowOf(kMainWindow).slots[Live(0x16010002).index].object);
  EXPECT_EQ(object->Geometry().left, 8);
  EXPECT_EQ(object->Geometry().top, 196);
  object->SetGeometry({10, 20, 30, 40});
  EXPECT_EQ(ui_.GetRect(H(0x16010002)), (ui::Rect{10, 20, 30, 40}));
}

TEST_F(Controls, LabelsAreStaticTextThatNeverTakesTheFocus) {
  LabelBlock label, centred;
  label.caption = "帮助信息";
  centred.alignment = 1;
  runtime::ComponentSource hidden = Control(0x16010003, type_id::kLabel, {0, 30, 50, 20}, label);
  hidden.record.flags = runtime::component_flag::kDisabled;
  LoadWith({Control(0x16010002, type_id::kLabel, {0, 0, 192, 24}, label), hidden,
            Control(0x16010004, type_id::kLabel, {0, 60, 50, 20}, centred)});
  EXPECT_EQ(ui_.KindOf(H(0x16010002)), ui::ControlKind::kLabel);
  EXPECT_EQ(ui_.AlignOf(H(0x16010002)), ui::TextAlign::kLeft);
  EXPECT_EQ(ui_.AlignOf(H(0x16010004)), ui::TextAlign::kCentre);
  EXPECT_EQ(ui_.GetText(H(0x16010002)), testing::Utf8(u8"帮助信息"));
  EXPECT_FALSE(ui_.IsVisible(H(0x16010003)));
  EXPECT_FALSE(ui_.IsEnabled(H(0x16010003)));
  ui::WindowHandle before = ui_.Focus();
  ui_.Driver().Click(H(0x16010002));
  Settle();
  EXPECT_EQ(ui_.Focus(), before);
}

TEST_F(Controls, ColourPickersShowTheirColourAndStoreBlackForAForbiddenTransparent) {
  ColourPickerBlock white, red, clear_allowed, clear_forbidden;
  white.colour = 0x00FFFFFF;
  red.colour = 0x000000FF;  // COLORREF red
  clear_allowed.colour = 0xFF000000;
  clear_allowed.allow_transparent = 1;
  clear_forbidden.colour = 0xFF000000;
  runtime::ComponentSource empty = Control(0x16010006, type_id::kColourPicker, {0, 100, 120, 22},
                                           ColourPickerBlock{});
  empty.property_block.clear();  // no data: the defaults
  LoadWith({Control(0x16010002, type_id::kColourPicker, {0, 0, 120, 22}, white),
            Control(0x16010003, type_id::kColourPicker, {0, 25, 120, 22}, red),
            Control(0x16010004, type_id::kColourPicker, {0, 50, 120, 22}, clear_allowed),
            Control(0x16010005, type_id::kColourPicker, {0, 75, 120, 22}, clear_forbidden),
            empty});
  auto centre = [&](ComponentId id) {
    const gfx::Bitmap* b = ui_.SurfaceBitmap(H(id));
    EXPECT_NE(b, nullptr);
    return b == nullptr ? 0xDEADu : b->Pixel(b->Width() / 2, b->Height() / 2);
  };
  EXPECT_EQ(ui_.KindOf(H(0x16010002)), ui::ControlKind::kOwnerDrawnButton);
  EXPECT_EQ(centre(0x16010002), 0xFFFFFFu);
  EXPECT_EQ(centre(0x16010003), 0xFF0000u);
  EXPECT_EQ(centre(0x16010004), kButtonFace);
  EXPECT_EQ(centre(0x16010005), 0u);
  EXPECT_EQ(centre(0x16010006), 0u);
  EXPECT_GT(ui_.PaintRequests(H(0x16010002)), 0);
}

TEST_F(Controls, SurfacesFillTheirClientAreaWithTheirBackground) {
  DrawPanelBlock panel, blue_panel;
  blue_panel.back_colour = 0x00FF0000;  // COLORREF blue
  blue_panel.border_style = 1;          // sunken: two pixels each side here
  PictureBoxBlock picture;
  picture.back_colour = 0x00FFFFFF;
  LoadWith({Control(0x16010002, type_id::kDrawPanel, {32, 32, 512, 224}, panel),
            Control(0x16010003, type_id::kDrawPanel, {0, 300, 40, 30}, blue_panel),
            Control(0x16010004, type_id::kPictureBox, {0, 0, 32, 32}, picture),
            Control(0x16010005, type_id::kStatusBar, {0, 425, 813, 20}, StatusBarBlock{})});
  const gfx::Bitmap* plain = ui_.SurfaceBitmap(H(0x16010002));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->Width(), 512);
  EXPECT_EQ(plain->Height(), 224);
  EXPECT_EQ(plain->Pixel(0, 0), kButtonFace);
  const gfx::Bitmap* blue = ui_.SurfaceBitmap(H(0x16010003));
  ASSERT_NE(blue, nullptr);
  EXPECT_EQ(blue->Width(), ui_.ClientSize(H(0x16010003)).width);
  EXPECT_LT(blue->Width(), 40);
  EXPECT_EQ(blue->Pixel(1, 1), 0x0000FFu);
  EXPECT_EQ(ui_.SurfaceBitmap(H(0x16010004))->Pixel(5, 5), 0xFFFFFFu);
  EXPECT_EQ(ui_.KindOf(H(0x16010005)), ui::ControlKind::kSurface);
  EXPECT_NE(ui_.SurfaceBitmap(H(0x16010005)), nullptr);
}

TEST_F(Controls, SuperBarsDrawTheirThumbAtTheirPosition) {
  SuperBarBlock middle, end, beyond;
  middle.position = 50;
  end.orientation = SuperBarBlock::kVertical;
  end.position = 100;
  beyond.minimum = 10;
  beyond.maximum = 20;
  beyond.position = 5;  // below the minimum: at the start
  LoadWith({Control(0x16010002, type_id::kSuperBar, {0, 0, 100, 10}, middle),
            Control(0x16010003, type_id::kSuperBar, {0, 20, 10, 100}, end),
            Control(0x16010004, type_id::kSuperBar, {0, 130, 100, 10}, beyond)});
  const gfx::Bitmap* h = ui_.SurfaceBitmap(H(0x16010002));
  const gfx::Bitmap* v = ui_.SurfaceBitmap(H(0x16010003));
  const gfx::Bitmap* b = ui_.SurfaceBitmap(H(0x16010004));
  ASSERT_TRUE(h && v && b);
  uint32_t track = h->Pixel(0, 5);
  EXPECT_NE(h->Pixel(50, 5), track);  // thumb in the middle
  EXPECT_EQ(h->Pixel(99, 5), track);
  EXPECT_EQ(v->Pixel(5, 0), track);
  EXPECT_NE(v->Pixel(5, 99), track);  // thumb at the end
  EXPECT_NE(b->Pixel(0, 5), track);   // clamped to the start
  EXPECT_TRUE(runtime::ControlWantsKey(Live(0x16010002), ui::key::kLeft));
}

TEST_F(Controls, ComboBoxesListTheirItemsAndClaimTheArrows) {
  ComboBoxBlock formats, none;
  formats.style = ComboBoxBlock::kDropDownList;
  formats.current_selection = 1;
  formats.items = {{"PNG", 5}, {"JPG", 2}, {"BMP", 1}};
  none.items = {{"only", 0}};
  none.current_selection = 7;  // past the end: nothing selected
  LoadWith({Control(0x16010002, type_id::kComboBox, {0, 0, 56, 20}, formats),
            Control(0x16010003, type_id::kComboBox, {0, 30, 56, 20}, none)});
  EXPECT_EQ(ui_.KindOf(H(0x16010002)), ui::ControlKind::kDropDownList);
  EXPECT_EQ(ui_.GetItems(H(0x16010002)), (std::vector<std::string>{"PNG", "JPG", "BMP"}));
  EXPECT_EQ(ui_.GetCurrent(H(0x16010002)), 1);
  EXPECT_EQ(ui_.GetCurrent(H(0x16010003)), -1);
  EXPECT_TRUE(runtime::ControlWantsKey(Live(0x16010002), ui::key::kDown));
  EXPECT_FALSE(runtime::ControlWantsKey(Live(0x16010002), ui::key::kReturn));
}

TEST_F(Controls, TheCommonDialogHasAWindowThatIsNeverShown) {
  CommonDialogBlock dialog;
  dialog.title = "图片保存";
  LoadWith({Control(0x16010002, type_id::kCommonDialog, {648, 608, 26, 26}, dialog)});
  runtime::ComponentObject* object =
      runtime::LiveComponentObject(kMainWindow, 0x16010002);  // live: properties reach it
  ASSERT_NE(object, nullptr);
  EXPECT_FALSE(ui_.IsVisible(H(0x16010002)));
}

TEST_F(Controls, CommonPropertiesReachTheLiveControl) {
  ButtonBlock button;
  button.caption = "ok";
  LoadWith({Control(0x16010002, type_id::kButton, {8, 9, 80, 24}, button)});
  EXPECT_EQ(runtime::ReadProperty(kMainWindow, 0x16010002, 0, -1), 8);
  EXPECT_EQ(runtime::ReadProperty(kMainWindow, 0x16010002, 3, -1), 24);
  runtime::WriteProperty(kMainWindow, 0x16010002, 5, -1, 0, 0);  // visible: false
  EXPECT_FALSE(ui_.IsVisible(H(0x16010002)));
  runtime::WriteProperty(kMainWindow, 0x16010002, 6, -1, 1, 0);  // disabled: true
  EXPECT_FALSE(ui_.IsEnabled(H(0x16010002)));
  EXPECT_EQ(runtime::ReadProperty(kMainWindow, 0x16010002, 6, -1), 1);
  // The window component's geometry is its screen rectangle.
  EXPECT_EQ(runtime::ReadProperty(kMainWindow, 0, 0, -1), (1920 - 400) / 2);
}

TEST(CursorData, StandardIdsNameTheirCursorsAndEmptyDataTheDefault) {
  using runtime::CursorFromData;
  const std::vector<uint8_t> hand{0x89, 0x7F, 0, 0}, ibeam{0x01, 0x7F, 0, 0},
      zero{0, 0, 0, 0}, unknown{0x34, 0x12, 0, 0}, file(326, 1);
  EXPECT_EQ(CursorFromData({}), nullptr);
  EXPECT_EQ(CursorFromData(zero), nullptr);
  EXPECT_EQ(*CursorFromData(hand), ui::Cursor::kHand);
  EXPECT_EQ(*CursorFromData(ibeam), ui::Cursor::kIBeam);
  EXPECT_EQ(*CursorFromData(unknown), ui::Cursor::kArrow);
  EXPECT_EQ(*CursorFromData(file), ui::Cursor::kArrow);
}

}  // namespace
}  // namespace barvell
