// The window-system events as the program's handlers see them: load order, closing, keys
// and their pre-translation, characters, the mouse and the wheel, menus and focus.
#include <gtest/gtest.h>

#include <cstdio>

#include "event_sink_program.h"
#include "platform/ui/keys.h"

namespace barvell::testing {
namespace {

namespace key = ui::key;
using ui::EventKind;
using ui::InputKind;
using ui::MouseButton;

constexpr WindowId kA = 0x52010001;
constexpr ComponentId kAComponent = 0x06010000;
constexpr ComponentId kHelpMenu = 0x26010328;
constexpr ComponentId kTutorialItem = 0x26010329;
constexpr ComponentId kOk = 0x16010015;        // button, focus order 0
constexpr ComponentId kEdit = 0x16010017;      // focus order 2
constexpr ComponentId kEditB = 0x1601001B;     // focus order 1
constexpr ComponentId kEditC = 0x1601001C;     // focus order 1, a later record
constexpr ComponentId kHidden = 0x1601001D;    // tab stop, but hidden
constexpr ComponentId kDisabled = 0x1601001E;  // tab stop, but disabled
constexpr ComponentId kPicture = 0x16010019;
constexpr ComponentId kOther = 0x16010020;     // button, focus order 0, the last record

constexpr WindowId kB = 0x52010002;
constexpr ComponentId kBComponent = 0x06010003;
constexpr ComponentId kBButton = 0x16010005;

// Handlers by what they are bound to.
enum Handler : int {
  kCreated, kMayClose, kDestroying, kMoved, kSized, kIdle, kCloseRequested, kWindowFocus,
  kShownEvent, kOkClick, kOkLeftDown, kOkFocus, kOkKeyDown, kEditChanged, kEditChar,
  kEditKeyDown, kEditWheel, kEditFocus, kEditBlur, kEditKeyUp, kPictureDown, kPictureUp,
  kMenuClick, kBEvent,
};

std::vector<runtime::WindowSource> Windows(bool a_esc_closes = true) {
  runtime::WindowSource a{kA, 0, 0, "", "", {}};
  auto help = MenuItem(kHelpMenu, runtime::kNoHandler);
  auto tutorial = MenuItem(kTutorialItem, Offset(kMenuClick));
  tutorial.record.level = 1;
  help.record.caption = "帮助";
  tutorial.record.caption = "教程";
  auto hidden = Control(kHidden, type_id::kEditBox, EditBytes(), {10, 130, 80, 20},
                        runtime::component_flag::kTabStop, 3);
  auto disabled = Control(kDisabled, type_id::kEditBox, EditBytes(), {10, 160, 80, 20},
                          kTabbed | runtime::component_flag::kDisabled, 4);
  a.components = {
      WindowComponent(kAComponent, WindowBlockBytes("A", a_esc_closes),
                      {{0, Offset(kCreated)}, {1, Offset(kMayClose)}, {2, Offset(kDestroying)},
                       {3, Offset(kMoved)}, {4, Offset(kSized)}, {7, Offset(kIdle)},
                       {12, Offset(kCloseRequested)}, {-7, Offset(kWindowFocus)},
                       {10, Offset(kShownEvent)}}),
      help,
      tutorial,
      Control(kOk, type_id::kButton, ButtonBytes("确定"), {200, 10, 80, 24}, kTabbed, 0,
              {{0, Offset(kOkClick)}, {-1, Offset(kOkLeftDown)}, {-7, Offset(kOkFocus)},
               {-9, Offset(kOkKeyDown)}}),
      Control(kEdit, type_id::kEditBox, EditBytes("x"), {10, 10, 80, 20}, kTabbed, 2,
              {{0, Offset(kEditChanged)}, {-11, Offset(kEditChar)}, {-9, Offset(kEditKeyDown)},
               {-12, Offset(kEditWheel)}, {-7, Offset(kEditFocus)}, {-8, Offset(kEditBlur)},
               {-10, Offset(kEditKeyUp)}}),
      Control(kEditB, type_id::kEditBox, EditBytes(), {10, 40, 80, 20}, kTabbed, 1),
      Control(kEditC, type_id::kEditBox, EditBytes(), {10, 70, 80, 20}, kTabbed, 1),
      hidden,
      disabled,
      Control(kPicture, type_id::kPictureBox, PictureBytes(), {100, 100, 64, 64}, kShown, 0,
              {{-1, Offset(kPictureDown)}, {-2, Offset(kPictureUp)}}),
      Control(kOther, type_id::kButton, ButtonBytes("其他"), {200, 40, 80, 24}, kTabbed, 0),
  };
  runtime::WindowSource b{kB, 0, 0, "", "", {}};
  b.components = {
      WindowComponent(kBComponent, WindowBlockBytes("B"), {{2, Offset(kBEvent)}}),
      Control(kBButton, type_id::kButton, ButtonBytes("B"), {10, 10, 80, 24}, kTabbed),
  };
  return {a, b};
}

class EventSink : public ::testing::Test {
 protected:
  ui::HeadlessWindowSystem ui_;
  FrameProgram program_{Windows(), kA};

