// Edit boxes, combo boxes, colour pickers and bars through their properties, their
// commands and a person's input on the headless window system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader_program.h"
#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/controls/colour_popup.h"
#include "runtime/controls/preset_colours.h"
#include "runtime/events/event_sink.h"
#include "runtime/call/heap.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/properties.h"

namespace barvell {
namespace {

using runtime::controls::ColourPickerBlock;
using runtime::controls::ComboBoxBlock;
using runtime::controls::EditBoxBlock;
using runtime::controls::LabelBlock;
using runtime::controls::SuperBarBlock;
using testing::Control;
using testing::g_loader_calls;
using testing::kMainWindow;
using testing::Utf8;

constexpr ComponentId kFirst = 0x16010002;
constexpr ComponentId kSecond = 0x16010003;
constexpr int kChangedHandler = 7;  // bound to event 0 of every control here
constexpr uint32_t kButtonFace = 0xF0F0F0;
constexpr uint32_t kTransparent = 0xFF000000;

template <typename Block>
runtime::ComponentSource Bound(ComponentId id, TypeId type, runtime::ComponentGeometry rect,
                               Block block) {
  runtime::ComponentSource c = Control(id, type, rect, std::move(block));
  c.record.events = {{0, testing::HandlerOffset(kChangedHandler)}};
  return c;
}

class OtherControls : public testing::LoaderProgram {
 protected:
  void LoadWith(std::vector<runtime::ComponentSource> controls) {
    StartWithControls(std::move(controls));
    runtime::InstallEventSink();
    ASSERT_TRUE(Load(kMainWindow));
    g_loader_calls.clear();
  }
  void TearDown() override {
    runtime::RemoveEventSink();
    LoaderProgram::TearDown();
  }
  ui::WindowHandle H(ComponentId id) { return HandleOf(kMainWindow, id); }
  void Settle() {
    while (ui_.Driver().PendingActions() > 0 || ui_.HasPendingEvent()) ui_.DispatchOne();
    ui_.TakeQuit();
  }
  int ChangedEvents() const {
    int n = 0;
    for (const testing::LoaderCall& call : g_loader_calls) n += call.handler == kChangedHandler;
    return n;
  }

  int64_t Read(ComponentId id, int32_t property) {
    return runtime::ReadProperty(kMainWindow, id, property, -1);
  }
  void Write(ComponentId id, int32_t property, int32_t value) {
    runtime::WriteProperty(kMainWindow, id, property, -1, uint32_t(value), 0);
  }
  std::string ReadText(ComponentId id, int32_t property) {
    char* block = reinterpret_cast<char*>(uintptr_t(Read(id, property)));
    std::string text = block != nullptr ? block : "";
    runtime::FreeBlock(block);
    return text;
  }
  void WriteText(ComponentId id, int32_t property, const std::string& gbk) {
    uint64_t bits = uint64_t(reinterpret_cast<uintptr_t>(gbk.c_str()));
    runtime::WriteProperty(kMainWindow, id, property, -1, uint32_t(bits), uint32_t(bits >> 32));
  }

  ResultRecord Call(int32_t command, std::vector<ArgRecord> args) {
    return runtime::KernelEntries().CallLibraryCommand(command, int32_t(args.size()),
                                                       args.data());
  }
  static ArgRecord Ref(TypeId type, ComponentId id) {
    return ArgRecord::Component(type, kMainWindow, id);
  }

