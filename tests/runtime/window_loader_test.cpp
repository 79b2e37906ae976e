// Loading the program's windows and test templates on the headless window system:
// geometry, containers, texts, z-order, creation order, menus, load-time events, modal
// loads, teardown and failed loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "loader_program.h"
#include "platform/ui/keys.h"
#include "runtime/call/heap.h"
#include "runtime/call/properties.h"
#include "runtime/windows/close_handling.h"
#include "runtime/events/event_sink.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/menu_bar.h"
#include "runtime/call/service_callback.h"

namespace barvell {
namespace {

using runtime::Window;
using testing::kCode39BatchWindow;
using testing::kMainWindow;
using testing::kProductBatchWindow;
using testing::kTutorialWindow;
using testing::LoaderCall;
using testing::Utf8;

class WindowLoader : public testing::LoaderProgram {
 protected:
  // The platform window a control of the template should lie in: its container's, or the
  // window's own.
  ui::WindowHandle ExpectedParent(Window& window, size_t index) {
    ComponentId parent = window.Component(index).parent;
    if (parent == 0) return runtime::HandleOf(window, 0);
    return runtime::HandleOf(window, *window.FindComponent(parent));
  }
};

TEST_F(WindowLoader, EveryWindowOpensCentredWithEveryControlWhereItsTemplatePutsIt) {
  StartProgram();
  struct Expected {
    WindowId id;
    ui::Rect outer;
    const char8_t* caption;
    size_t controls;
  };
  const Expected windows[] = {
      {kMainWindow, {552, 180, 816, 720}, u8"Barvell", 66},
      {kProductBatchWindow, {763, 419, 393, 241}, u8"商品编码", 14},
      {kCode39BatchWindow, {763, 419, 393, 241}, u8"CODE39批量编码", 15},
      {kTutorialWindow, {788, 314, 343, 452}, u8"软件教程", 3},
  };
  for (const Expected& expected : windows) {
    SCOPED_TRACE(expected.id);
    ASSERT_TRUE(Load(expected.id));
    Window& window = WindowOf(expected.id);
    ui::WindowHandle top = Top(expected.id);
    EXPECT_EQ(ui_.GetRect(top), expected.outer);
    EXPECT_EQ(ui_.GetText(top), Utf8(expected.caption));
    EXPECT_TRUE(ui_.IsVisible(top));
    EXPECT_TRUE(window.loaded);
    size_t controls = 0;
    for (size_t i = 1; i < window.ComponentCount(); ++i) {
      const runtime::ComponentRecord& record = window.Component(i);
      if (record.is_menu_item) continue;
      ++controls;
      ui::WindowHandle h = runtime::HandleOf(window, i);
      ASSERT_NE(h, ui::kNoWindow) << record.id;
      EXPECT_EQ(ui_.GetRect(h), (ui::Rect{record.left, record.top, record.width, record.height}))
          << record.id;
      EXPECT_EQ(ui_.Parent(h), ExpectedParent(window, i)) << record.id;
      EXPECT_EQ(runtime::ComponentOfHandle(h)->index, i);
    }
    EXPECT_EQ(controls, expected.controls);
  }
}

TEST_F(WindowLoader, ControlsShowTheirTemplateTexts) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  const std::pair<ComponentId, const char8_t*> texts[] = {
      {0x1601001B, u8"35"},         {0x16010025, u8"0.32"},      {0x16010022, u8"300"},
      {0x16010019, u8"图片信息"},   {0x16010064, u8"条码设置"},  {0x1601000C, u8"编码信息"},
      {0x1601001A, u8"输出宽度："}, {0x16010023, u8"dpi"},        {0x16010072, u8"保存图片"},
      {0x160101FA, u8"批量生成"},   {0x16010141, u8"CODE39编码："}, {0x1601000F, u8""},
  };
  for (const auto& [id, text] : texts) {
    EXPECT_EQ(ui_.GetText(HandleOf(kMainWindow, id)), Utf8(text)) << std::hex << id;
  }
  ui::WindowHandle format = HandleOf(kMainWindow, 0x16010029);
  EXPECT_EQ(ui_.GetItems(format), (std::vector<std::string>{"PNG", "JPG", "BMP"}));
  EXPECT_EQ(ui_.GetCurrent(format), 0);
  // The hidden common dialog exists but is not shown.
  ui::WindowHandle dialog = HandleOf(kMainWindow, 0x160101F1);
  ASSERT_NE(dialog, ui::kNoWindow);
  EXPECT_FALSE(ui_.IsVisible(dialog));