  // Marks a point in the handler calls, to look at what came after.
  void Mark() {
    ui_.Driver().Do([this] { mark_ = g_calls.size(); });
  }
  // Idle events come whenever the queue runs dry; they have their own tests.
  std::vector<int> HandlersSinceMark() const {
    std::vector<int> all = Handlers(), since;
    for (size_t i = mark_; i < all.size(); ++i) {
      if (all[i] != kIdle) since.push_back(all[i]);
    }
    return since;
  }
  size_t mark_ = 0;
};

TEST_F(EventSink, LoadingRaisesCreatedMovedSizedShownThenTheFocusAndNoMoreWhileNothingHappens) {
  EXPECT_EQ(program_.Run(ui_), 0);
  std::vector<int> handlers = Handlers();
  ASSERT_GE(handlers.size(), 5u);
  // The window itself holds the focus once shown: -7 goes to the window component.
  EXPECT_EQ(std::vector<int>(handlers.begin(), handlers.begin() + 5),
            (std::vector<int>{kCreated, kMoved, kSized, kShownEvent, kWindowFocus}));
  for (size_t i = 5; i < handlers.size(); ++i) {
    EXPECT_NE(handlers[i], kCreated);
    EXPECT_NE(handlers[i], kMoved) << "the window system's own geometry reports are not events";
  }
  EXPECT_EQ(g_sources.front(), std::make_pair(kA, kAComponent));
}

TEST_F(EventSink, TheCloseBoxRaisesCloseRequestedMayCloseAndDestroyingAndEndsTheProgram) {
  Mark();
  CloseLater(ui_, kA);
  bool after_close = false;
  ui_.Driver().Do([&] { after_close = true; });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(HandlersSinceMark(), (std::vector<int>{kCloseRequested, kMayClose, kDestroying}));
  EXPECT_FALSE(after_close) << "the loop ended with the last window";
  EXPECT_EQ(g_cleanups, 1);
}

TEST_F(EventSink, ACloseRefusedByEventOneOrTwelveKeepsTheWindow) {
  bool open_after_refusals = false;
  ui_.Driver().Do([] { g_answers[kMayClose] = 0; });
  Mark();
  CloseLater(ui_, kA);
  ui_.Driver().Do([] {
    g_answers.erase(kMayClose);
    g_answers[kCloseRequested] = 0;
  });
  CloseLater(ui_, kA);
  ui_.Driver().Do([&] {
    open_after_refusals = runtime::Ui().IsWindow(HandleOf(kA));
    g_answers[kCloseRequested] = 1;  // true, like no value, lets it close
  });
  CloseLater(ui_, kA);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_TRUE(open_after_refusals);
  EXPECT_EQ(HandlersSinceMark(), (std::vector<int>{kCloseRequested, kMayClose, kCloseRequested,
                                                   kCloseRequested, kMayClose, kDestroying}));
}

TEST_F(EventSink, EscClosesTheWindowThroughTheCloseHandling) {
  FocusLater(ui_, kA, kEdit);
  Mark();
  ui_.Driver().PressKey(key::kEscape);
  bool after_esc = false;
  ui_.Driver().Do([&] { after_esc = true; });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_FALSE(after_esc);
  // The focused edit box loses the focus as its window goes.
  EXPECT_EQ(HandlersSinceMark(), (std::vector<int>{kCloseRequested, kMayClose, kDestroying, kEditBlur}))
      << "the key is consumed: no key event for Esc";
}

TEST(EventSinkOptions, EscWithoutTheOptionIsAnOrdinaryKey) {
  ui::HeadlessWindowSystem ui;
  FrameProgram program(Windows(/*a_esc_closes=*/false), kA);
  FocusLater(ui, kA, kEdit);
  ui.Driver().PressKey(key::kEscape);
  bool open = false;
  ui.Driver().Do([&] { open = runtime::Ui().IsWindow(HandleOf(kA)); });
  EXPECT_EQ(program.Run(ui), 0);
  EXPECT_TRUE(open);
  EXPECT_EQ(CallsOf(kEditKeyDown), (std::vector<std::vector<uint32_t>>{{key::kEscape, 0}}));
}

TEST_F(EventSink, TabFollowsTheFocusOrderSkippingHiddenAndDisabledAndWraps) {
  std::vector<ComponentId> visited;
  FocusLater(ui_, kA, kEdit);
  for (int i = 0; i < 6; ++i) {
    ui_.Driver().PressKey(key::kTab);
    ui_.Driver().Do([&] { visited.push_back(FocusedComponent()); });
  }
  ui_.Driver().PressKey(key::kTab, ui::modifier::kShift);
  ui_.Driver().Do([&] { visited.push_back(FocusedComponent()); });
  EXPECT_EQ(program_.Run(ui_), 0);
  // Order 0 from the last record to the first, then 1 likewise, then 2; then around.
  EXPECT_EQ(visited, (std::vector<ComponentId>{kOther, kOk, kEditC, kEditB, kEdit, kOther, kEdit}));
  EXPECT_TRUE(CallsOf(kEditKeyDown).empty()) << "Tab is consumed before the key event";
}

TEST_F(EventSink, ArrowsMoveWithinTheContainerUnlessTheControlWantsThem) {
  std::vector<ComponentId> visited;
  FocusLater(ui_, kA, kOk);
  ui_.Driver().PressKey(key::kLeft);
  ui_.Driver().Do([&] { visited.push_back(FocusedComponent()); });
  ui_.Driver().PressKey(key::kDown);
  ui_.Driver().Do([&] { visited.push_back(FocusedComponent()); });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(visited, (std::vector<ComponentId>{kOther, kOk}));
}

TEST_F(EventSink, ArrowsStayInAnEditBox) {
  std::vector<ComponentId> visited;
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().PressKey(key::kLeft);
  ui_.Driver().PressKey(key::kDown);
  ui_.Driver().Do([&] { visited.push_back(FocusedComponent()); });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(visited, (std::vector<ComponentId>{kEdit}));
  EXPECT_EQ(CallsOf(kEditKeyDown).size(), 2u);
}

TEST_F(EventSink, KeyEventsCarryTheMappedKeyCodeAndModifiers) {
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().PressKey(key::kNumpad0 + 7);
  ui_.Driver().PressKey(key::kSubtract);
  ui_.Driver().PressKey(key::kDecimal);
  ui_.Driver().PressKey(key::kDivide);
  ui_.Driver().PressKey('Q', ui::modifier::kShift | ui::modifier::kCtrl);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kEditKeyDown),
            (std::vector<std::vector<uint32_t>>{
                {'7', 0}, {key::kMinus, 0}, {key::kPeriod, 0}, {key::kSlash, 0}, {'Q', 3}}));
  EXPECT_EQ(CallsOf(kEditKeyUp).size(), 5u);
}

