// The runtime error report: its text byte for byte, its box, and the end of the process.
#include <gtest/gtest.h>

#include <thread>

#include "child_process.h"
#include "fake_components.h"
#include "runtime/call/error_report.h"
#include "runtime/call/runtime_state.h"
#include "test_program.h"

namespace barvell {
namespace {

using testing::ChildWrite;
using testing::FakeComponent;
using testing::FakeRegistry;
using testing::RunInChild;
using testing::TestProgram;

TEST(ErrorReport, RuntimeErrorOneShowsCodeTextAndPositionAndExitsMinusOne) {
  auto outcome = RunInChild([] {
    TestProgram program;
    program.Start().RaiseRuntimeError(1, 67174465, 1379);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.boxes,
            "错误|运行时出错!\r\n"
            "\r\n错误代码：1\r\n"
            "\r\n错误信息：数组成员引用下标超出定义范围\r\n"
            "\r\n67174465, 1379\r\n"
            "\n");
}

TEST(ErrorReport, ErrorTextsAreChosenByNumber) {
  EXPECT_NE(runtime::ComposeErrorReport("调用DLL命令后发现堆栈错误", 6, 0, 0)
                .find("错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误"),
            std::string::npos);
  auto outcome = RunInChild([] { runtime::RaiseRuntimeError(11, 0, 0); });
  EXPECT_NE(outcome.boxes.find("所提供参数的数据类型不符合要求"), std::string::npos);
}

TEST(ErrorReport, NoCodeAndNoMessageLeaveOnlyThePosition) {
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, 3, 4), "运行时出错!\r\n\r\n3, 4\r\n");
  EXPECT_EQ(runtime::ComposeErrorReport(nullptr, 0, 0, 0), "运行时出错!\r\n\r\n0, 0\r\n");
}

TEST(ErrorReport, WindowPositionsNameTheWindowAndComponentByTag) {
  constexpr WindowId kWindow = 0x52010001;
  FakeComponent window, edit, menu;
  window.type = type_id::kWindow;
  window.tag = "主窗口";
  edit.tag = "";  // an empty tag still gets its quotes
  menu.menu_item = true;
  FakeRegistry registry;
  registry.Add(kWindow, 0, &window);
  registry.Add(kWindow, 0x1601001B, &edit);
  registry.Add(kWindow, 0x26010328, &menu);
  registry.Install();

  EXPECT_EQ(runtime::ComposeErrorReport("m", 0, kWindow, 0x1601001B),
            "运行时出错!\r\n\r\n错误信息：m\r\n"
            "\r\n1375797249, 369164315\r\n\"主窗口\"\r\n\"\"\r\n");
  // Component 0 is the window component: its tag twice.
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, kWindow, 0),
            "运行时出错!\r\n\r\n1375797249, 0\r\n\"主窗口\"\r\n\"主窗口\"\r\n");
  // A missing component and a menu item are both "not found".
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, kWindow, 0x16019999),
            "运行时出错!\r\n\r\n1375797249, 369203609\r\n\"主窗口\"\r\n未找到所指定的窗口组件\r\n");
  EXPECT_NE(runtime::ComposeErrorReport("", 0, kWindow, 0x26010328).find("未找到所指定的窗口组件"),
            std::string::npos);
  // A window id that is not in the registry.
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, 0x52010002, 0),
            "运行时出错!\r\n\r\n1375797250, 0\r\n未找到所指定的窗口\r\n");
  runtime::Frame() = {};
}

TEST(ErrorReport, WithoutRegistryEveryWindowIsMissing) {
  runtime::Frame() = {};
  EXPECT_EQ(runtime::ComposeErrorReport("载入启动窗口失败", 0, 0x52010001, 0),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"
            "\r\n1375797249, 0\r\n未找到所指定的窗口\r\n");
}

// Clean-up routines registered by the program: run once by a normal end, discarded by an
// error report.
void CleanupA(int32_t position) { ChildWrite("A" + std::to_string(position)); }
void CleanupB(int32_t position) { ChildWrite("B" + std::to_string(position)); }

TEST(ErrorReport, ErrorReportDiscardsTheCleanupList) {
  auto outcome = RunInChild([] {
    TestProgram program;
    const KernelEntryTable& kernel = program.Start();
    kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA), 0, 0, 0, 0);
    kernel.RaiseRuntimeError(2, 0, 0);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.written, "");
}

TEST(ErrorReport, EndProgramRunsEachCleanupOnceInOrderAndExitsWithTheCode) {
  auto outcome = RunInChild([] {
    TestProgram program;
    const KernelEntryTable& kernel = program.Start();
    kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA), 0, 0, 0, 0);
    kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupB), 0, 0, 0, 0);
    kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA), 0, 0, 0, 0);
    kernel.EndProgram(7);
  });
  EXPECT_EQ(outcome.exit_code, 7);
  EXPECT_EQ(outcome.written, "A0B1");
  EXPECT_EQ(outcome.boxes, "");
}

TEST(ErrorReport, EndProgramFromAnotherThreadEndsTheProcessWithoutRunningCleanup) {
  auto outcome = RunInChild([] {
    TestProgram program;
    const KernelEntryTable& kernel = program.Start();
    kernel.Service(service::kRegisterCleanup, reinterpret_cast<intptr_t>(&CleanupA), 0, 0, 0, 0);
    // Clean-up runs on the start-up thread only; there is no window to carry the request.
    std::thread([&kernel] { kernel.EndProgram(5); }).join();
    ChildWrite("survived");
  });
  EXPECT_EQ(outcome.exit_code, 5);
  EXPECT_EQ(outcome.written, "");
}

TEST(ErrorReport, CountsAsErrorSoNoEventReachesTheProgram) {
  auto outcome = RunInChild([] {
    TestProgram program;
    program.Start();
    platform::SetMessageBoxHook([](std::string_view, std::string_view, uint32_t style) {
      ChildWrite(runtime::State().error_counter > 0 ? "counted" : "not counted");
      ChildWrite(style == platform::kMessageBoxIconError ? " error icon" : " other icon");
      return 1;
    });
    runtime::FatalError("x");
  });
  EXPECT_EQ(outcome.written, "counted error icon");
}

TEST(ErrorReport, DefaultBoxIsRecordedAndPrintedInUtf8) {
  platform::ClearRecordedMessageBoxes();
  ::testing::internal::CaptureStderr();
  platform::ShowMessageBox("运行时出错!\r\n", "错误", platform::kMessageBoxIconError);
  std::string printed = ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(platform::RecordedMessageBoxes()[0].text, "运行时出错!\r\n");
  EXPECT_EQ(platform::RecordedMessageBoxes()[0].style, platform::kMessageBoxIconError);
  EXPECT_EQ(printed, reinterpret_cast<const char*>(u8"[错误] 运行时出错!\n\n"));
  platform::ClearRecordedMessageBoxes();
}

}  // namespace
}  // namespace barvell