  ASSERT_TRUE(Load(kTutorialWindow));
  EXPECT_EQ(ui_.GetText(HandleOf(kTutorialWindow, 0x16010355)), Utf8(u8"微信扫描查看教程"));
  EXPECT_EQ(ui_.BackgroundOf(Top(kTutorialWindow)), 0xFFFFFFu);
}

TEST_F(WindowLoader, SiblingsStackInTemplateOrderFirstOnTop) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  Window& window = WindowOf(kMainWindow);
  // The expected stacking of every container: its components in template order.
  std::map<ui::WindowHandle, std::vector<ui::WindowHandle>> expected;
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    if (window.Component(i).is_menu_item) continue;
    expected[ExpectedParent(window, i)].push_back(runtime::HandleOf(window, i));
  }
  ASSERT_EQ(expected.size(), 4u);  // the window and its three group boxes
  for (const auto& [parent, children] : expected) EXPECT_EQ(ui_.Children(parent), children);
  // The covers lie above the preview panel they cover.
  std::vector<ui::WindowHandle> top = ui_.Children(Top(kMainWindow));
  auto at = [&](ComponentId id) {
    return std::find(top.begin(), top.end(), HandleOf(kMainWindow, id)) - top.begin();
  };
  EXPECT_LT(at(0x160100C9), at(0x1601000D));
}

TEST_F(WindowLoader, ControlsAreCreatedFromTheLastRecordWithIdsFromHundredByTen) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  auto id_of = [&](ComponentId component) {
    Window& window = WindowOf(kMainWindow);
    void* object = window.slots[*window.FindComponent(component)].object;
    return runtime::AsControl(static_cast<runtime::ComponentObject*>(object))
        ->ControlId();
  };
  EXPECT_EQ(id_of(0x1601000D), 100);                // 画板1, the last record
  EXPECT_EQ(id_of(0x160100C8), 110);                // 挡板, the one before it
  EXPECT_EQ(id_of(0x160101FA), 100 + 10 * 65);      // 按钮8, the first control
  // Handles are handed out in creation order.
  EXPECT_GT(HandleOf(kMainWindow, 0x160101FA), HandleOf(kMainWindow, 0x1601000D));
  EXPECT_GT(HandleOf(kMainWindow, 0x1601000D), Top(kMainWindow));
}

TEST_F(WindowLoader, MainMenuBarHasHelpWithTutorialAndAbout) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  std::vector<ui::MenuItem> bar = ui_.MenuBar(Top(kMainWindow));
  ASSERT_EQ(bar.size(), 1u);
  EXPECT_EQ(bar[0].caption, Utf8(u8"帮助"));
  ASSERT_EQ(bar[0].children.size(), 2u);
  EXPECT_EQ(bar[0].children[0].caption, Utf8(u8"教程"));
  EXPECT_EQ(bar[0].children[0].command, 20001);
  EXPECT_EQ(bar[0].children[1].caption, Utf8(u8"关于"));
  EXPECT_EQ(bar[0].children[1].command, 20002);
  Window& window = WindowOf(kMainWindow);
  EXPECT_EQ(window.Component(*runtime::MenuItemOfCommand(window, 20001)).id, 0x26010329u);
  EXPECT_EQ(window.Component(*runtime::MenuItemOfCommand(window, 20002)).id, 0x2601034Eu);
  EXPECT_FALSE(runtime::MenuItemOfCommand(window, 20003));
  EXPECT_FALSE(runtime::MenuItemOfCommand(window, 19999));
  // The bar takes its height from the client area, not from the outer size.
  EXPECT_EQ(ui_.GetRect(Top(kMainWindow)).height, 720);
}

TEST_F(WindowLoader, ReloadingActivatesOrRestoresTheWindowInsteadOfMakingAnother) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  ui::WindowHandle main = Top(kMainWindow);
  ASSERT_TRUE(Load(kTutorialWindow));
  EXPECT_EQ(ui_.ActiveWindow(), Top(kTutorialWindow));
  size_t windows = ui_.TopLevels().size();

  ASSERT_TRUE(Load(kMainWindow));
  EXPECT_EQ(Top(kMainWindow), main);
  EXPECT_EQ(ui_.TopLevels().size(), windows);
  EXPECT_EQ(ui_.ActiveWindow(), main);

  ui_.Show(main, ui::ShowMode::kMinimise);
  ASSERT_TRUE(Load(kMainWindow));
  EXPECT_FALSE(ui_.IsMinimised(main));
  EXPECT_EQ(ui_.TopLevels().size(), windows);
}

