// The message loop: its end, idle processing, the modal mode, pending-message pumping,
// start-up and shutdown with their exit codes.
#include <gtest/gtest.h>

#include <thread>

#include "event_sink_program.h"
#include "platform/kernel/message_box.h"
#include "platform/kernel/process.h"
#include "runtime/call/error_report.h"
#include "runtime/loop/load_window_service.h"
#include "runtime/loop/message_loop.h"
#include "runtime/call/runtime_state.h"

namespace barvell::testing {
namespace {

constexpr WindowId kMain = 0x52010001;
constexpr ComponentId kMainComponent = 0x06010000;
constexpr ComponentId kMainEdit = 0x16010011;
constexpr WindowId kDialog = 0x520101FC;
constexpr ComponentId kDialogComponent = 0x060101FB;
constexpr ComponentId kDialogButton = 0x16010246;

enum Handler : int { kCreated, kIdle, kDialogIdle, kDialogDestroying, kMainMayClose };

std::vector<runtime::WindowSource> Windows() {
  runtime::WindowSource main{kMain, 0, 0, "", "", {}};
  main.components = {
      WindowComponent(kMainComponent, WindowBlockBytes("Main"),
                      {{0, Offset(kCreated)}, {7, Offset(kIdle)}, {1, Offset(kMainMayClose)}}),
      Control(kMainEdit, type_id::kEditBox, EditBytes(), {10, 10, 80, 20}, kTabbed, 1),
  };
  runtime::WindowSource dialog{kDialog, 0, 0, "", "", {}};
  dialog.components = {
      WindowComponent(kDialogComponent, WindowBlockBytes("Dialog"),
                      {{7, Offset(kDialogIdle)}, {2, Offset(kDialogDestroying)}}),
      Control(kDialogButton, type_id::kButton, ButtonBytes("OK"), {10, 10, 80, 24}, kTabbed),
  };
  return {main, dialog};
}

// The load-window service as the dialog commands use it: modal, over the main window.
intptr_t LoadModal(WindowId window) {
  runtime::LoadWindowRecord record{window, nullptr, 1};
  return runtime::LoadWindowService(record);
}

class MessageLoop : public ::testing::Test {
 protected:
  ui::HeadlessWindowSystem ui_;
  FrameProgram program_{Windows(), kMain};
};

TEST_F(MessageLoop, WithoutALoadedWindowTheLoopReturnsAtOnce) {
  FrameProgram::start_window = 0;
  bool driven = false;
  ui_.Driver().Do([&] { driven = true; });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_FALSE(driven) << "the loop never waited for input";
  EXPECT_EQ(g_cleanups, 1);
}

TEST_F(MessageLoop, ACleanupRegisteredTwiceRunsOnce) {
  FrameProgram::cleanup_registrations = 2;
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(g_cleanups, 1);
}

// Idle calls in the current idle period: the first two answer true, the third false.
int g_idle_in_period = 0;

TEST_F(MessageLoop, IdleEventsComeWhileTheHandlerAsksForMoreAndAgainAfterTheNextEvent) {
  g_answers[kIdle] = 1;
  g_idle_in_period = 0;
  g_on_call = [](int handler) {
    if (handler != kIdle) return;
    ++g_idle_in_period;
    g_answers[kIdle] = g_idle_in_period < 3 ? 1 : 0;
  };
  std::vector<size_t> counts;
  ui_.Driver().Do([&] {
    counts.push_back(CallsOf(kIdle).size());
    g_idle_in_period = 0;
  });
  ui_.Driver().Do([&] { counts.push_back(CallsOf(kIdle).size()); });
  EXPECT_EQ(program_.Run(ui_), 0);
  // Three calls before the first input (the third says no more), then a new idle period
  // after it with three more.
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts[0], 3u);
  EXPECT_EQ(counts[1], 6u);
  std::vector<std::vector<uint32_t>> calls = CallsOf(kIdle);
  for (size_t i = 1; i < 3; ++i) EXPECT_GE(calls[i][0], calls[i - 1][0]) << "ms since the period began";
}

TEST_F(MessageLoop, AnIdleHandlerAnsweringFalseGetsOneEventPerIdlePeriod) {
  g_answers[kIdle] = 0;
  std::vector<size_t> counts;
  for (int i = 0; i < 3; ++i) ui_.Driver().Do([&] { counts.push_back(CallsOf(kIdle).size()); });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(counts, (std::vector<size_t>{1, 2, 3}));
}

TEST_F(MessageLoop, AModalLoadDisablesTheOthersAndReturnsOnceItsWindowIsClosed) {
  std::vector<std::string> seen;
  ui_.Driver().Do([&] {
    EXPECT_EQ(LoadModal(kDialog), 0);
    seen.push_back("returned");
    seen.push_back(runtime::Ui().IsEnabled(HandleOf(kMain)) ? "main enabled" : "main disabled");
  });
  ui_.Driver().Do([&] {
    seen.push_back(runtime::Ui().IsEnabled(HandleOf(kMain)) ? "main enabled" : "main disabled");
  });
  CloseLater(ui_, kDialog);
  bool main_still_open = false;
  ui_.Driver().Do([&] { main_still_open = runtime::Ui().IsWindow(HandleOf(kMain)); });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"main disabled", "returned", "main enabled"}));
  EXPECT_TRUE(main_still_open);
  EXPECT_EQ(CallsOf(kDialogDestroying).size(), 1u);
  EXPECT_GE(CallsOf(kDialogIdle).size(), 1u) << "idle processing goes on in the modal loop";
}

