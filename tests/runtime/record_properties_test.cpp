// Properties and the error report over the real window registry: an area written by the
// template writer, built at initialisation through the loader hooks.
#include <gtest/gtest.h>

#include "child_process.h"
#include "fake_components.h"
#include "runtime/templates/component_records.h"
#include "runtime/call/error_report.h"
#include "runtime/templates/template_area.h"
#include "test_program.h"

namespace barvell {
namespace {

using runtime::ComponentRecord;
using testing::RunInChild;
using testing::TestProgram;

constexpr WindowId kWindow = 0x52010001;
constexpr ComponentId kMenu = 0x26010002;
constexpr ComponentId kEdit = 0x16010003;

std::vector<uint8_t> OneWindowArea() {
  runtime::WindowSource window;
  window.id = kWindow;
  runtime::ComponentSource frame, menu, edit;
  frame.record.id = 0x06010000;
  frame.record.type = type_id::kWindow;
  frame.record.width = 816;
  frame.record.height = 720;
  frame.record.tag = "窗口标记";
  frame.record.flags = runtime::component_flag::kVisible;
  menu.record.id = kMenu;
  menu.record.type = type_id::kMenuItem;
  menu.record.is_menu_item = true;
  menu.record.caption = "帮助";
  menu.record.menu_flags = runtime::menu_flag::kChecked;
  edit.record.id = kEdit;
  edit.record.type = type_id::kEditBox;
  edit.record.name = "编辑框1";
  edit.record.left = 64;
  edit.record.top = 90;
  edit.record.width = 88;
  edit.record.height = 20;
  edit.record.cursor = {0x89, 0x7F, 0, 0};
  edit.record.flags = runtime::component_flag::kVisible | runtime::component_flag::kTabStop;
  window.components = {frame, menu, edit};
  return runtime::EncodeTemplateArea(std::span(&window, 1));
}

class RecordProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    area_ = OneWindowArea();
    program_.descriptor.template_start = area_.data();
    program_.descriptor.template_size = uint32_t(area_.size());
    // Start() resets the hooks: attach by hand with the registry's hooks in place.
    kernel_ = &program_.Start();
    runtime::UseTemplateRegistry();
    kernel_->Service(service::kInitialise, 0, 0, 0, 0, 0);
  }
  void TearDown() override { runtime::Frame() = {}; }

  std::string TakeText(int64_t v) {
    char* text = reinterpret_cast<char*>(static_cast<uintptr_t>(v));
    std::string out = text != nullptr ? text : "(null)";
    kernel_->FreeBlock(text);
    return out;
  }

  std::vector<uint8_t> area_;
  TestProgram program_;
  const KernelEntryTable* kernel_ = nullptr;
};

TEST_F(RecordProperties, UnloadedWindowAnswersFromItsTemplate) {
  ASSERT_NE(runtime::TemplateRegistry(), nullptr);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 0, -1), 64);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 3, -1), 20);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 5, -1), 1);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 4, -1), 0);  // empty tag: null
  EXPECT_EQ(TakeText(kernel_->ReadProperty(kWindow, 0, 4, -1)), "窗口标记");
  EXPECT_EQ(kernel_->ReadProperty(kWindow, 0, 2, -1), 816);
  EXPECT_EQ(TakeText(kernel_->ReadProperty(kWindow, kMenu, 0, -1)), "帮助");
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kMenu, 1, -1), 1);
}

TEST_F(RecordProperties, WritesChangeTheRegistrysCopyOnly) {
  static const char tag[] = "新";
  kernel_->WriteProperty(kWindow, kEdit, 4, -1, uint32_t(reinterpret_cast<uintptr_t>(tag)),
                         uint32_t(reinterpret_cast<uintptr_t>(tag) >> 32));
  kernel_->WriteProperty(kWindow, kEdit, 0, -1, 10, 0);
  kernel_->WriteProperty(kWindow, kMenu, 2, -1, 1, 0);
  EXPECT_EQ(TakeText(kernel_->ReadProperty(kWindow, kEdit, 4, -1)), "新");
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 0, -1), 10);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kMenu, 2, -1), 1);
  EXPECT_EQ(area_, OneWindowArea());  // the area itself is untouched
}

TEST_F(RecordProperties, ErrorReportNamesTheRegistrysTags) {
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, kWindow, 0x16010099),
            "运行时出错!\r\n\r\n1375797249, 369164441\r\n\"窗口标记\"\r\n未找到所指定的窗口组件\r\n");
  EXPECT_EQ(runtime::ComposeErrorReport("", 0, kWindow, kEdit),
            "运行时出错!\r\n\r\n1375797249, 369164291\r\n\"窗口标记\"\r\n\"\"\r\n");
}

// Lookups are remembered for a short while: components asked for in turns, more of them
// than are remembered, and the records of a registry built anew must still answer.
TEST_F(RecordProperties, LookupsInTurnAndAfterARebuildAnswerTheirOwnRecords) {
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 0, -1), 64);
    EXPECT_EQ(kernel_->ReadProperty(kWindow, 0, 2, -1), 816);
    EXPECT_EQ(kernel_->ReadProperty(kWindow, kMenu, 1, -1), 1);
    EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 3, -1), 20);
  }
  kernel_->WriteProperty(kWindow, kEdit, 0, -1, 10, 0);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 0, -1), 10);

  // The same ids in a new registry: its records, not the views of the one before.
  std::vector<uint8_t> rebuilt = OneWindowArea();
  program_.descriptor.template_start = rebuilt.data();
  program_.descriptor.template_size = uint32_t(rebuilt.size());
  kernel_->Service(service::kInitialise, 0, 0, 0, 0, 0);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kEdit, 0, -1), 64);
  EXPECT_EQ(kernel_->ReadProperty(kWindow, kMenu, 1, -1), 1);
}

TEST(RecordRegistry, MalformedAreaIsFatalAtInitialisationWithTheParsersReason) {
  std::vector<uint8_t> short_area = OneWindowArea();
  short_area.pop_back();  // one byte short
  runtime::ParseResult parsed = runtime::ParseTemplateArea(short_area);
  ASSERT_FALSE(parsed.ok());
  ASSERT_FALSE(parsed.error.reason.empty());
  auto outcome = RunInChild([] {
    std::vector<uint8_t> area = OneWindowArea();
    area.pop_back();
    TestProgram program;
    program.descriptor.template_start = area.data();
    program.descriptor.template_size = uint32_t(area.size());
    const KernelEntryTable& kernel = program.Start();
    runtime::UseTemplateRegistry();
    kernel.Service(service::kInitialise, 0, 0, 0, 0, 0);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  // The fixed text, then the parser's reason with the byte where it stopped.
  std::string expected = "错误信息：载入窗口模板数据段出错!\r\n" + parsed.error.reason + " at byte " +
                         std::to_string(parsed.error.position) + "\r\n";
  EXPECT_NE(outcome.boxes.find(expected), std::string::npos) << outcome.boxes;
}

}  // namespace
}  // namespace barvell
