#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/headless/headless_metrics.h"
#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"
#include "platform/ui/utf8.h"

namespace barvell::ui {
namespace {

// Records what the window system reports; hooks decide what a handler would.
struct RecordingSink : EventSink {
  std::vector<Event> events;
  std::vector<char32_t> characters;
  std::function<bool(const Event&)> onEvent;
  std::function<char32_t(WindowHandle, char32_t)> onCharacter;

  bool OnEvent(const Event& e) override {
    events.push_back(e);
    return onEvent ? onEvent(e) : false;
  }
  char32_t OnCharacter(WindowHandle target, char32_t c) override {
    characters.push_back(c);
    return onCharacter ? onCharacter(target, c) : c;
  }
  std::vector<EventKind> Kinds(WindowHandle only = kNoWindow) const {
    std::vector<EventKind> out;
    for (const Event& e : events)
      if (only == kNoWindow || e.window == only) out.push_back(e.kind);
    return out;
  }
  const Event* First(EventKind kind) const {
    for (const Event& e : events)
      if (e.kind == kind) return &e;
    return nullptr;
  }
  int Count(EventKind kind, WindowHandle window = kNoWindow) const {
    int n = 0;
    for (const Event& e : events)
      if (e.kind == kind && (window == kNoWindow || e.window == window)) ++n;
    return n;
  }
};

MenuItem Item(std::string caption, int command, bool enabled = true) {
  MenuItem m;
  m.caption = std::move(caption);
  m.command = command;
  m.enabled = enabled;
  return m;
}
MenuItem Separator() {
  MenuItem m;
  m.separator = true;
  return m;
}
MenuItem PullDown(std::string caption, std::vector<MenuItem> children) {
  MenuItem m;
  m.caption = std::move(caption);
  m.children = std::move(children);
  return m;
}

// The runtime's loop, in small: dispatch until a quit is posted (or `ended` says so);
// the outermost loop takes the quit, a nested one leaves it for the loop outside.
int RunLoop(WindowSystem& ws, bool nested = false, std::function<bool()> ended = nullptr) {
  for (;;) {
    if (ended && ended()) return -1;
    if (ws.IsQuitPosted()) return nested ? -2 : ws.TakeQuit();
    if (!ws.HasPendingEvent()) ws.WaitForEvent();
    if (ws.IsQuitPosted()) continue;
    ws.DispatchOne();
  }
}

class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessTest() { ws.SetEventSink(&sink); }

  WindowHandle MakeWindow(WindowBorder border = WindowBorder::kSizeable, Rect outer = {100, 50, 400, 300}) {
    TopLevelParams params;
    params.caption = "窗口";
    params.outer = outer;
    params.border = border;
    WindowHandle w = ws.CreateTopLevel(params);
    ws.Show(w, ShowMode::kShow);
    return w;
  }
  WindowHandle MakeControl(ControlKind kind, WindowHandle parent, Rect r, std::string text = {},
                           bool multiLine = false) {
    ControlParams params;
    params.kind = kind;
    params.parent = parent;
    params.rect = r;
    params.text = std::move(text);
    params.multiLine = multiLine;
    params.tabStop = kind != ControlKind::kSurface && kind != ControlKind::kGroupBox;
    return ws.CreateControl(params);
  }

