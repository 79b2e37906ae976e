// Event dispatch: the handler lookup, argument passing, results, the event source and the
// fatal errors of a malformed binding.
#include <gtest/gtest.h>

#include <cstring>

#include "child_process.h"
#include "dispatch_program.h"
#include "runtime/call/service_callback.h"

namespace barvell::testing {
namespace {

using runtime::DispatchEvent;
using runtime::EventOutcome;
using runtime::EventRecord;
using runtime::RaiseEvent;
using runtime::TypedEventRecord;
using runtime::kNoHandler;

constexpr WindowId kMain = 0x52010001;
constexpr ComponentId kMainComponent = 0x06010000;
constexpr ComponentId kHelpMenu = 0x26010328;
constexpr ComponentId kTutorialItem = 0x26010329;
constexpr ComponentId kButton = 0x16010015;
constexpr ComponentId kLinkedButton = 0x16010016;
constexpr ComponentId kLabel = 0x16010012;
constexpr ComponentId kEdit = 0x16010017;
constexpr ComponentId kLinkedEdit = 0x16010018;
constexpr ComponentId kPicture = 0x16010019;
constexpr ComponentId kSilentButton = 0x1601001A;

std::vector<runtime::WindowSource> Windows() {
  runtime::WindowSource main{kMain, 0, 0, "", "", {}};
  auto linked_button = Part(kLinkedButton, type_id::kButton, {{0, Offset(5)}});
  linked_button.record.event_source = kButton;
  auto linked_edit = Part(kLinkedEdit, type_id::kEditBox, {{0, Offset(6)}});
  linked_edit.record.event_source = kButton;  // another type: its own table serves it
  auto picture = Part(kPicture, type_id::kPictureBox, {{-1, Offset(4)}});
  picture.record.event_source = kPicture;  // a link to itself must not loop
  main.components = {
      Part(kMainComponent, type_id::kWindow, {{0, Offset(0)}, {7, Offset(1)}, {4, kNoHandler}}),
      MenuItem(kHelpMenu, kNoHandler),
      MenuItem(kTutorialItem, Offset(2)),
      Part(kButton, type_id::kButton, {{0, Offset(3)}, {0, Offset(4)}, {-9, Offset(kNullHandler)}}),
      linked_button,
      Part(kLabel, type_id::kLabel),
      Part(kEdit, type_id::kEditBox),
      linked_edit,
      picture,
      Part(kSilentButton, type_id::kButton),
  };
  return {main};
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override { program_.Start(Windows()); }
  DispatchProgram program_;
};

TEST_F(Dispatch, CallsTheBoundHandlerWithItsArgumentsAndKeepsItsValue) {
  g_answers[0] = 42;
  EventRecord record{kMain, 0, 0, 3, {7, 8, 9, 10, 11}};
  EXPECT_EQ(DispatchEvent(record), 1);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0], (HandlerCall{0, {7, 8, 9}})) << "only the first count arguments";
  EXPECT_EQ(record.result_flag, 1u);
  EXPECT_EQ(record.result_value, 42u);
}

TEST_F(Dispatch, AHandlerWithoutValueAndOneReturningZeroStayDistinct) {
  EventRecord none{kMain, kButton, 0};
  EXPECT_EQ(DispatchEvent(none), 1);
  EXPECT_EQ(none.result_flag, 0u);

  g_answers[3] = 0;
  EventOutcome zero = RaiseEvent(kMain, kButton, 0);
  EXPECT_TRUE(zero.handled);
  EXPECT_TRUE(zero.has_value);
  EXPECT_TRUE(zero.Refused());
  g_answers.erase(3);
  EXPECT_FALSE(RaiseEvent(kMain, kButton, 0).Refused());
}

TEST_F(Dispatch, EventsWithoutAHandlerAreIgnored) {
  EventRecord record{kMain, 0, 2, 0, {}, 0, 77};
  EXPECT_EQ(DispatchEvent(record), 0) << "no pair for event 2";
  EXPECT_EQ(record.result_value, 77u) << "the raising code's fields stay";
  EXPECT_FALSE(RaiseEvent(kMain, 0, 4).handled) << "offset -1";
  EXPECT_FALSE(RaiseEvent(kMain, kButton, -9).handled) << "an entry without function";
  EXPECT_FALSE(RaiseEvent(kMain, kSilentButton, 0).handled) << "a button with no pairs";
  EXPECT_FALSE(RaiseEvent(kMain, kHelpMenu, 0).handled) << "a menu item without handler";
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(Dispatch, TheFirstPairOfAnEventWins) {
  RaiseEvent(kMain, kButton, 0);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].handler, 3);
}

TEST_F(Dispatch, AMenuItemCallsItsClickHandlerWhateverTheEvent) {
  RaiseEvent(kMain, kTutorialItem, 0);
  RaiseEvent(kMain, kTutorialItem, 5);
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0].handler, 2);
  EXPECT_EQ(g_calls[1].handler, 2);
}

TEST_F(Dispatch, FollowsTheEventSourceLinkToAComponentOfTheSameType) {
  RaiseEvent(kMain, kLinkedButton, 0);
  RaiseEvent(kMain, kLinkedEdit, 0);
  RaiseEvent(kMain, kPicture, -1, {3, 4, 0});
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].handler, 3) << "the linked button's table";
  EXPECT_EQ(g_calls[1].handler, 6) << "a link to another type is not followed";
  EXPECT_EQ(g_calls[2], (HandlerCall{4, {3, 4, 0}}));
}