// A window whose events 0, 3, 4 and -7 are bound to handlers 0 to 3, with one edit box.
std::vector<runtime::WindowSource> EventWindow() {
  runtime::WindowSource window;
  window.id = 0x52010001;
  runtime::controls::WindowBlock block;
  block.caption = "events";
  window.components.push_back(testing::WindowComponent(
      0x06010000, block,
      {{0, testing::HandlerOffset(0)},
       {3, testing::HandlerOffset(1)},
       {4, testing::HandlerOffset(2)},
       {-7, testing::HandlerOffset(3)}}));
  runtime::controls::EditBoxBlock edit;
  edit.content = "abc";
  window.components.push_back(
      testing::Control(0x16010002, type_id::kEditBox, {10, 10, 100, 20}, edit));
  window.components.back().record.events = {{-7, testing::HandlerOffset(4)}};
  return {window};
}

TEST_F(WindowLoader, LoadRaisesCreatedMovedSizedThenGotFocusOnce) {
  StartWith(EventWindow());
  ASSERT_TRUE(Load(kMainWindow));
  std::vector<int> order;
  for (const LoaderCall& call : testing::g_loader_calls) order.push_back(call.handler);
  // The window itself holds the focus after it is shown.
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(ui_.Focus(), Top(kMainWindow));
}

TEST_F(WindowLoader, WithTheRuntimesEventSinkTheFocusEventStillComesOnceAndOnlyFromTheLoad) {
  StartWith(EventWindow());
  runtime::InstallEventSink();
  ASSERT_TRUE(Load(kMainWindow));
  std::vector<int> order;
  for (const LoaderCall& call : testing::g_loader_calls) order.push_back(call.handler);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  // Once loaded, the focus moving to the edit box is the sink's to report.
  ui_.Driver().Click(HandleOf(kMainWindow, 0x16010002));
  while (ui_.Driver().PendingActions() > 0 || ui_.HasPendingEvent()) ui_.DispatchOne();
  ui_.TakeQuit();
  EXPECT_EQ(testing::g_loader_calls.back().handler, 4);
  runtime::RemoveEventSink();
}

TEST_F(WindowLoader, AHandlerThatClosesItsWindowEndsTheLoadEvents) {
  StartWith(EventWindow());
  testing::g_during_handler = [this](int handler) {
    if (handler == 0) runtime::CloseProgramWindow(WindowOf(kMainWindow));
  };
  EXPECT_TRUE(Load(kMainWindow));
  ASSERT_EQ(testing::g_loader_calls.size(), 1u);
  Window& window = WindowOf(kMainWindow);
  EXPECT_FALSE(window.loaded);
  EXPECT_EQ(runtime::HandleOf(window, 0), ui::kNoWindow);
  EXPECT_FALSE(runtime::AnyWindowLoaded());
}

TEST_F(WindowLoader, ModalLoadDisablesTheOtherWindowsUntilItCloses) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  ASSERT_TRUE(Load(kTutorialWindow));
  ui::WindowHandle main = Top(kMainWindow), tutorial = Top(kTutorialWindow);
  ui_.Enable(tutorial, false);  // already disabled: not this load's to give back

  ASSERT_TRUE(Load(kProductBatchWindow, /*modal=*/true));
  ui::WindowHandle batch = Top(kProductBatchWindow);
  EXPECT_FALSE(ui_.IsEnabled(main));
  EXPECT_TRUE(ui_.IsEnabled(batch));
  EXPECT_EQ(ui_.ActiveWindow(), batch);

  ASSERT_TRUE(runtime::CloseProgramWindow(WindowOf(kProductBatchWindow)));
  EXPECT_FALSE(ui_.IsWindow(batch));
  EXPECT_TRUE(ui_.IsEnabled(main));
  EXPECT_FALSE(ui_.IsEnabled(tutorial));
}