  HeadlessWindowSystem ws;
  InputDriver& driver = ws.Driver();
  RecordingSink sink;
};

// --- geometry ---------------------------------------------------------------------------

TEST_F(HeadlessTest, ClientAreaSubtractsFrameCaptionMenuAndEdges) {
  const ScreenMetrics& m = kHeadlessMetrics;
  WindowHandle sizeable = MakeWindow(WindowBorder::kSizeable, {0, 0, 816, 720});
  EXPECT_EQ(ws.ClientSize(sizeable),
            (Size{816 - 2 * m.sizeableFrame, 720 - 2 * m.sizeableFrame - m.captionHeight}));
  ws.SetMenuBar(sizeable, {PullDown("帮助", {Item("教程", 20001)})});
  EXPECT_EQ(ws.ClientSize(sizeable).height,
            720 - 2 * m.sizeableFrame - m.captionHeight - m.menuBarHeight);

  WindowHandle fixedEdge = MakeWindow(WindowBorder::kFixedClientEdge, {0, 0, 393, 241});
  EXPECT_EQ(ws.ClientSize(fixedEdge),
            (Size{393 - 2 * (m.fixedFrame + m.clientEdge),
                  241 - 2 * (m.fixedFrame + m.clientEdge) - m.captionHeight}));
  WindowHandle tool = MakeWindow(WindowBorder::kFixedTool, {0, 0, 200, 100});
  EXPECT_EQ(ws.ClientSize(tool).height, 100 - 2 * m.fixedFrame - m.toolCaptionHeight);
  WindowHandle bare = MakeWindow(WindowBorder::kNone, {0, 0, 200, 100});
  EXPECT_EQ(ws.ClientSize(bare), (Size{200, 100}));
  // A tiny window has an empty client area, never a negative one.
  WindowHandle tiny = MakeWindow(WindowBorder::kSizeable, {0, 0, 5, 5});
  EXPECT_EQ(ws.ClientSize(tiny), (Size{0, 0}));
}

TEST_F(HeadlessTest, ControlsInAGroupBoxLieInItsClientArea) {
  WindowHandle w = MakeWindow(WindowBorder::kFixed, {10, 20, 400, 300});
  WindowHandle group = MakeControl(ControlKind::kGroupBox, w, {216, 9, 192, 143}, "图片信息");
  WindowHandle edit = MakeControl(ControlKind::kEdit, group, {64, 17, 88, 20});
  ws.SetControlBorder(edit, ControlBorder::kClientEdge);

  const ScreenMetrics& m = kHeadlessMetrics;
  Point windowClient = ws.ClientToScreen(w, {0, 0});
  EXPECT_EQ(windowClient, (Point{10 + m.fixedFrame, 20 + m.fixedFrame + m.captionHeight}));
  EXPECT_EQ(ws.ClientToScreen(group, {0, 0}), (Point{windowClient.x + 216, windowClient.y + 9}));
  EXPECT_EQ(ws.ClientToScreen(edit, {0, 0}), (Point{windowClient.x + 216 + 64 + 2, windowClient.y + 9 + 17 + 2}));
  EXPECT_EQ(ws.ClientSize(edit), (Size{84, 16}));
  EXPECT_EQ(ws.ClientSize(group), (Size{192, 143}));
  EXPECT_EQ(ws.Parent(edit), group);
  EXPECT_EQ(ws.TopLevelOf(edit), w);
}

TEST_F(HeadlessTest, GeometryChangesReportMovedAndSizedOnlyForWhatChanged) {
  WindowHandle w = MakeWindow();
  sink.events.clear();
  ws.SetRect(w, {100, 50, 500, 300});
  EXPECT_EQ(sink.Kinds(), std::vector<EventKind>{EventKind::kSized});
  sink.events.clear();
  ws.SetRect(w, {0, 0, 500, 300});
  EXPECT_EQ(sink.Kinds(), std::vector<EventKind>{EventKind::kMoved});
  sink.events.clear();
  ws.SetRect(w, {0, 0, 500, 300});
  EXPECT_TRUE(sink.events.empty());

  // The person drags the frame: a fixed window moves but keeps its size.
  WindowHandle fixed = MakeWindow(WindowBorder::kFixed, {0, 0, 393, 241});
  driver.MoveResize(fixed, {30, 40, 800, 800});
  RunLoop(ws);
  EXPECT_EQ(ws.GetRect(fixed), (Rect{30, 40, 393, 241}));
}

TEST_F(HeadlessTest, MaximiseAndRestoreKeepTheOldRectangle) {
  WindowHandle w = MakeWindow(WindowBorder::kSizeable, {552, 180, 816, 720});
  ws.Show(w, ShowMode::kMaximise);
  EXPECT_TRUE(ws.IsMaximised(w));
  EXPECT_EQ(ws.GetRect(w), (Rect{0, 0, 1920, 1080}));
  ws.Show(w, ShowMode::kRestore);
  EXPECT_FALSE(ws.IsMaximised(w));
  EXPECT_EQ(ws.GetRect(w), (Rect{552, 180, 816, 720}));
}

// --- z-order ----------------------------------------------------------------------------

TEST_F(HeadlessTest, NewControlsGoOnTopAndPlaceAfterOrdersSiblings) {
  WindowHandle w = MakeWindow();
  WindowHandle a = MakeControl(ControlKind::kSurface, w, {0, 0, 10, 10});
  WindowHandle b = MakeControl(ControlKind::kSurface, w, {0, 0, 10, 10});
  WindowHandle c = MakeControl(ControlKind::kSurface, w, {0, 0, 10, 10});
  EXPECT_EQ(ws.Children(w), (std::vector<WindowHandle>{c, b, a}));
  ws.PlaceAfter(c, a);
  EXPECT_EQ(ws.Children(w), (std::vector<WindowHandle>{b, a, c}));
  ws.PlaceOnTop(a);
  EXPECT_EQ(ws.Children(w), (std::vector<WindowHandle>{a, b, c}));
  // Placing after a window of another parent changes nothing.
  WindowHandle group = MakeControl(ControlKind::kGroupBox, w, {0, 0, 50, 50});
  WindowHandle inner = MakeControl(ControlKind::kSurface, group, {0, 0, 5, 5});
  ws.PlaceAfter(inner, a);
  EXPECT_EQ(ws.Children(group), std::vector<WindowHandle>{inner});
}

TEST_F(HeadlessTest, AClickReachesTheTopmostVisibleControlUnderThePoint) {
  WindowHandle w = MakeWindow(WindowBorder::kNone, {0, 0, 300, 300});
  WindowHandle panel = MakeControl(ControlKind::kSurface, w, {32, 32, 200, 200});
  WindowHandle cover = MakeControl(ControlKind::kSurface, w, {0, 0, 40, 40});
  ws.PlaceAfter(panel, cover);  // the cover hides the panel's corner

  driver.ClickAt(w, {35, 36});
  RunLoop(ws);
  ASSERT_GE(sink.events.size(), 1u);
  Event down = sink.events[sink.events.size() - 2];
  EXPECT_EQ(down.kind, EventKind::kMouseDown);
  EXPECT_EQ(down.window, cover);
  EXPECT_EQ(down.position, (Point{35, 36}));

  sink.events.clear();
  ws.Show(cover, ShowMode::kHide);
  sink.events.clear();
  driver.ClickAt(w, {35, 36});
  RunLoop(ws);
  ASSERT_EQ(sink.Count(EventKind::kMouseDown), 1);
  EXPECT_EQ(sink.events[0].window, panel);
  EXPECT_EQ(sink.events[0].position, (Point{3, 4}));  // in the panel's client area

  // Outside every control the window itself gets the click.
  sink.events.clear();
  driver.ClickAt(w, {250, 10});
  RunLoop(ws);
  EXPECT_EQ(sink.events[0].window, w);
}

TEST_F(HeadlessTest, SetParentMovesAControlIntoAContainer) {
  WindowHandle w = MakeWindow();
  WindowHandle group = MakeControl(ControlKind::kGroupBox, w, {100, 100, 100, 100});
  WindowHandle button = MakeControl(ControlKind::kPushButton, w, {8, 8, 50, 20});
  ws.SetParent(button, group);
  EXPECT_EQ(ws.Parent(button), group);
  EXPECT_EQ(ws.Children(w), std::vector<WindowHandle>{group});
  EXPECT_EQ(ws.GetRect(button), (Rect{8, 8, 50, 20}));
  // A container cannot move into its own child.
  ws.SetParent(group, button);
  EXPECT_EQ(ws.Parent(group), w);
}

// --- focus and activation ---------------------------------------------------------------

TEST_F(HeadlessTest, FocusMovesOnlyToShownEnabledWindowsAndReportsLostThenGained) {
  WindowHandle w = MakeWindow();
  WindowHandle a = MakeControl(ControlKind::kEdit, w, {0, 0, 50, 20});
  WindowHandle b = MakeControl(ControlKind::kEdit, w, {0, 30, 50, 20});
  ASSERT_TRUE(ws.SetFocus(a));
  sink.events.clear();
  ASSERT_TRUE(ws.SetFocus(b));
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[0].kind, EventKind::kFocusLost);
  EXPECT_EQ(sink.events[0].window, a);
  EXPECT_EQ(sink.events[1].kind, EventKind::kFocusGained);
  EXPECT_EQ(sink.events[1].window, b);