TEST_F(Dispatch, RecordsTheEventSourceOfTheRaisingComponent) {
  WindowId window = 0;
  ComponentId component = 0;
  EXPECT_FALSE(runtime::CurrentEventSource(&window, &component)) << "before the first event";
  RaiseEvent(kMain, 0, 0);
  ASSERT_TRUE(runtime::CurrentEventSource(&window, &component));
  EXPECT_EQ(window, kMain);
  EXPECT_EQ(component, kMainComponent) << "component 0 is named by its id";
  RaiseEvent(kMain, kLinkedButton, 0);
  runtime::CurrentEventSource(&window, &component);
  EXPECT_EQ(component, kLinkedButton) << "the raising component, not the linked one";
  RaiseEvent(kMain, kEdit, 0);
  runtime::CurrentEventSource(&window, &component);
  EXPECT_EQ(component, kLinkedButton) << "an event without handler leaves it";
}

TEST_F(Dispatch, NothingReachesTheProgramOnceTheErrorCounterIsSet) {
  runtime::State().error_counter = 1;
  EXPECT_FALSE(RaiseEvent(kMain, kButton, 0).handled);
  EXPECT_FALSE(RaiseEvent(0x52999999, 0, 0).handled) << "not even a lookup of a bad window";
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(Dispatch, LibraryServicesDispatchAndAnswerTheEventSource) {
  g_answers[3] = -5;
  EventRecord record{kMain, kButton, 0, 1, {99}};
  EXPECT_EQ(runtime::LibraryServiceCallback(runtime::library_service::kRaiseEvent,
                                            reinterpret_cast<intptr_t>(&record), 0),
            1);
  EXPECT_EQ(int32_t(record.result_value), -5);
  uint32_t source[2] = {};
  EXPECT_EQ(runtime::LibraryServiceCallback(runtime::library_service::kEventSource,
                                            reinterpret_cast<intptr_t>(source), 0),
            1);
  EXPECT_EQ(source[0], kMain);
  EXPECT_EQ(source[1], kButton);

  TypedEventRecord typed{};
  typed.window = kMain;
  typed.component = kButton;
  EXPECT_EQ(runtime::LibraryServiceCallback(runtime::library_service::kRaiseTypedEvent,
                                            reinterpret_cast<intptr_t>(&typed), 0),
            1);
  EXPECT_EQ(typed.result_flag, 1u);
  EXPECT_EQ(int64_t(typed.result_value), -5);
}

TEST_F(Dispatch, TypedArgumentsArePassedByKind) {
  g_answers[0] = int64_t(0x123456789A);
  TypedEventRecord record{};
  record.window = kMain;
  record.argument_count = 6;
  record.arguments[0] = {0xFFFFFF80, 0, tag::kByte, 0};
  record.arguments[1] = {0x0000FFFE, 0, tag::kShort, 0};
  double d = 2.5;
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  record.arguments[2] = {uint32_t(bits), uint32_t(bits >> 32), tag::kDouble, 0};
  record.arguments[3] = {5, 6, tag::kInt, 2};           // flagged as 8 bytes
  record.arguments[4] = {kMain, kButton, type_id::kMenuItem, 0};
  record.arguments[5] = {0x11, 0x22, tag::kInt, 0};     // only its low word
  EXPECT_EQ(DispatchEvent(record), 1);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].arguments,
            (std::vector<uint32_t>{0x80, 0xFFFFFFFE, uint32_t(bits), uint32_t(bits >> 32), 5, 6,
                                   kMain, kButton, 0x11}));
  EXPECT_EQ(record.result_flag, 1u);
  uint64_t value = record.result_value;  // a copy: the packed field is not 8-byte aligned
  EXPECT_EQ(value, uint64_t(0x123456789A)) << "64 bits in the typed form";
}

TEST_F(Dispatch, TypedReferencesPassTheAddress) {
  int32_t target = 0;
  auto address = uint64_t(reinterpret_cast<uintptr_t>(&target));
  TypedEventRecord record{};
  record.window = kMain;
  record.argument_count = 1;
  record.arguments[0] = {uint32_t(address), uint32_t(address >> 32), tag::kInt, 1};
  DispatchEvent(record);
  ASSERT_EQ(g_calls.size(), 1u);
  std::vector<uint32_t> words = g_calls[0].arguments;
  uint64_t passed = words[0];
  if (sizeof(void*) == 8) {
    ASSERT_EQ(words.size(), 2u);
    passed |= uint64_t(words[1]) << 32;
  }
  EXPECT_EQ(passed, address);
}

// The fatal errors of the lookup: a malformed binding ends the program with code -1.

void ExpectFatal(WindowId window, ComponentId component, const char* message) {
  ChildOutcome outcome = RunInChild([&] {
    DispatchProgram program;
    program.Start(Windows());
    RaiseEvent(window, component, 0);
    ChildWrite("survived");
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.written, "");
  EXPECT_NE(outcome.boxes.find(message), std::string::npos) << message;
  EXPECT_EQ(outcome.boxes.rfind("错误|运行时出错!", 0), 0u);
}

TEST(DispatchFailure, AMissingWindowComponentOrEventlessTypeIsFatal) {
  ExpectFatal(0x52010002, 0, "未找到引发事件的窗口");
  ExpectFatal(kMain, 0x16019999, "未找到引发事件的窗口组件");
  ExpectFatal(kMain, kLabel, "引发事件的窗口组件无效");
}

}  // namespace
}  // namespace barvell::testing