TEST_F(EventSink, AKeyDownAnsweredFalseIsSwallowed) {
  std::string text;
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().Do([] { g_answers[kEditKeyDown] = 0; });
  ui_.Driver().Type("y");
  ui_.Driver().Do([&] { text = runtime::Ui().GetText(HandleOf(kA, kEdit)); });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(text, "x");
  EXPECT_TRUE(CallsOf(kEditChar).empty()) << "no character follows a swallowed key";
}

TEST_F(EventSink, ACharacterIsReplacedByTheHandlersValueAndZeroSwallowsIt) {
  std::vector<std::string> texts;
  auto text_now = [&] { texts.push_back(runtime::Ui().GetText(HandleOf(kA, kEdit))); };
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().Type("a");  // no value: as typed
  ui_.Driver().Do(text_now);
  ui_.Driver().Do([] { g_answers[kEditChar] = 'b'; });
  ui_.Driver().Type("a");
  ui_.Driver().Do(text_now);
  ui_.Driver().Do([] { g_answers[kEditChar] = 0; });
  ui_.Driver().Type("a");
  ui_.Driver().Do(text_now);
  ui_.Driver().Do([] { g_answers[kEditChar] = 0xD6D0; });  // GBK for "中"
  ui_.Driver().Type("a");
  ui_.Driver().Do(text_now);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(texts, (std::vector<std::string>{"xa", "xab", "xab", "xab\xE4\xB8\xAD"}));
  std::vector<std::vector<uint32_t>> chars = CallsOf(kEditChar);
  ASSERT_EQ(chars.size(), 4u);
  EXPECT_EQ(chars[0], std::vector<uint32_t>{'a'});
  EXPECT_EQ(CallsOf(kEditChanged).size(), 3u) << "the swallowed character changed nothing";
}