  ws.Enable(a, false);
  EXPECT_FALSE(ws.SetFocus(a));
  ws.Enable(a, true);
  ws.Show(a, ShowMode::kHide);
  EXPECT_FALSE(ws.SetFocus(a));
  WindowHandle group = MakeControl(ControlKind::kGroupBox, w, {0, 0, 100, 100});
  WindowHandle inGroup = MakeControl(ControlKind::kEdit, group, {0, 0, 50, 20});
  ws.Enable(group, false);
  EXPECT_FALSE(ws.SetFocus(inGroup));  // lies in a disabled container
  EXPECT_EQ(ws.Focus(), b);
}

TEST_F(HeadlessTest, ActivationRestoresTheFocusAndClosingAnOwnedWindowReturnsToItsOwner) {
  WindowHandle main = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, main, {0, 0, 50, 20});
  ws.SetFocus(edit);

  TopLevelParams params;
  params.caption = "商品编码";
  params.outer = {0, 0, 393, 241};
  params.owner = main;
  WindowHandle modal = ws.CreateTopLevel(params);
  ws.Show(modal, ShowMode::kShow);
  EXPECT_EQ(ws.ActiveWindow(), modal);
  EXPECT_EQ(ws.Focus(), modal);  // the window itself holds the focus when shown

  ws.Destroy(modal);
  EXPECT_FALSE(ws.IsWindow(modal));
  EXPECT_EQ(ws.ActiveWindow(), main);
  EXPECT_EQ(ws.Focus(), edit);
}

TEST_F(HeadlessTest, DestroyReportsOwnedWindowsFirstThenParentsBeforeChildren) {
  WindowHandle main = MakeWindow();
  WindowHandle group = MakeControl(ControlKind::kGroupBox, main, {0, 0, 100, 100});
  WindowHandle button = MakeControl(ControlKind::kPushButton, group, {0, 0, 50, 20});
  TopLevelParams params;
  params.owner = main;
  WindowHandle owned = ws.CreateTopLevel(params);
  std::vector<WindowHandle> destroyed;
  sink.onEvent = [&](const Event& e) {
    if (e.kind == EventKind::kDestroyed) {
      destroyed.push_back(e.window);
      EXPECT_TRUE(ws.IsWindow(e.window));  // still there while it hears of it
      ws.Destroy(main);                    // re-entrant destruction is harmless
    }
    return false;
  };
  ws.Destroy(main);
  EXPECT_EQ(destroyed, (std::vector<WindowHandle>{owned, main, group, button}));
  for (WindowHandle h : destroyed) EXPECT_FALSE(ws.IsWindow(h));
  EXPECT_EQ(ws.ActiveWindow(), kNoWindow);
  EXPECT_EQ(ws.Focus(), kNoWindow);
  ws.Destroy(main);  // a stale handle is ignored
}

TEST_F(HeadlessTest, ShownAndHiddenAreReportedOnChangeOnly) {
  TopLevelParams params;
  WindowHandle w = ws.CreateTopLevel(params);
  EXPECT_FALSE(ws.IsVisible(w));
  ws.Show(w, ShowMode::kShow);
  ws.Show(w, ShowMode::kShow);
  ws.Show(w, ShowMode::kHide);
  EXPECT_EQ(sink.Count(EventKind::kShown, w), 1);
  EXPECT_EQ(sink.Count(EventKind::kHidden, w), 1);
  ws.Show(w, ShowMode::kMinimise);
  EXPECT_TRUE(ws.IsMinimised(w));
  EXPECT_NE(ws.ActiveWindow(), w);
  ws.Show(w, ShowMode::kRestore);
  EXPECT_FALSE(ws.IsMinimised(w));
  EXPECT_EQ(ws.ActiveWindow(), w);
}

// --- typing and the character path ------------------------------------------------------

TEST_F(HeadlessTest, TypedCharactersPassThroughTheSinkWhichMayReplaceOrSwallowThem) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  // A digits-only filter that also turns 'a' into 'b'.
  sink.onCharacter = [](WindowHandle, char32_t c) -> char32_t {
    if (c == U'a') return U'b';
    return (c >= U'0' && c <= U'9') || c == 8 ? c : 0;
  };
  driver.TypeInto(edit, "12x3a中");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(edit), "123b");
  EXPECT_EQ(sink.characters, (std::vector<char32_t>{U'1', U'2', U'x', U'3', U'a', U'中'}));
  EXPECT_EQ(sink.Count(EventKind::kEditChanged, edit), 4);
  // Each key went down and up with its virtual-key code; capitals hold Shift.
  driver.Type("Q");
  RunLoop(ws);
  const Event* lastDown = nullptr;
  for (const Event& e : sink.events)
    if (e.kind == EventKind::kKeyDown) lastDown = &e;
  ASSERT_NE(lastDown, nullptr);
  EXPECT_EQ(lastDown->key, 'Q');
  EXPECT_EQ(lastDown->modifiers, modifier::kShift);
}

TEST_F(HeadlessTest, AConsumedKeyDownMakesNoCharacter) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  sink.onEvent = [](const Event& e) { return e.kind == EventKind::kKeyDown && e.key == '7'; };
  driver.TypeInto(edit, "678");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(edit), "68");
  EXPECT_EQ(sink.Count(EventKind::kKeyUp), 3);
}

TEST_F(HeadlessTest, TabEnterAndEscReachTheSinkAsKeysAndOnlyMultiLineBoxesTakeThem) {
  WindowHandle w = MakeWindow();
  WindowHandle single = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20}, "ab");
  WindowHandle multi = MakeControl(ControlKind::kEdit, w, {0, 30, 100, 80}, "", true);
  driver.Focus(single);
  driver.PressKey(key::kTab);
  driver.PressKey(key::kReturn);
  driver.PressKey(key::kEscape);
  driver.TypeInto(multi, "1\r\n2\t");
  RunLoop(ws);
  std::vector<int> keys;
  for (const Event& e : sink.events)
    if (e.kind == EventKind::kKeyDown && e.window == single) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<int>{key::kTab, key::kReturn, key::kEscape}));
  EXPECT_EQ(ws.GetText(single), "ab");
  EXPECT_EQ(ws.GetText(multi), "1\r\n2\t");
  EXPECT_EQ(sink.Count(EventKind::kEditChanged, single), 0);

  // Back-space takes a line break as one.
  driver.Focus(multi);
  driver.PressKey(key::kBack);
  driver.PressKey(key::kBack);
  driver.PressKey(key::kBack);
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(multi), "1");
}