TEST_F(WindowLoader, ModalLoadServiceRunsTheModalLoopUntilTheWindowIsGone) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  ui::WindowHandle main = Top(kMainWindow);
  bool main_disabled_meanwhile = false;
  ui_.Driver().Do([&] {
    main_disabled_meanwhile = !ui_.IsEnabled(main);
    runtime::CloseProgramWindow(WindowOf(kCode39BatchWindow));
  });
  runtime::LoadWindowRecord record{kCode39BatchWindow, nullptr, 1};
  EXPECT_EQ(runtime::LibraryServiceCallback(runtime::library_service::kLoadWindow,
                                            reinterpret_cast<intptr_t>(&record), 0),
            0);
  // Returned only once the modal window was closed.
  EXPECT_TRUE(main_disabled_meanwhile);
  EXPECT_EQ(Top(kCode39BatchWindow), ui::kNoWindow);
  EXPECT_TRUE(ui_.IsEnabled(main));

  runtime::LoadWindowRecord missing{0x52019999, nullptr, 0};
  EXPECT_EQ(runtime::LibraryServiceCallback(runtime::library_service::kLoadWindow,
                                            reinterpret_cast<intptr_t>(&missing), 0),
            -1);
}

TEST_F(WindowLoader, ModelessLoadWithADeadOwnerFails) {
  StartProgram();
  EXPECT_FALSE(runtime::LoadWindowObject(WindowOf(kTutorialWindow), false, 4242));
  EXPECT_FALSE(WindowOf(kTutorialWindow).loaded);
  // A modal load ignores the owner.
  EXPECT_TRUE(runtime::LoadWindowObject(WindowOf(kTutorialWindow), true, 4242));
}

TEST_F(WindowLoader, TeardownClearsTheWindowAndTheLastOnePostsTheQuit) {
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  ASSERT_TRUE(Load(kCode39BatchWindow));
  runtime::State().running = true;
  Window& batch = WindowOf(kCode39BatchWindow);
  size_t help = *batch.FindComponent(0x16010271);
  EXPECT_NE(batch.slots[help].cursor, nullptr);  // the hand cursor of "帮助信息"
  EXPECT_EQ(ui_.CursorOf(runtime::HandleOf(batch, help)), ui::Cursor::kHand);

  // Typed text is not kept: a window loaded again is built from its template.
  ui_.SetText(HandleOf(kCode39BatchWindow, 0x16010270), "typed");
  ASSERT_TRUE(runtime::CloseProgramWindow(batch));
  EXPECT_FALSE(batch.loaded);
  for (const runtime::ComponentSlots& slot : batch.slots) {
    EXPECT_EQ(slot.object, nullptr);
    EXPECT_EQ(slot.cursor, nullptr);
  }
  EXPECT_FALSE(ui_.IsQuitPosted());  // the main window is still there

  ASSERT_TRUE(Load(kCode39BatchWindow));
  EXPECT_EQ(ui_.GetText(HandleOf(kCode39BatchWindow, 0x16010270)), "");
  runtime::CloseProgramWindow(WindowOf(kCode39BatchWindow));
  runtime::CloseProgramWindow(WindowOf(kMainWindow));
  EXPECT_TRUE(ui_.IsQuitPosted());
  EXPECT_EQ(ui_.TakeQuit(), 0);
  EXPECT_TRUE(runtime::LoadedWindows().empty());
}

// What property writes change in a load's records (a tag, a menu caption; visibility,
// size and tag while unloaded) does not reach the next load: it starts from the template.
TEST_F(WindowLoader, EachLoadStartsFromTheTemplatesRecords) {
  constexpr ComponentId kEdit = 0x1601000F;          // 编辑框1, 120 wide, no tag
  constexpr ComponentId kTutorialItem = 0x26010329;  // "教程"
  auto write_text = [](ComponentId component, int32_t number, const char* text) {
    uint64_t bits = reinterpret_cast<uintptr_t>(text);
    runtime::WriteProperty(kMainWindow, component, number, -1, uint32_t(bits),
                           uint32_t(bits >> 32));
  };
  auto read_text = [](ComponentId component, int32_t number) {
    auto* text = reinterpret_cast<char*>(
        uintptr_t(runtime::ReadProperty(kMainWindow, component, number, -1)));
    std::string value = text != nullptr ? text : "";
    runtime::FreeBlock(text);
    return value;
  };
  StartProgram();
  ASSERT_TRUE(Load(kMainWindow));
  write_text(kEdit, property::kTag, "改过");
  write_text(kTutorialItem, property::kMenuCaption, "改过");
  ASSERT_EQ(read_text(kEdit, property::kTag), "改过");
  ASSERT_TRUE(runtime::CloseProgramWindow(WindowOf(kMainWindow)));

  EXPECT_EQ(read_text(kEdit, property::kTag), "");
  EXPECT_EQ(read_text(kTutorialItem, property::kMenuCaption), "教程");
  write_text(kEdit, property::kTag, "未载入时");
  runtime::WriteProperty(kMainWindow, kEdit, property::kVisible, -1, 0, 0);
  runtime::WriteProperty(kMainWindow, kEdit, property::kWidth, -1, 7, 0);
  EXPECT_EQ(read_text(kEdit, property::kTag), "未载入时");  // until the next load

  ASSERT_TRUE(Load(kMainWindow));
  EXPECT_EQ(read_text(kEdit, property::kTag), "");
  EXPECT_EQ(read_text(kTutorialItem, property::kMenuCaption), "教程");
  EXPECT_TRUE(ui_.IsVisible(HandleOf(kMainWindow, kEdit)));
  EXPECT_EQ(ui_.GetRect(HandleOf(kMainWindow, kEdit)).width, 120);
  EXPECT_EQ(ui_.MenuBar(Top(kMainWindow))[0].children[0].caption, Utf8(u8"教程"));
}