  uint32_t SurfacePixel(ComponentId id, int x, int y) {
    const gfx::Bitmap* b = ui_.SurfaceBitmap(H(id));
    EXPECT_NE(b, nullptr);
    return b == nullptr ? 0xDEAD : b->Pixel(x, y);
  }
  uint32_t SwatchCentre(ComponentId id) {
    const gfx::Bitmap* b = ui_.SurfaceBitmap(H(id));
    EXPECT_NE(b, nullptr);
    return b == nullptr ? 0xDEAD : b->Pixel(b->Width() / 2, b->Height() / 2);
  }
};

// ---- edit boxes

TEST_F(OtherControls, EditBoxContentIsTheWindowTextAndEveryWriteIsOneChange) {
  EditBoxBlock box;
  box.content = "35";
  LoadWith({Bound(kFirst, type_id::kEditBox, {0, 0, 120, 20}, box)});
  ui_.Driver().TypeInto(H(kFirst), "7");
  Settle();
  EXPECT_EQ(ChangedEvents(), 1);  // the typed change
  EXPECT_EQ(ReadText(kFirst, 8), "357");

  g_loader_calls.clear();
  const std::string chinese = platform::Utf8ToGbk(Utf8(u8"请输入编码信息"));
  WriteText(kFirst, 8, chinese);
  EXPECT_EQ(ChangedEvents(), 1);
  EXPECT_EQ(ui_.GetText(H(kFirst)), Utf8(u8"请输入编码信息"));
  EXPECT_EQ(ReadText(kFirst, 8), chinese);

  // The same text again is still a write, and the empty text one too.
  WriteText(kFirst, 8, chinese);
  WriteText(kFirst, 8, "");
  EXPECT_EQ(ChangedEvents(), 3);
  EXPECT_EQ(ui_.GetText(H(kFirst)), "");
  EXPECT_EQ(Read(kFirst, 8), 0);  // the empty text is no text
}

TEST_F(OtherControls, AnIntegerEditBoxDropsWhatIsNoDigitOrMinus) {
  EditBoxBlock numbers, free;
  numbers.input_mode = runtime::controls::input_mode::kInteger;
  LoadWith({Control(kFirst, type_id::kEditBox, {0, 0, 120, 20}, numbers),
            Control(kSecond, type_id::kEditBox, {0, 30, 120, 20}, free)});
  ui_.Driver().TypeInto(H(kFirst), "-12a.5x");
  ui_.Driver().TypeInto(H(kSecond), "-12a.5x");
  Settle();
  EXPECT_EQ(ui_.GetText(H(kFirst)), "-125");
  EXPECT_EQ(ui_.GetText(H(kSecond)), "-12a.5x");
  // Back-space still corrects.
  ui_.Driver().Focus(H(kFirst));
  ui_.Driver().PressKey(ui::key::kBack);
  Settle();
  EXPECT_EQ(ui_.GetText(H(kFirst)), "-12");
}

TEST_F(OtherControls, AppendTextAddsEachTextAtTheEndInOrder) {
  EditBoxBlock list;
  list.multi_line = 1;
  list.content = "6901234567892\r\n";
  LoadWith({Bound(kFirst, type_id::kEditBox, {0, 0, 200, 100}, list)});
  // The caret somewhere in the middle must not matter.
  ui_.SetSelection(H(kFirst), 2, 4);
  std::string code = "6901234567809";
  std::string line_end = "\r\n";
  Call(command::kAppendText, {Ref(type_id::kEditBox, kFirst), ArgRecord::Text(code.c_str()),
                              ArgRecord::Text(line_end.c_str())});
  EXPECT_EQ(ui_.GetText(H(kFirst)), "6901234567892\r\n6901234567809\r\n");
  int start = -1, end = -1;
  ui_.GetSelection(H(kFirst), start, end);
  EXPECT_EQ(start, end);
  EXPECT_EQ(end, int(ui_.GetText(H(kFirst)).size()));  // the caret after the new text

  // A number is appended as its text; Chinese text arrives whole.
  std::string chinese = platform::Utf8ToGbk(Utf8(u8"条码"));
  Call(command::kAppendText, {Ref(type_id::kEditBox, kFirst), ArgRecord::Int(42),
                              ArgRecord::Text(chinese.c_str()), ArgRecord::Text(nullptr)});
  EXPECT_EQ(ui_.GetText(H(kFirst)), "6901234567892\r\n6901234567809\r\n42" + Utf8(u8"条码"));
}

// ---- combo boxes

ComboBoxBlock Formats() {
  ComboBoxBlock formats;
  formats.style = ComboBoxBlock::kDropDownList;
  formats.current_selection = 0;
  formats.items = {{"PNG", 5}, {"JPG", 2}, {"BMP", 1}};
  return formats;
}

TEST_F(OtherControls, CurrentSelectionStopsAtTheLastItemAndNegativesClearIt) {
  LoadWith({Control(kFirst, type_id::kComboBox, {0, 0, 60, 20}, Formats())});
  EXPECT_EQ(Read(kFirst, 19), 0);
  Write(kFirst, 19, 1);
  EXPECT_EQ(Read(kFirst, 19), 1);
  EXPECT_EQ(ReadText(kFirst, 9), "JPG");  // a list without an edit field shows its item
  Write(kFirst, 19, 99);
  EXPECT_EQ(Read(kFirst, 19), 2);
  EXPECT_EQ(ui_.GetCurrent(H(kFirst)), 2);
  Write(kFirst, 19, -5);
  EXPECT_EQ(Read(kFirst, 19), -1);
  EXPECT_EQ(ui_.GetCurrent(H(kFirst)), -1);
  EXPECT_EQ(ReadText(kFirst, 9), "");
  Write(kFirst, 19, 2);
  Write(kFirst, 19, -1);
  EXPECT_EQ(Read(kFirst, 19), -1);
}

TEST_F(OtherControls, ComboItemDataIsMinusOneOutsideTheItems) {
  LoadWith({Control(kFirst, type_id::kComboBox, {0, 0, 60, 20}, Formats())});
  auto data = [&](int32_t index) {
    return Call(command::kComboItemData, {Ref(type_id::kComboBox, kFirst), ArgRecord::Int(index)})
        .Int();
  };
  EXPECT_EQ(data(0), 5);
  EXPECT_EQ(data(1), 2);
  EXPECT_EQ(data(2), 1);
  EXPECT_EQ(data(-1), -1);
  EXPECT_EQ(data(3), -1);
  EXPECT_EQ(data(INT32_MIN), -1);
  // The program's own use: the data of the selected item, -1 when none is selected.
  Write(kFirst, 19, -1);
  EXPECT_EQ(data(int32_t(Read(kFirst, 19))), -1);
}

TEST_F(OtherControls, ComboStyleIsClampedAndItemsAreOneTextPerLine) {
  LoadWith({Control(kFirst, type_id::kComboBox, {0, 0, 60, 20}, Formats())});
  EXPECT_EQ(Read(kFirst, 8), 2);
  EXPECT_EQ(ReadText(kFirst, 20), "PNG\r\nJPG\r\nBMP");
  Write(kFirst, 8, 9);
  EXPECT_EQ(Read(kFirst, 8), 2);
  Write(kFirst, 8, -4);
  EXPECT_EQ(Read(kFirst, 8), 0);
  // With an edit field the content is the field's own text.
  WriteText(kFirst, 9, "typed");
  EXPECT_EQ(ReadText(kFirst, 9), "typed");

  // New items come without item data or selection.
  WriteText(kFirst, 20, "a\r\nb\nc");
  EXPECT_EQ(ui_.GetItems(H(kFirst)), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Read(kFirst, 19), -1);
  EXPECT_EQ(Call(command::kComboItemData, {Ref(type_id::kComboBox, kFirst), ArgRecord::Int(0)})
                .Int(),
            0);
  WriteText(kFirst, 20, "");
  EXPECT_TRUE(ui_.GetItems(H(kFirst)).empty());
  Write(kFirst, 19, 5);  // no items: nothing to select
  EXPECT_EQ(Read(kFirst, 19), -1);
}

// ---- colour pickers

TEST_F(OtherControls, APickerWithoutTransparencyShowsBlackButKeepsTheTransparentValue) {
  ColourPickerBlock opaque, clear;
  clear.allow_transparent = 1;
  LoadWith({Bound(kFirst, type_id::kColourPicker, {0, 0, 120, 22}, opaque),
            Bound(kSecond, type_id::kColourPicker, {0, 30, 120, 22}, clear)});
  Write(kFirst, 8, int32_t(kTransparent));
  EXPECT_EQ(uint32_t(Read(kFirst, 8)), kTransparent);
  EXPECT_EQ(SwatchCentre(kFirst), 0u);
  Write(kSecond, 8, int32_t(kTransparent));
  EXPECT_EQ(uint32_t(Read(kSecond, 8)), kTransparent);
  EXPECT_EQ(SwatchCentre(kSecond), kButtonFace);
  EXPECT_EQ(Read(kSecond, 9), 1);

  // Allowing transparency later shows the stored value as it is.
  Write(kFirst, 9, 1);
  EXPECT_EQ(SwatchCentre(kFirst), kButtonFace);
  Write(kFirst, 8, 0x00FF0000);  // COLORREF blue
  EXPECT_EQ(SwatchCentre(kFirst), 0x0000FFu);
  EXPECT_EQ(ChangedEvents(), 0);  // the program's writes are no choice
}

// The popup's grid without the transparent entry: 18-pixel cells from (4, 4); with it the
// grid starts 22 pixels lower.
ui::Point CellCentre(int cell, bool with_transparent = false) {
  return {4 + cell % 7 * 18 + 9, 4 + (with_transparent ? 22 : 0) + cell / 7 * 18 + 9};
}

class ColourPopups : public OtherControls {
 protected:
  void LoadPicker(uint32_t colour, bool allow_transparent = false) {
    ColourPickerBlock block;
    block.colour = colour;
    block.allow_transparent = allow_transparent;
    LoadWith({Bound(kFirst, type_id::kColourPicker, {64, 16, 120, 22}, block)});
  }
  // A click at a point of the open popup.
  void ClickPopup(ui::Point at) {
    ui_.Driver().Do([this, at] {
      for (ui::EventKind kind : {ui::EventKind::kMouseDown, ui::EventKind::kMouseUp}) {
        ui::HeadlessInput in;
        in.kind = ui::InputKind::kMouseAt;
        in.target = runtime::controls::OpenColourPopup();
        in.mouse = kind;
        in.button = ui::MouseButton::kLeft;
        in.position = at;
        ui_.Post(in);
      }
    });
  }
};

TEST_F(ColourPopups, AClickedCellBecomesThePickersColourWithOneEvent) {
  LoadPicker(0x00FFFFFF);
  ui::WindowHandle popup = ui::kNoWindow;
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().Do([&] { popup = runtime::controls::OpenColourPopup(); });
  ClickPopup(CellCentre(12));  // "红色"
  Settle();
  ASSERT_NE(popup, ui::kNoWindow);
  EXPECT_FALSE(ui_.IsWindow(popup));  // closed after the choice
  EXPECT_EQ(runtime::controls::OpenColourPopup(), ui::kNoWindow);
  EXPECT_EQ(Read(kFirst, 8), 0x000000FF);
  EXPECT_EQ(SwatchCentre(kFirst), 0xFF0000u);
  EXPECT_EQ(ChangedEvents(), 1);
  EXPECT_EQ(ui_.Focus(), H(kFirst));
}

TEST_F(ColourPopups, ThePopupOpensUnderThePickerAndStaysOnTheScreen) {
  LoadPicker(0);
  ui::Rect placed;
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().Do([&] { placed = ui_.GetRect(runtime::controls::OpenColourPopup()); });
  Settle();
  ui::Point below = ui_.ClientToScreen(H(kFirst), {0, ui_.ClientSize(H(kFirst)).height});
  EXPECT_EQ(placed.left, below.x);
  EXPECT_EQ(placed.top, below.y);
  EXPECT_GE(placed.width, 7 * 18);
  EXPECT_GE(placed.height, 5 * 18);

  // Near the bottom of the screen it opens above the picker instead.
  runtime::WriteProperty(kMainWindow, 0, 1, -1, uint32_t(1080 - 100), 0);
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().Do([&] { placed = ui_.GetRect(runtime::controls::OpenColourPopup()); });
  Settle();
  EXPECT_LE(placed.top + placed.height, ui_.ClientToScreen(H(kFirst), {0, 0}).y);
  // Running out of actions cancelled both: nothing chosen.
  EXPECT_EQ(ChangedEvents(), 0);
  EXPECT_EQ(Read(kFirst, 8), 0);
}

TEST_F(ColourPopups, ArrowsShowTheHighlightedColourAndEscapeRestoresTheOldOne) {
  LoadPicker(0x00FFFFFF);  // "白色", cell 15
  int64_t tentative = 0;
  std::string tip;
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().PressKey(ui::key::kLeft);  // cell 14, "黄色"
  ui_.Driver().Do([&] {
    tentative = Read(kFirst, 8);
    for (ui::WindowHandle child : ui_.Children(runtime::controls::OpenColourPopup())) {
      if (ui_.KindOf(child) == ui::ControlKind::kSurface) tip = ui_.ToolTipOf(child);
    }
  });
  ui_.Driver().PressKey(ui::key::kEscape);
  Settle();
  EXPECT_EQ(tentative, 0x0000FFFF);
  EXPECT_EQ(tip, Utf8(u8"黄色"));
  EXPECT_EQ(Read(kFirst, 8), 0x00FFFFFF);
  EXPECT_EQ(SwatchCentre(kFirst), 0xFFFFFFu);
  EXPECT_EQ(ChangedEvents(), 0);

  // Down a row and Enter chooses "嫩黄" (cell 22 = 15 + 7).
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().PressKey(ui::key::kDown);
  ui_.Driver().PressKey(ui::key::kReturn);
  Settle();
  EXPECT_EQ(Read(kFirst, 8), 0x0000D8D8);
  EXPECT_EQ(ChangedEvents(), 1);
}

TEST_F(ColourPopups, TheTransparentEntryIsOfferedOnlyWhenAllowed) {
  LoadPicker(0x00000000, true);  // "黑色", cell 0
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().PressKey(ui::key::kUp);  // from the top row onto "透明"
  ui_.Driver().PressKey(ui::key::kSpace);
  Settle();
  EXPECT_EQ(uint32_t(Read(kFirst, 8)), kTransparent);
  EXPECT_EQ(SwatchCentre(kFirst), kButtonFace);
  EXPECT_EQ(ChangedEvents(), 1);

  // A click on the entry itself, and the grid lower down to make room for it.
  Write(kFirst, 8, 0);
  ui_.Driver().Click(H(kFirst));
  ClickPopup(CellCentre(9, true));  // "蓝色"
  Settle();
  EXPECT_EQ(Read(kFirst, 8), 0x00FF0000);
  ui_.Driver().Click(H(kFirst));
  ClickPopup({30, 10});
  Settle();
  EXPECT_EQ(uint32_t(Read(kFirst, 8)), kTransparent);
}

TEST_F(ColourPopups, WithoutTransparencyUpStopsAtTheTopRow) {
  LoadPicker(0x00000000);
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().PressKey(ui::key::kUp);
  ui_.Driver().PressKey(ui::key::kLeft);
  ui_.Driver().PressKey(ui::key::kReturn);
  Settle();
  EXPECT_EQ(Read(kFirst, 8), 0);  // still "黑色", and chosen
  EXPECT_EQ(ChangedEvents(), 1);
}

TEST_F(ColourPopups, OtherColoursComeFromTheColourDialogWhoseCancelCancels) {
  LoadPicker(0x00FFFFFF);
  ui_.Driver().AnswerColour(0x00123456);
  ui_.Driver().Click(H(kFirst));
  for (int i = 0; i < 3; ++i) ui_.Driver().PressKey(ui::key::kDown);  // 22, 29, the entry below
  ui_.Driver().PressKey(ui::key::kReturn);
  Settle();
  EXPECT_EQ(ui_.Driver().ColourRequests(), 1);
  EXPECT_EQ(Read(kFirst, 8), 0x00123456);
  EXPECT_EQ(ChangedEvents(), 1);

  ui_.Driver().AnswerColour(std::nullopt);
  ui_.Driver().Click(H(kFirst));
  ClickPopup({40, 4 + 5 * 18 + 2 + 10});  // the entry under the grid
  Settle();
  EXPECT_EQ(ui_.Driver().ColourRequests(), 2);
  EXPECT_EQ(Read(kFirst, 8), 0x00123456);
  EXPECT_EQ(ChangedEvents(), 1);
}

TEST_F(ColourPopups, APickerWhoseWindowClosesMeanwhileEndsThePopupQuietly) {
  LoadPicker(0x00FFFFFF);
  ui::WindowHandle popup = ui::kNoWindow;
  ui_.Driver().Click(H(kFirst));
  ui_.Driver().Do([&] {
    popup = runtime::controls::OpenColourPopup();
    ui_.Destroy(Top(kMainWindow));
  });
  ui_.Driver().PressKey(ui::key::kReturn);
  Settle();
  EXPECT_NE(popup, ui::kNoWindow);
  EXPECT_FALSE(ui_.IsWindow(popup));
  EXPECT_EQ(runtime::controls::OpenColourPopup(), ui::kNoWindow);
  EXPECT_EQ(ChangedEvents(), 0);
}

TEST(PresetColours, AreTheGridsThirtyTwoColoursWithBlueInTheHighByte) {
  using runtime::controls::kPresetColours;
  EXPECT_EQ(kPresetColours[0].ColourRef(), 0u);
  EXPECT_EQ(kPresetColours[9].ColourRef(), 0x00FF0000u);   // "蓝色"
  EXPECT_EQ(kPresetColours[12].ColourRef(), 0x000000FFu);  // "红色"
  EXPECT_EQ(kPresetColours[17].ColourRef(), 0x00E03058u);  // "藏蓝" 88, 48, 224
  EXPECT_EQ(kPresetColours[31].ColourRef(), 0x00606060u);
  EXPECT_STREQ(kPresetColours[12].name, platform::Utf8ToGbk(Utf8(u8"红色")).c_str());
}

// ---- client sizes

TEST_F(OtherControls, ClientSizesAreInsideTheBorders) {
  EditBoxBlock sunken;  // border style 1
  LabelBlock plain;
  LoadWith({Control(kFirst, type_id::kEditBox, {0, 0, 120, 24}, sunken),
            Control(kSecond, type_id::kLabel, {0, 30, 50, 20}, plain)});
  auto width = [&](ComponentId id, TypeId type) {
    return Call(command::kGetClientWidth, {Ref(type, id)}).Int();
  };
  auto height = [&](ComponentId id, TypeId type) {
    return Call(command::kGetClientHeight, {Ref(type, id)}).Int();
  };
  int32_t outer_width = int32_t(Read(0, 2)), outer_height = int32_t(Read(0, 3));
  EXPECT_EQ(outer_width, 400);
  EXPECT_LT(width(0, type_id::kWindow), outer_width);
  EXPECT_LT(height(0, type_id::kWindow), outer_height);
  EXPECT_EQ(width(0, type_id::kWindow), ui_.ClientSize(Top(kMainWindow)).width);
  EXPECT_EQ(height(0, type_id::kWindow), ui_.ClientSize(Top(kMainWindow)).height);
  EXPECT_LT(width(kFirst, type_id::kEditBox), 120);
  EXPECT_EQ(width(kSecond, type_id::kLabel), 50);
  EXPECT_EQ(height(kSecond, type_id::kLabel), 20);
}

// ---- labels

TEST_F(OtherControls, LabelCaptionsCanBeReadAndRewritten) {
  LabelBlock label;
  label.caption = platform::Utf8ToGbk(Utf8(u8"毫米"));
  LoadWith({Control(kFirst, type_id::kLabel, {0, 0, 60, 20}, label)});
  EXPECT_EQ(ReadText(kFirst, 8), label.caption);
  WriteText(kFirst, 8, "mm");
  EXPECT_EQ(ui_.GetText(H(kFirst)), "mm");
  EXPECT_EQ(ReadText(kFirst, 8), "mm");
}

// ---- bars

class Bars : public OtherControls {
 protected:
  // A horizontal bar 200 x 16 at (10, 10): thumb 20 long, 180 pixels of free track.
  void LoadBar(int32_t position = 0) {
    SuperBarBlock bar;
    bar.position = uint32_t(position);
    LoadWith({Bound(kFirst, type_id::kSuperBar, {10, 10, 200, 16}, bar)});
  }
  void Mouse(ui::EventKind kind, int x) {
    ui::HeadlessInput in;
    in.kind = ui::InputKind::kMouse;
    in.target = H(kFirst);
    in.mouse = kind;
    in.button = kind == ui::EventKind::kMouseMove ? ui::MouseButton::kNone : ui::MouseButton::kLeft;
    in.position = {x, 8};
    ui_.Post(in);
    Settle();
  }
};

TEST_F(Bars, PositionWritesAreClampedAndPlaceTheThumbWithoutAnEvent) {
  LoadBar();
  Write(kFirst, 17, 150);
  EXPECT_EQ(Read(kFirst, 17), 100);
  const gfx::Bitmap* b = ui_.SurfaceBitmap(H(kFirst));
  ASSERT_NE(b, nullptr);
  uint32_t track = b->Pixel(0, 8);
  EXPECT_NE(b->Pixel(199, 8), track);  // thumb at the end
  EXPECT_NE(b->Pixel(180, 8), track);
  EXPECT_EQ(b->Pixel(179, 8), track);
  Write(kFirst, 17, -5);
  EXPECT_EQ(Read(kFirst, 17), 0);
  EXPECT_NE(b->Pixel(0, 8), track);
  EXPECT_EQ(b->Pixel(20, 8), track);
  Write(kFirst, 17, 50);  // 50 / 100 of 180 pixels
  EXPECT_EQ(b->Pixel(89, 8), track);
  EXPECT_NE(b->Pixel(90, 8), track);
  EXPECT_NE(b->Pixel(109, 8), track);
  EXPECT_EQ(b->Pixel(110, 8), track);

  // A narrower range keeps the position inside it.
  Write(kFirst, 16, 30);
  EXPECT_EQ(Read(kFirst, 16), 30);
  EXPECT_EQ(Read(kFirst, 17), 30);
  Write(kFirst, 15, 40);  // minimum above maximum: still between the two
  EXPECT_EQ(Read(kFirst, 17), 30);
  Write(kFirst, 9, 1);
  EXPECT_EQ(Read(kFirst, 9), 1);
  EXPECT_EQ(ChangedEvents(), 0);
}

TEST_F(Bars, ClickingTheTrackPagesAndRaisesEvent0) {
  LoadBar();
  ui_.Driver().ClickAt(Top(kMainWindow), {10 + 150, 10 + 8});
  Settle();
  EXPECT_EQ(Read(kFirst, 17), 10);  // one large change
  EXPECT_EQ(ChangedEvents(), 1);
  Mouse(ui::EventKind::kMouseDown, 0);
  Mouse(ui::EventKind::kMouseUp, 0);
  EXPECT_EQ(Read(kFirst, 17), 0);
  EXPECT_EQ(ChangedEvents(), 2);
  // Paging stops at the end; a move that changes nothing raises nothing.
  Write(kFirst, 17, 95);  // thumb at 171..190
  Mouse(ui::EventKind::kMouseDown, 195);
  Mouse(ui::EventKind::kMouseUp, 195);
  EXPECT_EQ(Read(kFirst, 17), 100);
  EXPECT_EQ(ChangedEvents(), 3);
  // On the thumb a drag starts: a click there moves nothing.
  Mouse(ui::EventKind::kMouseDown, 190);
  Mouse(ui::EventKind::kMouseUp, 190);
  EXPECT_EQ(Read(kFirst, 17), 100);
  EXPECT_EQ(ChangedEvents(), 3);
}

TEST_F(Bars, DraggingTheThumbFollowsTheMouseAndStopsAtTheEnds) {
  LoadBar();
  Mouse(ui::EventKind::kMouseDown, 5);  // grabbed 5 pixels into the thumb
  Mouse(ui::EventKind::kMouseMove, 95);  // thumb start 90 of 180: the middle
  EXPECT_EQ(Read(kFirst, 17), 50);
  EXPECT_EQ(ChangedEvents(), 1);
  Mouse(ui::EventKind::kMouseMove, 95);  // no move, no event
  EXPECT_EQ(ChangedEvents(), 1);
  Mouse(ui::EventKind::kMouseMove, 400);
  EXPECT_EQ(Read(kFirst, 17), 100);
  Mouse(ui::EventKind::kMouseMove, -50);
  EXPECT_EQ(Read(kFirst, 17), 0);
  EXPECT_EQ(ChangedEvents(), 3);
  Mouse(ui::EventKind::kMouseUp, -50);
  Mouse(ui::EventKind::kMouseMove, 120);  // released: moving does nothing
  EXPECT_EQ(Read(kFirst, 17), 0);
  EXPECT_EQ(ChangedEvents(), 3);
}

TEST_F(Bars, AResizedBarUsesItsNewLength) {
  LoadBar();
  Write(kFirst, property::kWidth, 400);  // thumb 40 long, 360 of free track
  Write(kFirst, 17, 100);
  const gfx::Bitmap* b = ui_.SurfaceBitmap(H(kFirst));
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->Width(), 400);
  uint32_t track = b->Pixel(0, 8);
  EXPECT_NE(b->Pixel(399, 8), track);  // the thumb at the new end
  EXPECT_EQ(b->Pixel(359, 8), track);
  // Beyond the old length the track still pages back.
  Mouse(ui::EventKind::kMouseDown, 300);
  Mouse(ui::EventKind::kMouseUp, 300);
  EXPECT_EQ(Read(kFirst, 17), 90);
  // Dragging maps over the new free track: thumb start 180 of 360 is the middle.
  Write(kFirst, 17, 0);
  Mouse(ui::EventKind::kMouseDown, 5);
  Mouse(ui::EventKind::kMouseMove, 185);
  Mouse(ui::EventKind::kMouseUp, 185);
  EXPECT_EQ(Read(kFirst, 17), 50);
}

TEST_F(Bars, ArrowKeysMoveBySmallSteps) {
  LoadBar(99);
  ui_.Driver().Focus(H(kFirst));
  ui_.Driver().PressKey(ui::key::kRight);
  ui_.Driver().PressKey(ui::key::kRight);
  Settle();
  EXPECT_EQ(Read(kFirst, 17), 100);
  EXPECT_EQ(ChangedEvents(), 1);
  ui_.Driver().PressKey(ui::key::kLeft);
  Settle();
  EXPECT_EQ(Read(kFirst, 17), 99);
  EXPECT_EQ(ChangedEvents(), 2);
}

}  // namespace
}  // namespace barvell