TEST_F(HeadlessTest, KeysCarryTheirModifiersAndControlLettersMakeControlCharacters) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  driver.Focus(edit);
  driver.PressKey('C', modifier::kCtrl | modifier::kShift);
  driver.PressKey(key::kF1, modifier::kAlt);
  driver.PressKey(key::kNumpad0 + 5);
  RunLoop(ws);
  std::vector<std::pair<int, int>> downs;
  for (const Event& e : sink.events)
    if (e.kind == EventKind::kKeyDown) downs.push_back({e.key, e.modifiers});
  EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{
                       {'C', modifier::kCtrl | modifier::kShift}, {key::kF1, modifier::kAlt},
                       {key::kNumpad0 + 5, 0}}));
  EXPECT_EQ(sink.characters, (std::vector<char32_t>{3, U'5'}));
  EXPECT_EQ(ws.GetText(edit), "5");  // a control character inserts nothing
}

TEST_F(HeadlessTest, AcceleratorsTakeTheirKeysBeforeTheSinkSeesThem) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  ws.SetAccelerators(w, {{key::kF1, 0, 20001}, {'S', modifier::kCtrl, 20002}});
  driver.Focus(edit);
  driver.PressKey('S', modifier::kCtrl);
  driver.PressKey('S');
  RunLoop(ws);
  ASSERT_EQ(sink.Count(EventKind::kAccelerator), 1);
  for (const Event& e : sink.events) {
    if (e.kind == EventKind::kAccelerator) {
      EXPECT_EQ(e.window, w);
      EXPECT_EQ(e.command, 20002);
    }
  }
  EXPECT_EQ(sink.Count(EventKind::kKeyDown), 1);  // only the plain S
  EXPECT_EQ(ws.GetText(edit), "s");
}

TEST_F(HeadlessTest, EditKeysDeleteAndMoveTheCaret) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20}, "abcd");
  driver.Focus(edit);
  driver.PressKey(key::kHome);
  driver.PressKey(key::kDelete);
  driver.PressKey(key::kRight);
  driver.Type("X");
  driver.PressKey(key::kEnd);
  driver.PressKey(key::kDelete);  // nothing after the end
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(edit), "bXcd");
  EXPECT_EQ(sink.Count(EventKind::kEditChanged, edit), 2);
}

TEST_F(HeadlessTest, FocusMovedByTheSinkOnAKeyRedirectsTheFollowingCharacters) {
  // The runtime moves the focus on Tab and Enter and consumes the key; what is typed next
  // lands in the newly focused box.
  WindowHandle w = MakeWindow();
  WindowHandle first = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  WindowHandle notes = MakeControl(ControlKind::kEdit, w, {0, 30, 100, 80}, "", true);
  sink.onEvent = [&](const Event& e) {
    if (e.kind == EventKind::kKeyDown && (e.key == key::kTab || e.key == key::kReturn)) {
      ws.SetFocus(e.window == first ? notes : first);
      return true;
    }
    return false;
  };
  driver.TypeInto(first, "12\t34\r56");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(first), "1256");
  EXPECT_EQ(ws.GetText(notes), "34");  // no tab, no line break: the keys were consumed
  EXPECT_EQ(std::count(sink.characters.begin(), sink.characters.end(), U'\t'), 0);
}

TEST_F(HeadlessTest, ShiftedCharactersAreTypedWithTheirKeysAndShift) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 200, 20});
  driver.TypeInto(edit, "a-_?!5 ");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(edit), "a-_?!5 ");
  std::vector<std::pair<int, int>> downs;
  for (const Event& e : sink.events)
    if (e.kind == EventKind::kKeyDown) downs.push_back({e.key, e.modifiers});
  const int s = modifier::kShift;
  EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{'A', 0}, {key::kMinus, 0}, {key::kMinus, s},
                                                      {key::kSlash, s}, {'1', s}, {'5', 0},
                                                      {key::kSpace, 0}}));
}

TEST_F(HeadlessTest, InputToAWindowInsideAHiddenContainerIsDropped) {
  WindowHandle w = MakeWindow();
  WindowHandle group = MakeControl(ControlKind::kGroupBox, w, {0, 0, 200, 100});
  WindowHandle edit = MakeControl(ControlKind::kEdit, group, {8, 20, 100, 20});
  ASSERT_TRUE(ws.SetFocus(edit));
  ws.Show(group, ShowMode::kHide);
  sink.events.clear();
  driver.Type("7");
  driver.Paste(edit, "8");
  driver.Click(edit);
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(edit), "");
  EXPECT_EQ(sink.Count(EventKind::kKeyDown) + sink.Count(EventKind::kMouseDown), 0);
}

TEST_F(HeadlessTest, TheHiddenOwnerIsNeverActivated) {
  WindowHandle owner = ws.CreateHiddenOwner();
  TopLevelParams params;
  params.owner = owner;
  WindowHandle modal = ws.CreateTopLevel(params);
  ws.Show(modal, ShowMode::kShow);
  EXPECT_FALSE(ws.IsVisible(owner));
  ws.Destroy(modal);
  EXPECT_TRUE(ws.IsWindow(owner));
  EXPECT_NE(ws.ActiveWindow(), owner);
  // An owner must be a top-level window.
  WindowHandle w = MakeWindow();
  WindowHandle button = MakeControl(ControlKind::kPushButton, w, {0, 0, 10, 10});
  params.owner = button;
  EXPECT_EQ(ws.CreateTopLevel(params), kNoWindow);
  ControlParams orphan;
  orphan.parent = 999;
  EXPECT_EQ(ws.CreateControl(orphan), kNoWindow);
}

// --- paste, programmatic edits ----------------------------------------------------------