TEST_F(WindowLoader, AComponentThatCannotBeCreatedFailsTheLoadAndLeavesNothing) {
  std::vector<runtime::WindowSource> windows = EventWindow();
  runtime::ComponentSource unknown;
  unknown.record.id = 0x16010003;
  unknown.record.type = 0x00010002;  // an empty type number of library 1
  unknown.record.flags = runtime::component_flag::kVisible;
  // Created before the edit box (controls go from the last record), after the window.
  windows[0].components.push_back(unknown);
  StartWith(windows);
  EXPECT_FALSE(Load(kMainWindow));
  Window& window = WindowOf(kMainWindow);
  EXPECT_FALSE(window.loaded);
  for (const runtime::ComponentSlots& slot : window.slots) EXPECT_EQ(slot.object, nullptr);
  EXPECT_TRUE(ui_.TopLevels().empty());  // the window made first is gone again
  EXPECT_TRUE(testing::g_loader_calls.empty());  // no events for a window that never was
}

TEST_F(WindowLoader, AnInvalidWindowBlockFailsTheLoad) {
  std::vector<runtime::WindowSource> windows = EventWindow();
  runtime::controls::WindowBlock block;
  windows[0].components[0].property_block = runtime::controls::EncodeBlock(block);
  windows[0].components[0].property_block[0] = 7;  // version 7 does not exist
  StartWith(windows);
  EXPECT_FALSE(Load(kMainWindow));
  EXPECT_TRUE(ui_.TopLevels().empty());
}

// ---- the menu bar of a test menu run

std::vector<runtime::WindowSource> MenuWindow() {
  using testing::MenuEntry;
  runtime::WindowSource window;
  window.id = 0x52010001;
  window.components.push_back(testing::WindowComponent(0x06010000, {}));
  window.components.push_back(MenuEntry(0x26010010, 0, "File"));
  window.components.push_back(MenuEntry(0x26010011, 1, "Open", 0, 15));            // Ctrl+O
  window.components.push_back(MenuEntry(0x26010012, 1, "Recent"));
  window.components.push_back(MenuEntry(0x26010013, 2, "One", runtime::menu_flag::kChecked, 27));
  window.components.push_back(MenuEntry(0x26010014, 1, "-"));
  window.components.push_back(MenuEntry(0x26010015, 1, "Secret", runtime::menu_flag::kHidden, 28));
  window.components.push_back(MenuEntry(0x26010016, 2, "Under secret"));
  window.components.push_back(MenuEntry(0x26010017, 1, "Grey", runtime::menu_flag::kDisabled, 74));
  window.components.push_back(MenuEntry(0x26010018, 0, "Edit"));
  window.components.push_back(MenuEntry(0x26010019, 1, "Cut", 0, 76));
  return {window};
}