TEST_F(EventSink, AChineseCharacterReachesTheProgramAsItsGbkCode) {
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().Type("\xE4\xB8\xAD");  // "中" in UTF-8
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kEditChar), (std::vector<std::vector<uint32_t>>{{0xD6D0}}));
}

TEST_F(EventSink, AWheelNotchGivesPlusOrMinusOneWithTheModifiers) {
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().Wheel(1);
  ui_.Driver().Wheel(-1, ui::modifier::kCtrl);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kEditWheel),
            (std::vector<std::vector<uint32_t>>{{1, 0}, {uint32_t(-1), ui::modifier::kCtrl}}));
}

TEST_F(EventSink, MouseEventsCarryClientCoordinatesAndModifiers) {
  Later(ui_, [] {
    ui::WindowHandle picture = HandleOf(kA, kPicture);
    return std::vector{Mouse(picture, EventKind::kMouseDown, MouseButton::kLeft, {5, 7}),
                       Mouse(picture, EventKind::kMouseUp, MouseButton::kLeft, {5, 7}),
                       Mouse(picture, EventKind::kMouseDown, MouseButton::kLeft, {9, 3},
                             ui::modifier::kCtrl),
                       Mouse(picture, EventKind::kMouseDown, MouseButton::kMiddle, {1, 1})};
  });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kPictureDown),
            (std::vector<std::vector<uint32_t>>{{5, 7, 0}, {9, 3, ui::modifier::kCtrl}}))
      << "the middle button raises nothing";
  EXPECT_EQ(CallsOf(kPictureUp), (std::vector<std::vector<uint32_t>>{{5, 7, 0}}));
}

TEST_F(EventSink, AClickSwallowedByTheLeftButtonEventDoesNotPressTheButton) {
  ui_.Driver().Do([] { g_answers[kOkLeftDown] = 0; });
  Later(ui_, [] {
    ui::WindowHandle ok = HandleOf(kA, kOk);
    return std::vector{Mouse(ok, EventKind::kMouseDown, MouseButton::kLeft, {3, 3}),
                       Mouse(ok, EventKind::kMouseUp, MouseButton::kLeft, {3, 3})};
  });
  ui_.Driver().Do([] { g_answers.erase(kOkLeftDown); });
  Later(ui_, [] {
    ui::WindowHandle ok = HandleOf(kA, kOk);
    return std::vector{Mouse(ok, EventKind::kMouseDown, MouseButton::kLeft, {3, 3}),
                       Mouse(ok, EventKind::kMouseUp, MouseButton::kLeft, {3, 3})};
  });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kOkLeftDown).size(), 2u);
  EXPECT_EQ(CallsOf(kOkClick).size(), 1u);
}

TEST_F(EventSink, EnterPressesTheFocusedButtonButNoButtonFromAnEditBox) {
  FocusLater(ui_, kA, kOk);
  ui_.Driver().PressKey(key::kReturn);
  FocusLater(ui_, kA, kOther);
  ui_.Driver().PressKey(key::kReturn);  // a button without a click handler
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(CallsOf(kOkClick).size(), 1u);
  EXPECT_TRUE(CallsOf(kEditKeyDown).empty());
}

TEST_F(EventSink, EnterInAnEditBoxReachesItAndPressesNothing) {
  // No button of a window is marked as its default, so Enter from an edit box must not
  // press the first button the window happens to hold.
  FocusLater(ui_, kA, kEdit);
  ui_.Driver().PressKey(key::kReturn);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_TRUE(CallsOf(kOkClick).empty());
  EXPECT_EQ(CallsOf(kEditKeyDown), (std::vector<std::vector<uint32_t>>{{key::kReturn, 0}}));
}

TEST_F(EventSink, MenuCommandsRaiseTheItemsClick) {
  Later(ui_, [] {
    ui::HeadlessInput in = Input(InputKind::kMenu, HandleOf(kA));
    in.command = 20001;
    return std::vector{in};
  });
  EXPECT_EQ(program_.Run(ui_), 0);
  ASSERT_EQ(CallsOf(kMenuClick).size(), 1u);
  std::vector<int> handlers = Handlers();
  auto it = std::find(handlers.begin(), handlers.end(), kMenuClick);
  EXPECT_EQ(g_sources[size_t(it - handlers.begin())], std::make_pair(kA, kTutorialItem));
}