TEST_F(HeadlessTest, PasteReplacesTheSelectionAndAOneLineBoxTakesTheFirstLine) {
  WindowHandle w = MakeWindow();
  WindowHandle single = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20}, "690123");
  WindowHandle multi = MakeControl(ControlKind::kEdit, w, {0, 30, 100, 80}, "", true);
  ws.SetSelection(single, 2, 4);
  driver.Paste(single, "99\r\n88");
  driver.Paste(multi, "a\r\nb");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(single), "699923");
  EXPECT_EQ(ws.GetText(multi), "a\r\nb");
  EXPECT_EQ(sink.Count(EventKind::kEditChanged), 2);
  EXPECT_EQ(ws.Focus(), multi);
  // Nothing is typed into a read-only box.
  ws.SetReadOnly(multi, true);
  driver.Paste(multi, "c");
  driver.TypeInto(multi, "d");
  RunLoop(ws);
  EXPECT_EQ(ws.GetText(multi), "a\r\nb");
}

TEST(EditModelTest, SelectionRulesOfTheNativeEditBox) {
  EditModel m;
  m.Configure(true, false);
  m.SetText("ab\r\ncd");
  m.Select(-1, 2);  // no selection, caret at 2
  EXPECT_EQ(m.SelectionStart(), 2);
  EXPECT_EQ(m.SelectionEnd(), 2);
  m.Select(1, -1);  // to the end
  EXPECT_EQ(m.SelectionEnd(), 6);
  EXPECT_TRUE(m.TypeCharacter(8));  // back-space removes the selection
  EXPECT_EQ(m.Text(), "a");
  m.Select(0, 0);
  EXPECT_FALSE(m.TypeCharacter(8));  // nothing before the caret
  m.SetText("x\r\ny");
  m.Select(1, 1);
  EXPECT_TRUE(m.DeleteForward());  // a line break goes whole
  EXPECT_EQ(m.Text(), "xy");
  EXPECT_FALSE(m.TypeCharacter(27));  // Esc inserts nothing
}

TEST(EditModelTest, ChineseTextIsEditedByCharacters) {
  EditModel m;
  m.Configure(true, false);
  m.SetText("条码\r\n商品");
  EXPECT_EQ(m.SelectionEnd(), 6);
  m.Select(1, 1);
  EXPECT_TRUE(m.TypeCharacter(U'形'));
  EXPECT_EQ(m.Text(), "条形码\r\n商品");
  EXPECT_EQ(m.SelectionStart(), 2);
  m.MoveCaret(key::kRight);  // past 码, before the line break
  EXPECT_TRUE(m.DeleteForward());  // the line break goes whole
  EXPECT_EQ(m.Text(), "条形码商品");
  m.MoveCaret(key::kRight);
  EXPECT_TRUE(m.TypeCharacter(8));
  EXPECT_EQ(m.Text(), "条形码品");
  EXPECT_EQ(m.SelectionEnd(), 3);
  m.Select(1, 3);
  m.ReplaceSelection("-");
  EXPECT_EQ(m.Text(), "条-品");
  m.MoveCaret(key::kLeft);
  m.MoveCaret(key::kLeft);
  m.MoveCaret(key::kLeft);  // stops at the start
  EXPECT_TRUE(m.TypeCharacter(U'\U0001F600'));  // beyond the basic plane: one character
  EXPECT_EQ(m.Text(), "\xF0\x9F\x98\x80条-品");
  m.MoveCaret(key::kEnd);
  EXPECT_EQ(m.SelectionEnd(), 4);
}

TEST(EditModelTest, MalformedInputIsStoredAsReplacementCharacters) {
  EditModel m;
  m.Configure(false, false);
  // Overlong, surrogate, truncated and stray bytes each become one U+FFFD, as everywhere
  // else texts cross the interface.
  const std::string bad = "a\xC0\xAF\xED\xA0\x80\xE6\x9D" "b\x80";
  m.SetText(bad);
  EXPECT_EQ(m.Text(), EncodeUtf8(DecodeUtf8(bad)));
  EXPECT_EQ(m.SelectionEnd(), static_cast<int>(DecodeUtf8(bad).size()));
  m.Append("\xE6");
  EXPECT_EQ(m.SelectionEnd(), static_cast<int>(DecodeUtf8(bad).size()) + 1);
  EXPECT_TRUE(m.TypeCharacter(0xD800));  // no character: stored as U+FFFD
  EXPECT_EQ(m.Text().substr(m.Text().size() - 6), "\xEF\xBF\xBD\xEF\xBF\xBD");
  // A one-line box pastes up to the first line break, counting the characters before it.
  m.SetText("");
  EXPECT_TRUE(m.Paste("码\xFF\n2"));
  EXPECT_EQ(m.Text(), "码\xEF\xBF\xBD");
  EXPECT_EQ(m.SelectionEnd(), 2);
}

TEST(EditModelTest, PositionsInALongListAfterAppends) {
  EditModel m;
  m.Configure(true, false);
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    const std::string line = (i % 3 == 0 ? "码" : "") + std::to_string(i) + "\r\n";
    m.Append(line);
    expected += line;
  }
  ASSERT_EQ(m.Text(), expected);
  const int n = static_cast<int>(DecodeUtf8(expected).size());
  EXPECT_EQ(m.SelectionEnd(), n);
  // Somewhere in the middle, then near the end, then near the start: each walked from a
  // different known position.
  const std::u32string chars = DecodeUtf8(expected);
  for (int at : {n / 2, n - 3, 5, n / 2 + 1}) {
    m.Select(at, at + 1);
    m.ReplaceSelection("#");
    std::u32string want = chars;
    want[at] = U'#';
    ASSERT_EQ(m.Text(), EncodeUtf8(want)) << at;
    m.Select(at, at + 1);
    m.ReplaceSelection(EncodeUtf8(std::u32string(1, chars[at])));  // put it back
  }
  EXPECT_EQ(m.Text(), expected);
  m.Select(n - 2, n);  // the last line break
  EXPECT_TRUE(m.TypeCharacter(8));
  EXPECT_EQ(m.Text(), expected.substr(0, expected.size() - 2));
}