TEST_F(MessageLoop, AQuitDuringAModalLoopLeavesItAndEndsTheOuterLoop) {
  bool returned = false;
  ui_.Driver().Do([&] {
    LoadModal(kDialog);  // the driver runs dry inside: a quit is posted
    returned = true;
  });
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_TRUE(returned);
  EXPECT_EQ(CallsOf(kDialogDestroying).size(), 0u) << "shutdown raises no more events";
}

TEST_F(MessageLoop, DoEventsDispatchesWhatIsPendingWithoutWaitingForInput) {
  ComponentId focused_after = 0;
  size_t actions_before = 0, actions_after = 0;
  ui_.Driver().Do([&] {
    ui_.Post(Input(ui::InputKind::kFocus, HandleOf(kMain, kMainEdit)));
    actions_before = ui_.Driver().PendingActions();
    runtime::DoEvents();
    actions_after = ui_.Driver().PendingActions();
    focused_after = FocusedComponent();
  });
  ui_.Driver().Do([] {});
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(focused_after, kMainEdit);
  EXPECT_EQ(actions_before, actions_after) << "no input was asked for";
}

std::string g_directory_at_first_event;

TEST_F(MessageLoop, TheCurrentDirectoryAtTheFirstEventIsTheProgramDirectory) {
  platform::SetCurrentDirectory("/");
  g_on_call = [](int handler) {
    if (handler == kCreated && g_directory_at_first_event.empty()) {
      g_directory_at_first_event = platform::CurrentDirectory();
    }
  };
  EXPECT_EQ(program_.Run(ui_), 0);
  EXPECT_EQ(g_directory_at_first_event, runtime::State().program_directory);
  EXPECT_NE(g_directory_at_first_event, "/");
}

// Ends of the process: run in a child, which exits with the code.
TEST(ProgramEnd, AStartWindowThatIsNotThereIsFatal) {
  ChildOutcome outcome = RunInChild([] {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(Windows(), 0x52010077);
    program.Run(ui);
    ChildWrite("survived;");
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("载入启动窗口失败"), std::string::npos) << outcome.boxes;
  EXPECT_EQ(outcome.written, "") << "no clean-up after a fatal error";
}

TEST(ProgramEnd, NoEventReachesTheProgramWhileTheErrorReportIsShown) {
  ChildOutcome outcome = RunInChild([] {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(Windows(), kMain);
    ui.Driver().Do([&ui] {
      // The report's box runs a message loop of its own: a close box click arrives.
      platform::SetMessageBoxHook([&ui](std::string_view, std::string_view, uint32_t) {
        ui.Post(Input(ui::InputKind::kClose, HandleOf(kMain)));
        runtime::DoEvents();
        ChildWrite(CallsOf(kMainMayClose).empty() ? "no event;" : "event;");
        return platform::kMessageBoxAnswerOk;
      });
      runtime::FatalError("x");
    });
    program.Run(ui);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.written, "no event;");
}

TEST(ProgramEnd, EndProgramShutsDownOnceAndExitsWithItsCode) {
  ChildOutcome outcome = RunInChild([] {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(Windows(), kMain);
    ui.Driver().Do([] { runtime::KernelEntries().EndProgram(3); });
    program.Run(ui);
    ChildWrite("survived;");
  });
  EXPECT_EQ(outcome.exit_code, 3);
  EXPECT_EQ(outcome.written, "cleanup;");
}

TEST(ProgramEnd, EndProgramFromAnotherThreadIsCarriedOutByTheStartupThread) {
  ChildOutcome outcome = RunInChild([] {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(Windows(), kMain);
    std::thread requester;
    ui.Driver().Do([&] {
      requester = std::thread([] { runtime::KernelEntries().EndProgram(4); });
    });
    // The start-up thread keeps taking input until the request arrives.
    for (int i = 0; i < 1000; ++i) {
      ui.Driver().Do([] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
    }
    program.Run(ui);
    ChildWrite("survived;");
  });
  EXPECT_EQ(outcome.exit_code, 4);
  EXPECT_EQ(outcome.written, "cleanup;") << "the clean-up ran on the start-up thread";
}

TEST(ProgramEnd, ClosingTheLastWindowEndsTheProcessWithCodeZero) {
  ChildOutcome outcome = RunInChild([] {
    ui::HeadlessWindowSystem ui;
    FrameProgram program(Windows(), kMain);
    CloseLater(ui, kMain);
    ui.Driver().Do([] { ChildWrite("still running;"); });
    int code = program.Run(ui);
    ChildWrite("returned;");
    platform::ExitProcess(code);
  });
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.written, "cleanup;returned;");
}

}  // namespace
}  // namespace barvell::testing