TEST_F(WindowLoader, MenuLevelsNestAndHiddenItemsTakeTheirSubItemsAlong) {
  StartWith(MenuWindow());
  runtime::MenuBar menu = runtime::BuildMenuBar(WindowOf(kMainWindow));
  ASSERT_EQ(menu.bar.size(), 2u);
  const ui::MenuItem& file = menu.bar[0];
  EXPECT_EQ(file.caption, "File");
  ASSERT_EQ(file.children.size(), 4u);  // Open, Recent, separator, Grey
  EXPECT_EQ(file.children[0].caption, "Open\tCtrl+O");
  EXPECT_EQ(file.children[0].command, 20001);
  ASSERT_EQ(file.children[1].children.size(), 1u);
  EXPECT_EQ(file.children[1].children[0].caption, "One\tF1");
  EXPECT_TRUE(file.children[1].children[0].checked);
  EXPECT_EQ(file.children[1].children[0].command, 20003);
  EXPECT_TRUE(file.children[2].separator);
  EXPECT_EQ(file.children[3].caption, "Grey\tCtrl+Shift+F12");
  EXPECT_FALSE(file.children[3].enabled);
  EXPECT_EQ(file.children[3].command, 20007);
  ASSERT_EQ(menu.bar[1].children.size(), 1u);
  EXPECT_EQ(menu.bar[1].children[0].caption, "Cut\tDel");
  EXPECT_EQ(menu.bar[1].children[0].command, 20009);

  // Shortcuts of shown, enabled items become accelerators.
  EXPECT_EQ(menu.accelerators,
            (std::vector<ui::Accelerator>{{'O', ui::modifier::kCtrl, 20001},
                                          {ui::key::kF1, 0, 20003},
                                          {ui::key::kDelete, 0, 20009}}));
}

TEST(MenuShortcuts, NamesAndKeysOfEveryRange) {
  const std::pair<uint32_t, const char*> names[] = {
      {1, "Ctrl+A"},  {26, "Ctrl+Z"},       {27, "F1"},   {38, "F12"},
      {39, "Ctrl+F1"}, {51, "Shift+F1"},    {62, "Shift+F12"}, {63, "Ctrl+Shift+F1"},
      {74, "Ctrl+Shift+F12"}, {75, "Ins"},   {76, "Del"},  {0, ""}, {77, ""},
  };
  for (const auto& [shortcut, name] : names) {
    EXPECT_EQ(runtime::ShortcutName(shortcut), name) << shortcut;
  }
  EXPECT_EQ(runtime::ShortcutKey(50)->key, ui::key::kF1 + 11);
  EXPECT_EQ(runtime::ShortcutKey(50)->modifiers, ui::modifier::kCtrl);
  EXPECT_EQ(runtime::ShortcutKey(63)->modifiers, ui::modifier::kCtrl | ui::modifier::kShift);
  EXPECT_EQ(runtime::ShortcutKey(75)->key, ui::key::kInsert);
  EXPECT_FALSE(runtime::ShortcutKey(0));
}

// Records what the window system reports.
struct RecordingSink : ui::EventSink {
  std::vector<ui::Event> events;
  bool OnEvent(const ui::Event& e) override {
    events.push_back(e);
    return false;
  }
  char32_t OnCharacter(ui::WindowHandle, char32_t c) override { return c; }
};

TEST_F(WindowLoader, LoadedMenuAcceleratorsReachTheWindowAndFollowMenuChanges) {
  StartWith(MenuWindow());
  ASSERT_TRUE(Load(kMainWindow));
  RecordingSink sink;
  ui_.SetEventSink(&sink);
  auto press = [&](int key, int modifiers) {
    sink.events.clear();
    ui_.Driver().PressKey(key, modifiers);
    while (ui_.Driver().PendingActions() > 0 || ui_.HasPendingEvent()) ui_.DispatchOne();
    ui_.TakeQuit();
    return sink.events.empty() ? ui::EventKind::kDestroyed : sink.events[0].kind;
  };
  EXPECT_EQ(press('O', ui::modifier::kCtrl), ui::EventKind::kAccelerator);
  EXPECT_EQ(sink.events[0].command, 20001);
  EXPECT_EQ(press(ui::key::kDelete, 0), ui::EventKind::kAccelerator);

  // Hiding "Edit" through its record rebuilds the bar without it and its shortcut.
  runtime::ComponentView* edit = runtime::FindComponent(kMainWindow, 0x26010018);
  ASSERT_NE(edit, nullptr);
  edit->SetFlags(runtime::menu_flag::kHidden);
  edit->MenuChanged();
  EXPECT_EQ(ui_.MenuBar(Top(kMainWindow)).size(), 1u);
  EXPECT_EQ(press(ui::key::kDelete, 0), ui::EventKind::kKeyDown);
  ui_.SetEventSink(nullptr);
}

}  // namespace
}  // namespace barvell