TEST_F(HeadlessTest, ProgrammaticTextChangesAreSilentAndSelectionsClamp) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  ws.SetText(edit, "条码");
  int s = -1, e = -1;
  ws.GetSelection(edit, s, e);
  EXPECT_EQ(s, 2);  // characters, not bytes: the caret is at the end
  EXPECT_EQ(e, 2);
  ws.SetSelection(edit, 5, 1);
  ws.GetSelection(edit, s, e);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(e, 2);
  ws.ReplaceSelection(edit, "形码");
  EXPECT_EQ(ws.GetText(edit), "条形码");
  ws.SetSelection(edit, 3, 3);
  ws.ReplaceSelection(edit, "\r\n1");  // appending, as the batch windows do
  EXPECT_EQ(ws.GetText(edit), "条形码\r\n1");
  EXPECT_EQ(sink.Count(EventKind::kEditChanged), 0);
}

// --- buttons, lists, mouse --------------------------------------------------------------

TEST_F(HeadlessTest, AClickPressesTheButtonUnlessTheSinkConsumesTheMouse) {
  WindowHandle w = MakeWindow();
  WindowHandle button = MakeControl(ControlKind::kPushButton, w, {10, 10, 80, 24}, "计算编码");
  driver.Click(button, modifier::kCtrl);
  RunLoop(ws);
  // The press reaches the sink before the button takes the focus.
  EXPECT_EQ(sink.Kinds(button), (std::vector<EventKind>{EventKind::kMouseDown, EventKind::kFocusGained,
                                                        EventKind::kMouseUp, EventKind::kButtonClicked}));
  ASSERT_NE(sink.First(EventKind::kMouseDown), nullptr);
  EXPECT_EQ(sink.First(EventKind::kMouseDown)->position, (Point{40, 12}));
  EXPECT_EQ(sink.First(EventKind::kMouseDown)->modifiers, modifier::kCtrl);

  sink.events.clear();
  sink.onEvent = [](const Event& e) { return e.kind == EventKind::kMouseDown; };
  driver.Click(button);
  RunLoop(ws);
  EXPECT_EQ(sink.Count(EventKind::kButtonClicked), 0);

  // A disabled button, or one in a disabled window, hears nothing.
  sink.onEvent = nullptr;
  sink.events.clear();
  ws.Enable(w, false);
  driver.Click(button);
  driver.Close(w);
  RunLoop(ws);
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(HeadlessTest, SpaceOnAFocusedButtonClicksIt) {
  WindowHandle w = MakeWindow();
  WindowHandle button = MakeControl(ControlKind::kPushButton, w, {10, 10, 80, 24});
  driver.Focus(button);
  driver.PressKey(key::kSpace);
  RunLoop(ws);
  EXPECT_EQ(sink.Count(EventKind::kButtonClicked, button), 1);
}

TEST_F(HeadlessTest, ChoosingAListItemSelectsItAndReportsTheChange) {
  WindowHandle w = MakeWindow();
  WindowHandle list = MakeControl(ControlKind::kDropDownList, w, {0, 0, 56, 20});
  ws.SetItems(list, {"PNG", "JPG", "BMP"});
  EXPECT_EQ(ws.GetCurrent(list), -1);
  ws.SetCurrent(list, 0);
  driver.ChooseItem(list, 2);
  driver.Do([&] { EXPECT_FALSE(ws.IsDroppedDown(list)); });
  RunLoop(ws);
  EXPECT_EQ(ws.GetCurrent(list), 2);
  EXPECT_EQ(sink.Count(EventKind::kSelectionChanged, list), 1);
  EXPECT_EQ(sink.Count(EventKind::kDropDownClosed, list), 1);
  EXPECT_EQ(ws.Focus(), list);

  ws.SetCurrent(list, 7);  // past the end: unchanged
  EXPECT_EQ(ws.GetCurrent(list), 2);
  ws.SetCurrent(list, -5);
  EXPECT_EQ(ws.GetCurrent(list), -1);
  // Arrow keys step through the items.
  ws.SetCurrent(list, 1);
  driver.PressKey(key::kDown);
  driver.PressKey(key::kDown);
  RunLoop(ws);
  EXPECT_EQ(ws.GetCurrent(list), 2);
  EXPECT_EQ(sink.Count(EventKind::kSelectionChanged, list), 2);
}

TEST_F(HeadlessTest, WheelAndDoubleClickCarryTheirArguments) {
  WindowHandle w = MakeWindow(WindowBorder::kNone, {0, 0, 300, 300});
  WindowHandle bar = MakeControl(ControlKind::kSurface, w, {10, 10, 100, 16});
  driver.Wheel(-1, modifier::kShift, bar);
  driver.DoubleClickAt(w, {15, 12});
  driver.MoveMouse(w, {200, 200}, modifier::kCtrl);
  RunLoop(ws);
  ASSERT_EQ(sink.Count(EventKind::kWheel, bar), 1);
  EXPECT_EQ(sink.First(EventKind::kWheel)->wheel, -1);
  EXPECT_EQ(sink.First(EventKind::kWheel)->modifiers, modifier::kShift);
  EXPECT_EQ(sink.Kinds(bar), (std::vector<EventKind>{EventKind::kWheel, EventKind::kMouseDown, EventKind::kMouseUp,
                                                     EventKind::kDoubleClick, EventKind::kMouseUp}));
  EXPECT_EQ(sink.events.back().kind, EventKind::kMouseMove);
  EXPECT_EQ(sink.events.back().window, w);
  EXPECT_EQ(sink.events.back().modifiers, modifier::kCtrl);
}

TEST_F(HeadlessTest, MenuCommandsReachTheSinkOnlyForEnabledItems) {
  WindowHandle w = MakeWindow();
  ws.SetMenuBar(w, {PullDown("帮助", {Item("教程", 20001), Separator(), Item("关于", 20002, false)})});
  driver.ChooseMenu(w, 20001);
  driver.ChooseMenu(w, 20002);
  driver.ChooseMenu(w, 4711);
  RunLoop(ws);
  ASSERT_EQ(sink.Count(EventKind::kMenuCommand), 1);
  EXPECT_EQ(sink.events.back().command, 20001);
}

TEST_F(HeadlessTest, SurfacesKeepTheirBitmapAndCountRepaintsWindowsKeepTheirLooks) {
  WindowHandle w = MakeWindow();
  WindowHandle panel = MakeControl(ControlKind::kSurface, w, {0, 0, 100, 50});
  gfx::Bitmap picture(100, 50, 0xFFFFFF);
  ws.SetSurfaceBitmap(panel, &picture, 0x00FF00);
  EXPECT_EQ(ws.PaintRequests(panel), 0);  // nothing repaints until asked
  ws.Invalidate(panel);
  ws.Invalidate(panel);
  EXPECT_EQ(ws.PaintRequests(panel), 2);
  EXPECT_EQ(ws.SurfaceBitmap(panel), &picture);
  ws.SetSurfaceBitmap(panel, nullptr, 0);
  EXPECT_EQ(ws.SurfaceBitmap(panel), nullptr);

  EXPECT_EQ(ws.BackgroundOf(w), ws.Metrics().buttonFace);
  ws.SetBackground(w, 0xFFFFFF);
  EXPECT_EQ(ws.BackgroundOf(w), 0xFFFFFFu);
  ws.SetCursor(panel, Cursor::kHand);
  EXPECT_EQ(ws.CursorOf(panel), Cursor::kHand);
  EXPECT_EQ(ws.CursorOf(w), Cursor::kArrow);
}

// --- dialogs ----------------------------------------------------------------------------

TEST_F(HeadlessTest, MessageBoxesAreRecordedAndAnsweredFromTheQueueThenByDefault) {
  driver.AnswerMessageBox(MessageBoxAnswer::kNo);
  EXPECT_EQ(ws.ShowMessageBox({kNoWindow, "是否继续", "信息：", mb::kYesNo}), MessageBoxAnswer::kNo);
  EXPECT_EQ(ws.ShowMessageBox({kNoWindow, "请输入编码信息", "信息：", mb::kIconError}), MessageBoxAnswer::kOk);
  EXPECT_EQ(ws.ShowMessageBox({kNoWindow, "x", "", mb::kYesNoCancel | 0x200}), MessageBoxAnswer::kCancel);
  EXPECT_EQ(ws.ShowMessageBox({kNoWindow, "x", "", mb::kRetryCancel}), MessageBoxAnswer::kRetry);
  ASSERT_EQ(driver.MessageBoxes().size(), 4u);
  EXPECT_EQ(driver.MessageBoxes()[1].text, "请输入编码信息");
  EXPECT_EQ(driver.MessageBoxes()[1].style, mb::kIconError);
}

TEST_F(HeadlessTest, FileDialogsCompleteTheExtensionFromTheChosenFilter) {
  FileDialogRequest save;
  save.title = "图片保存";
  save.filters = {{"PNG图片", "*.png"}, {"JPG图片", "*.jpg"}, {"BMP图片", "*.bmp"}};
  save.filterIndex = 2;
  save.defaultExtension = "*.png|*.jpg|*.bmp";
  driver.AnswerFileDialog("/tmp/code");          // the shown filter: BMP
  driver.AnswerFileDialog("/tmp/code", 1);       // the person picked JPG
  driver.AnswerFileDialog("/tmp/a.b/code.png");  // has its extension
  driver.AnswerFileDialog(std::nullopt);
  EXPECT_EQ(ws.ShowFileDialog(save), "/tmp/code.bmp");
  EXPECT_EQ(ws.ShowFileDialog(save), "/tmp/code.jpg");
  EXPECT_EQ(ws.ShowFileDialog(save), "/tmp/a.b/code.png");
  EXPECT_EQ(ws.ShowFileDialog(save), std::nullopt);
  EXPECT_EQ(ws.ShowFileDialog(save), std::nullopt);  // nobody answers: cancelled
  EXPECT_EQ(driver.FileDialogs().size(), 5u);

  // A filter without a concrete extension falls back to the default extension's first.
  FileDialogRequest any = save;
  any.filters = {{"全部", "*.*"}};
  any.filterIndex = 0;
  EXPECT_EQ(CompleteFileName("/tmp/a.b/code", any, 0), "/tmp/a.b/code.png");
  EXPECT_EQ(CompleteFileName("C:\\out.d\\code", any, 0), "C:\\out.d\\code.png");
  any.defaultExtension.clear();
  EXPECT_EQ(CompleteFileName("/tmp/code", any, 0), "/tmp/code");
}

TEST_F(HeadlessTest, FolderColourAndWebAnswers) {
  driver.AnswerFolder("/tmp/out");
  EXPECT_EQ(ws.ChooseFolder({kNoWindow, "请选择目录", false}), "/tmp/out");
  EXPECT_EQ(ws.ChooseFolder({kNoWindow, "请选择文件夹", false}), std::nullopt);
  EXPECT_EQ(driver.FolderRequests().at(1).title, "请选择文件夹");
  driver.AnswerColour(0x000000FFu);
  EXPECT_EQ(ws.ChooseColour(kNoWindow, 0), 0x000000FFu);
  EXPECT_EQ(ws.ChooseColour(kNoWindow, 0), std::nullopt);
  EXPECT_TRUE(ws.OpenWebPage("https://example.com/"));
  EXPECT_EQ(driver.WebPages(), std::vector<std::string>{"https://example.com/"});
}

TEST_F(HeadlessTest, EveryDialogIsRecordedInOrderWithItsAnswerAndReadsAsATranscript) {
  int lookedAt = 0;
  driver.WhileDialogShown([&] { lookedAt = static_cast<int>(driver.Shown().size()) + 1; });
  driver.AnswerMessageBox(MessageBoxAnswer::kNo);
  ws.ShowMessageBox({kNoWindow, "是否继续\r\n第二行", "请确认", mb::kYesNo | mb::kTaskModal});
  FileDialogRequest save;
  save.title = "图片保存";
  save.initialName = "条码";
  save.overwritePrompt = true;
  ws.ShowFileDialog(save);  // nobody answers: cancelled
  driver.AnswerFolder("/tmp/out");
  ws.ChooseFolder({kNoWindow, "请选择目录", true});
  driver.AnswerColour(0x0000FF00u);
  ws.ChooseColour(kNoWindow, 0x000000FFu);
  ws.OpenWebPage("https://example.com/");

  EXPECT_EQ(lookedAt, 5) << "the look runs before each dialog is answered";
  const std::vector<ShownDialog>& shown = driver.Shown();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].answer, "No");
  EXPECT_EQ(shown[1].kind, DialogKind::kSaveFile);
  EXPECT_EQ(shown[1].flags, ofn::kHideReadOnly | ofn::kOverwritePrompt);
  EXPECT_EQ(shown[2].flags, bif::kEditBox | bif::kBrowseIncludeFiles);
  EXPECT_EQ(shown[3].text, "#FF0000");
  EXPECT_EQ(shown[3].answer, "#00FF00");
  EXPECT_EQ(Transcript(shown),
            "message box [请确认] 0x2004 是否继续\\n第二行 -> No\n"
            "save file [图片保存] 0x6 条码 -> cancelled\n"
            "folder [请选择目录] 0x4010  -> /tmp/out\n"
            "colour [] 0x0 #FF0000 -> #00FF00\n"
            "shell open [] 0x0 https://example.com/ -> opened\n");
}