TEST_F(EventSink, FocusChangesRaiseGotAndLostFocus) {
  FocusLater(ui_, kA, kOk);
  Mark();
  FocusLater(ui_, kA, kEdit);
  FocusLater(ui_, kA, kEditB);
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(HandlersSinceMark(), (std::vector<int>{kEditFocus, kEditBlur}));
}

TEST_F(EventSink, ClosingTheMainWindowWithAnotherOpenEndsOnlyWithTheLast) {
  bool ran_between = false;
  ui_.Driver().Do([] { runtime::LoadWindowObject(*runtime::TemplateRegistry()->Find(kB), false, 0); });
  CloseLater(ui_, kA);
  ui_.Driver().Do([&] { ran_between = true; });
  CloseLater(ui_, kB);
  bool after_last = false;
  ui_.Driver().Do([&] { after_last = true; });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_TRUE(ran_between);
  EXPECT_FALSE(after_last);
  EXPECT_EQ(CallsOf(kDestroying).size(), 1u);
  EXPECT_EQ(CallsOf(kBEvent).size(), 1u);
}

TEST_F(EventSink, LoadingALoadedWindowActivatesItInsteadOfCreatingAnother) {
  ui::WindowHandle before = 0, after = 0;
  ui_.Driver().Do([&] {
    before = HandleOf(kA);
    EXPECT_TRUE(runtime::LoadWindowObject(*runtime::TemplateRegistry()->Find(kA), false, 0));
    after = HandleOf(kA);
  });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(before, after);
  EXPECT_EQ(CallsOf(kCreated).size(), 1u);
}

TEST(EventSinkOptions, AltWithALetterPressesTheButtonWhoseCaptionMarksIt) {
  runtime::WindowSource w{kB, 0, 0, "", "", {}};
  w.components = {
      WindowComponent(kBComponent, WindowBlockBytes("B"), {}),
      Control(kBButton, type_id::kButton, ButtonBytes("保存(&S)"), {10, 10, 80, 24}, kTabbed, 0,
              {{0, Offset(kOkClick)}}),
      Control(0x16010006, type_id::kEditBox, EditBytes(), {10, 40, 80, 20}, kTabbed, 1,
              {{-9, Offset(kEditKeyDown)}}),
  };
  ui::HeadlessWindowSystem ui;
  FrameProgram program({w}, kB);
  FocusLater(ui, kB, 0x16010006);
  ui.Driver().PressKey('S', ui::modifier::kAlt);
  ui.Driver().PressKey('T', ui::modifier::kAlt);  // no caption marks T: an ordinary key
  EXPECT_EQ(program.Run(ui), 0);
  EXPECT_EQ(CallsOf(kOkClick).size(), 1u);
  EXPECT_EQ(CallsOf(kEditKeyDown), (std::vector<std::vector<uint32_t>>{{'T', ui::modifier::kAlt}}));
}

// A window with F1 help naming its help file.
std::vector<runtime::WindowSource> HelpWindow(const std::string& help_file) {
  runtime::controls::WindowBlock block;
  block.caption = "B";
  block.f1_help = 1;
  block.help_file = help_file;
  runtime::WindowSource w{kB, 0, 0, "", "", {}};
  w.components = {
      WindowComponent(kBComponent, runtime::controls::EncodeBlock(block),
                      {{-9, Offset(kEditKeyDown)}}),
  };
  return {w};
}

TEST(EventSinkOptions, F1OpensAnExistingHelpFileAndIgnoresAMissingOne) {
  std::string present = ::testing::TempDir() + "barvell_f1_help.hlp";
  std::fclose(std::fopen(present.c_str(), "w"));
  std::string missing = ::testing::TempDir() + "barvell_no_such_help.hlp";
  std::remove(missing.c_str());
  for (const std::string& file : {present, missing}) {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(HelpWindow(file), kB);
    ui.Driver().PressKey(key::kF1);
    EXPECT_EQ(program.Run(ui), 0);
    EXPECT_EQ(ui.Driver().WebPages().size(), file == present ? 1u : 0u) << file;
    EXPECT_TRUE(CallsOf(kEditKeyDown).empty()) << "F1 is consumed with the option set";
  }
  std::remove(present.c_str());
}

}  // namespace
}  // namespace barvell::testing