// --- the loop ---------------------------------------------------------------------------

TEST_F(HeadlessTest, ARunEndsWithAQuitWhenTheDriverRunsDry) {
  WindowHandle w = MakeWindow();
  driver.Close(w);
  sink.onEvent = [&](const Event& e) {
    if (e.kind == EventKind::kCloseRequested) ws.Destroy(e.window);
    return false;
  };
  EXPECT_EQ(RunLoop(ws), 0);
  EXPECT_FALSE(ws.IsWindow(w));
  EXPECT_EQ(driver.PendingActions(), 0u);
  EXPECT_FALSE(ws.IsQuitPosted());  // the outer loop took it
  // An explicit quit carries its code.
  ws.PostQuit(3);
  ws.PostQuit(4);
  EXPECT_EQ(RunLoop(ws), 3);
}

TEST_F(HeadlessTest, ANestedLoopUnwindsOnTheQuitAndLeavesItForTheOuterLoop) {
  WindowHandle main = MakeWindow();
  WindowHandle button = MakeControl(ControlKind::kPushButton, main, {0, 0, 80, 24});
  std::vector<std::string> trace;
  sink.onEvent = [&](const Event& e) {
    if (e.kind == EventKind::kButtonClicked) {
      trace.push_back("modal start");
      int r = RunLoop(ws, /*nested=*/true);
      trace.push_back(r == -2 ? "modal unwound by quit" : "modal ended");
    }
    return false;
  };
  driver.Click(button);
  driver.Do([&] { trace.push_back("inside modal"); });
  EXPECT_EQ(RunLoop(ws), 0);
  EXPECT_EQ(trace, (std::vector<std::string>{"modal start", "inside modal", "modal unwound by quit"}));
}

TEST_F(HeadlessTest, ANestedLoopEndsWhenItsWindowCloses) {
  WindowHandle main = MakeWindow();
  WindowHandle button = MakeControl(ControlKind::kPushButton, main, {0, 0, 80, 24});
  WindowHandle modal = kNoWindow;
  int nestedResult = 0;
  bool inNested = false;
  sink.onEvent = [&](const Event& e) {
    if (e.kind == EventKind::kButtonClicked && modal == kNoWindow) {
      TopLevelParams params;
      params.owner = main;
      modal = ws.CreateTopLevel(params);
      ws.Enable(main, false);
      ws.Show(modal, ShowMode::kShow);
      inNested = true;
      nestedResult = RunLoop(ws, true, [&] { return !ws.IsWindow(modal); });
      inNested = false;
      ws.Enable(main, true);
    }
    if (e.kind == EventKind::kCloseRequested && e.window == modal) ws.Destroy(modal);
    return false;
  };
  driver.Click(button);
  driver.Click(button);  // main is disabled while the modal window is open
  driver.Do([&] {
    // Scripted once the modal window exists.
    driver.Close(modal);
    driver.Do([&] { EXPECT_FALSE(inNested) << "the nested loop ends with its window"; });
  });
  RunLoop(ws);
  EXPECT_EQ(nestedResult, -1);
  EXPECT_FALSE(ws.IsWindow(modal));
  EXPECT_EQ(sink.Count(EventKind::kButtonClicked), 1);
  EXPECT_EQ(ws.ActiveWindow(), main);
}

TEST_F(HeadlessTest, PostedMessagesComeBeforeInput) {
  WindowHandle w = MakeWindow();
  WindowHandle edit = MakeControl(ControlKind::kEdit, w, {0, 0, 100, 20});
  ws.SetFocus(edit);
  driver.Type("1");
  ws.WaitForEvent();  // the key is queued now
  ws.PostUserMessage(0x83E7, 5);
  ws.DispatchOne();
  ASSERT_FALSE(sink.events.empty());
  EXPECT_EQ(sink.events.back().kind, EventKind::kUserMessage);
  EXPECT_EQ(sink.events.back().command, 0x83E7);
  EXPECT_EQ(sink.events.back().value, 5);
}

// --- texts ------------------------------------------------------------------------------

TEST(Utf8Test, MalformedBytesBecomeReplacementCharactersAndValidTextRoundTrips) {
  EXPECT_EQ(DecodeUtf8("条码A"), U"条码A");
  EXPECT_EQ(EncodeUtf8(DecodeUtf8("条码A\r\n")), "条码A\r\n");
  EXPECT_EQ(DecodeUtf8("\xE6\x9D"), U"\uFFFD\uFFFD");        // cut short
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");        // overlong
  EXPECT_EQ(DecodeUtf8("a\xFF" "b"), U"a\uFFFDb");
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
  EXPECT_EQ(EncodeUtf8(char32_t{0xD800}), "\xEF\xBF\xBD");
}

TEST(BitmapTest, PixelsOutsideTheBitmapAreIgnored) {
  gfx::Bitmap b(3, 2, 0xFFFFFFFF);
  EXPECT_EQ(b.Pixel(2, 1), 0x00FFFFFFu);  // the top byte is not kept
  b.SetPixel(1, 1, 0x123456);
  b.SetPixel(3, 0, 0xABCDEF);
  b.SetPixel(-1, 0, 0xABCDEF);
  EXPECT_EQ(b.Pixel(1, 1), 0x123456u);
  EXPECT_EQ(b.Pixel(3, 0), 0u);
  EXPECT_EQ(b.Row(1)[1], 0x123456u);
  b.Fill(0x00FF00);
  EXPECT_EQ(b.Pixel(0, 0), 0x00FF00u);
  EXPECT_TRUE(gfx::Bitmap(-4, 5).Empty());
  EXPECT_EQ(gfx::Bitmap(0, 5).Height(), 0);
}

}  // namespace
}  // namespace barvell::ui
