// The dialog commands over the program's main window on the headless window system: what
// each dialog was shown with (the input driver's record) and what the program gets back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loader_program.h"
#include "child_process.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/properties.h"
#include "runtime/windows/close_handling.h"

namespace barvell {
namespace {

using testing::kMainWindow;
using testing::kTutorialWindow;
using testing::kProductBatchWindow;
using testing::Utf8;

constexpr ComponentId kSaveDialog = 0x160101F1;  // 通用对话框1

class DialogCommands : public testing::LoaderProgram {
 protected:
  void SetUp() override {
    StartProgram();
    ASSERT_TRUE(Load(kMainWindow));
  }

  ui::InputDriver& Driver() { return ui_.Driver(); }
  const ui::ShownDialog& LastShown() {
    static const ui::ShownDialog kNone{};
    return Driver().Shown().empty() ? kNone : Driver().Shown().back();
  }

  ResultRecord Call(int32_t command, std::vector<ArgRecord> args) {
    return runtime::KernelEntries().CallLibraryCommand(command, int32_t(args.size()),
                                                       args.data());
  }
  std::string TakeText(const ResultRecord& r) {
    char* block = r.Pointer<char>();
    std::string text = block != nullptr ? block : "";
    runtime::FreeBlock(block);
    return text;
  }

  int32_t ReadInt(int32_t property) {
    return int32_t(runtime::ReadProperty(kMainWindow, kSaveDialog, property, -1));
  }
  void WriteInt(int32_t property, int32_t value) {
    runtime::WriteProperty(kMainWindow, kSaveDialog, property, -1, uint32_t(value), 0);
  }
  // Texts stay GBK on this side; the record holds what the person saw, in UTF-8.
  std::string ReadText(int32_t property) {
    char* block =
        reinterpret_cast<char*>(uintptr_t(runtime::ReadProperty(kMainWindow, kSaveDialog, property, -1)));
    std::string text = block != nullptr ? block : "";
    runtime::FreeBlock(block);
    return text;
  }
  void WriteText(int32_t property, const char* gbk) {
    uint64_t bits = uint64_t(reinterpret_cast<uintptr_t>(gbk));
    runtime::WriteProperty(kMainWindow, kSaveDialog, property, -1, uint32_t(bits),
                           uint32_t(bits >> 32));
  }
  ResultRecord OpenSaveDialog() {
    return Call(command::kOpenDialog,
                {ArgRecord::Component(type_id::kCommonDialog, kMainWindow, kSaveDialog)});
  }
  static ArgRecord WindowRef(WindowId id) { return ArgRecord::Component(type_id::kWindow, id, 0); }
};

// --- message box ----------------------------------------------------------------------

TEST_F(DialogCommands, MessageBoxShowsAnyValueAsTextAndNothingForOtherKinds) {
  const uint8_t bytes[] = {1, 0, 0, 0, 2, 'h', 'i'};  // a byte array block "hi"
  struct Case {
    ArgRecord content;
    std::string shown;
  } cases[] = {
      {ArgRecord::Double(12.5), "12.5"},
      {ArgRecord::Bool(true), Utf8(u8"真")},
      {ArgRecord::Bool(false), Utf8(u8"假")},
      {ArgRecord::Int(-7), "-7"},
      {ArgRecord::Text("请输入编码信息"), Utf8(u8"请输入编码信息")},
      {ArgRecord::Text(nullptr), ""},
      {ArgRecord::OfPointer(bytes, tag::kByteArray), ""},
      {ArgRecord::Component(type_id::kWindow, kMainWindow, 0), ""},
  };
  for (const Case& c : cases) {
    Call(command::kShowMessageBox, {c.content});
    EXPECT_EQ(LastShown().text, c.shown);
    EXPECT_EQ(LastShown().kind, ui::DialogKind::kMessageBox);
  }
}

TEST_F(DialogCommands, MessageBoxIsTaskModalUnlessSystemModalWithTheDefaultCaption) {
  Call(command::kShowMessageBox, {ArgRecord::Text("x")});
  EXPECT_EQ(LastShown().flags, ui::mb::kTaskModal);
  EXPECT_EQ(LastShown().title, Utf8(u8"信息："));

  Call(command::kShowMessageBox, {ArgRecord::Text("x"), ArgRecord::Int(16)});
  EXPECT_EQ(LastShown().flags, 16u | ui::mb::kTaskModal);

  Call(command::kShowMessageBox,
       {ArgRecord::Text("x"), ArgRecord::Int(0x1000 | 64), ArgRecord::Text("标题")});
  EXPECT_EQ(LastShown().flags, 0x1000u | 64u) << "system modal, not task modal";
  EXPECT_EQ(LastShown().title, Utf8(u8"标题"));

  // An omitted style in the middle counts as 0.
  Call(command::kShowMessageBox, {ArgRecord::Text("x"), ArgRecord{}, ArgRecord::Text("t")});
  EXPECT_EQ(LastShown().flags, ui::mb::kTaskModal);
}

TEST_F(DialogCommands, MessageBoxResultsNumberTheButtonsFromZero) {
  using A = ui::MessageBoxAnswer;
  struct Case {
    int32_t style;
    std::optional<A> answer;  // none: the person just confirms the default button
    int32_t result;
  } cases[] = {
      {4, A::kYes, 5},         {4, A::kNo, 6},        {4, std::nullopt, 5},
      {4 | 0x100, std::nullopt, 6},                   {0, std::nullopt, 0},
      {1, A::kCancel, 1},      {2, A::kAbort, 2},     {2, A::kRetry, 3},
      {2, A::kIgnore, 4},      {64, std::nullopt, 0},
  };
  for (const Case& c : cases) {
    if (c.answer) Driver().AnswerMessageBox(*c.answer);
    EXPECT_EQ(Call(command::kShowMessageBox, {ArgRecord::Text("?"), ArgRecord::Int(c.style)}).Int(),
              c.result)
        << "style " << c.style;
  }
}

TEST_F(DialogCommands, MessageBoxOwnerOnlyWithFourArguments) {
  ui::WindowHandle main = Top(kMainWindow);
  std::vector<ui::WindowHandle> owners;
  auto show = [&](std::vector<ArgRecord> args) {
    Call(command::kShowMessageBox, std::move(args));
    owners.push_back(Driver().MessageBoxes().back().owner);
  };
  const ArgRecord text = ArgRecord::Text("x"), style = ArgRecord::Int(0), caption = ArgRecord::Text("c");
  show({text, style, caption, WindowRef(kMainWindow)});
  show({text, style, caption, WindowRef(kTutorialWindow)});  // not loaded
  show({text, style, caption, ArgRecord::Int(int32_t(main))});
  show({text, style, caption});
  EXPECT_EQ(owners, (std::vector<ui::WindowHandle>{main, ui::kNoWindow, main, ui::kNoWindow}));
}

// --- the common-dialog control --------------------------------------------------------

TEST_F(DialogCommands, CommonDialogKeepsItsTemplateSettingsAndClampsKindAndIndex) {
  EXPECT_EQ(ReadInt(property::kDialogKind), 1);
  EXPECT_EQ(ReadText(property::kDialogTitle), "图片保存");
  EXPECT_EQ(ReadText(property::kFilter), "PNG图片|*.png|JPG图片|*.jpg|BMP图片|*.bmp");
  EXPECT_EQ(ReadText(property::kDefaultExtension), "*.png|*.jpg|*.bmp");
  EXPECT_EQ(runtime::ReadProperty(kMainWindow, kSaveDialog, property::kFileName, -1), 0)
      << "an empty text reads as no block";
  EXPECT_EQ(ReadInt(property::kFileMustExist), 1);
  EXPECT_EQ(ReadInt(property::kCreatePrompt), 0);

  WriteInt(property::kDialogKind, 9);
  EXPECT_EQ(ReadInt(property::kDialogKind), 3);
  WriteInt(property::kDialogKind, -2);
  EXPECT_EQ(ReadInt(property::kDialogKind), 0);
  WriteInt(property::kFilterIndex, -5);
  EXPECT_EQ(ReadInt(property::kFilterIndex), 0);
  WriteInt(property::kKeepCurrentDirectory, 7);
  EXPECT_EQ(ReadInt(property::kKeepCurrentDirectory), 1);
  WriteText(property::kInitialDirectory, "/数据");
  EXPECT_EQ(ReadText(property::kInitialDirectory), "/数据");
}

// --- the file dialog ------------------------------------------------------------------

TEST_F(DialogCommands, SaveDialogIsShownWithTheControlsSettingsAndFilterPairs) {
  WriteInt(property::kFilterIndex, 2);
  WriteText(property::kFileName, "条码");
  OpenSaveDialog();
  ASSERT_EQ(Driver().FileDialogs().size(), 1u);
  const ui::FileDialogRequest& shown = Driver().FileDialogs()[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.title, Utf8(u8"图片保存"));
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(shown.filters, (Pairs{{Utf8(u8"PNG图片"), "*.png"},
                                  {Utf8(u8"JPG图片"), "*.jpg"},
                                  {Utf8(u8"BMP图片"), "*.bmp"}}));
  EXPECT_EQ(shown.filterIndex, 2) << "the BMP pair is preselected";
  EXPECT_EQ(shown.initialName, Utf8(u8"条码"));
  EXPECT_EQ(shown.owner, ui_.ActiveWindow());
  EXPECT_EQ(LastShown().kind, ui::DialogKind::kSaveFile);
  EXPECT_EQ(LastShown().flags, ui::ofn::kHideReadOnly | ui::ofn::kFileMustExist |
                                   ui::ofn::kOverwritePrompt | ui::ofn::kPathMustExist);
}

TEST_F(DialogCommands, FilterTextsBecomePairsUpToTheFirstEmptyString) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* filter;
    int32_t index;
    Pairs pairs;
    int shown_index;
  } cases[] = {
      {"A|*.a", 0, {{"A", "*.a"}}, 0},
      {"A|*.a||", 0, {{"A", "*.a"}}, 0},
      {"A|*.a||B|*.b", 1, {{"A", "*.a"}}, 0},  // the list ends at "||"; index past it: first
      {"A|*.a|B", 0, {{"A", "*.a"}}, 0},       // a description without pattern
      {"", 3, {}, 0},
  };
  for (const Case& c : cases) {
    WriteText(property::kFilter, c.filter);
    WriteInt(property::kFilterIndex, c.index);
    OpenSaveDialog();
    EXPECT_EQ(Driver().FileDialogs().back().filters, c.pairs) << c.filter;
    EXPECT_EQ(Driver().FileDialogs().back().filterIndex, c.shown_index) << c.filter;
  }
}

TEST_F(DialogCommands, ConfirmedPathGoesIntoFileNameCancelLeavesItAsItWas) {
  WriteText(property::kFileName, "old.png");
  EXPECT_EQ(OpenSaveDialog().Int(), 0) << "nobody answers: cancelled";
  Driver().AnswerFileDialog(std::nullopt);
  EXPECT_EQ(OpenSaveDialog().Int(), 0);
  EXPECT_EQ(ReadText(property::kFileName), "old.png");

  WriteInt(property::kFilterIndex, 2);
  Driver().AnswerFileDialog(Utf8(u8"/输出/条码"));  // no extension: the shown BMP pair's
  EXPECT_EQ(OpenSaveDialog().Int(), 1);
  EXPECT_EQ(ReadText(property::kFileName), "/输出/条码.bmp");
  EXPECT_EQ(LastShown().answer, Utf8(u8"/输出/条码.bmp"));
}

TEST_F(DialogCommands, OpenKindShowsTheOpenDialogAndOtherKindsNone) {
  WriteInt(property::kDialogKind, 0);
  Driver().AnswerFileDialog("/tmp/in.png");
  EXPECT_EQ(OpenSaveDialog().Int(), 1);
  EXPECT_EQ(LastShown().kind, ui::DialogKind::kOpenFile);
  WriteInt(property::kDialogKind, 3);
  EXPECT_EQ(OpenSaveDialog().Int(), 0);
  EXPECT_EQ(Driver().Shown().size(), 1u);
}

TEST_F(DialogCommands, OpenDialogOnAControlThatIsNotThereIsFatal) {
  testing::ChildOutcome outcome = testing::RunInChild([] {
    ArgRecord missing = ArgRecord::Component(type_id::kCommonDialog, kMainWindow, 0x16019999);
    runtime::KernelEntries().CallLibraryCommand(command::kOpenDialog, 1, &missing);
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("指定窗口或窗口组件不存在或尚未载入"), std::string::npos);
}

// --- the folder chooser ---------------------------------------------------------------

TEST_F(DialogCommands, FolderChooserDisablesTheWindowsMeanwhileAndGivesTheirStateBack) {
  ASSERT_TRUE(Load(kTutorialWindow));
  ui::WindowHandle main = Top(kMainWindow), tutorial = Top(kTutorialWindow);
  ui_.Enable(tutorial, false);
  ui_.Activate(main);
  bool main_enabled_meanwhile = true;
  Driver().WhileDialogShown([&] { main_enabled_meanwhile = ui_.IsEnabled(main); });

  ResultRecord r = Call(command::kBrowseForFolder, {ArgRecord::Text("请选择目录")});
  EXPECT_EQ(r.Pointer<char>(), nullptr) << "cancelled: the empty text";
  EXPECT_FALSE(main_enabled_meanwhile);
  EXPECT_TRUE(ui_.IsEnabled(main));
  EXPECT_FALSE(ui_.IsEnabled(tutorial)) << "disabled before, disabled after";
  EXPECT_EQ(ui_.ActiveWindow(), main);
  EXPECT_EQ(LastShown().title, Utf8(u8"请选择目录"));
  EXPECT_EQ(LastShown().flags, ui::bif::kEditBox);
  EXPECT_EQ(Driver().FolderRequests().back().owner, main);
}

TEST_F(DialogCommands, FolderPathHasNoTrailingSeparatorExceptAtTheRoot) {
  struct Case {
    std::string answer, result;
  } cases[] = {{"/tmp/out/", "/tmp/out"}, {"/", "/"}, {Utf8(u8"/数据//"), "/数据"}, {"", ""}};
  for (const Case& c : cases) {
    Driver().AnswerFolder(c.answer);
    EXPECT_EQ(TakeText(Call(command::kBrowseForFolder,
                            {ArgRecord::Text("请选择文件夹"), ArgRecord::Bool(true)})),
              c.result);
    EXPECT_EQ(LastShown().flags, ui::bif::kEditBox | ui::bif::kBrowseIncludeFiles);
  }
  EXPECT_EQ(ui::WithoutTrailingSeparator("C:\\"), "C:\\");
  EXPECT_EQ(ui::WithoutTrailingSeparator("C:\\out\\"), "C:\\out");
}

// --- loading windows, pending messages, the shell -------------------------------------

TEST_F(DialogCommands, ModalLoadReturnsOnlyAfterTheWindowHasClosed) {
  ui::WindowHandle main = Top(kMainWindow);
  bool main_disabled_meanwhile = false;
  Driver().Do([&] {
    main_disabled_meanwhile = !ui_.IsEnabled(main);
    runtime::CloseProgramWindow(WindowOf(kProductBatchWindow));
  });
  // The parent is ignored by a modal load.
  ResultRecord r = Call(command::kLoadWindow, {WindowRef(kProductBatchWindow),
                                               WindowRef(kMainWindow), ArgRecord::Bool(true)});
  EXPECT_EQ(r.Int(), 1);
  EXPECT_TRUE(main_disabled_meanwhile);
  EXPECT_EQ(Top(kProductBatchWindow), ui::kNoWindow);
  EXPECT_TRUE(ui_.IsEnabled(main));

  EXPECT_EQ(Call(command::kLoadWindow, {WindowRef(0x52019999)}).Int(), 0);
}

TEST_F(DialogCommands, ModelessLoadIsOwnedByALoadedParentOnly) {
  EXPECT_EQ(Call(command::kLoadWindow, {WindowRef(kTutorialWindow), WindowRef(kMainWindow)}).Int(), 1);
  ui::WindowHandle tutorial = Top(kTutorialWindow);
  EXPECT_TRUE(ui_.IsEnabled(Top(kMainWindow))) << "not modal";
  // An owned window goes with its owner.
  ui_.Destroy(Top(kMainWindow));
  EXPECT_FALSE(ui_.IsWindow(tutorial));

  // A parent that is not loaded: loaded all the same, without owner.
  EXPECT_EQ(Call(command::kLoadWindow, {WindowRef(kProductBatchWindow), WindowRef(kMainWindow),
                                        ArgRecord::Bool(false)}).Int(), 1);
  EXPECT_TRUE(ui_.IsWindow(Top(kProductBatchWindow)));
}

TEST_F(DialogCommands, DoEventsDispatchesWhatIsPendingAndReturnsWhenTheQueueIsEmpty) {
  bool performed = false;
  Driver().Do([&] { performed = true; });
  Call(command::kDoEvents, {});
  EXPECT_FALSE(performed) << "an empty queue: the person's next action is not waited for";
  EXPECT_EQ(Driver().PendingActions(), 1u);

  ui::HeadlessInput step;
  step.kind = ui::InputKind::kStep;
  step.step = [&] { performed = true; };
  ui_.Post(step);
  Call(command::kDoEvents, {});
  EXPECT_TRUE(performed);
  EXPECT_FALSE(ui_.HasPendingEvent());
}

TEST_F(DialogCommands, ShellOpenHandsTheTextOverAndIsRecorded) {
  EXPECT_EQ(Call(command::kOpenWithShell, {ArgRecord::Text("https://example.com/教程")}).Int(), 1);
  EXPECT_EQ(LastShown().kind, ui::DialogKind::kShellOpen);
  EXPECT_EQ(LastShown().text, Utf8(u8"https://example.com/教程"));
  // A file name written with "\\" reaches the shell in the file system's form.
  Call(command::kOpenWithShell, {ArgRecord::Text("/程序\\教程\\index.html")});
  EXPECT_EQ(LastShown().text, Utf8(u8"/程序/教程/index.html"));
  EXPECT_EQ(Call(command::kOpenWithShell, {ArgRecord::Text(nullptr)}).Int(), 0);
  EXPECT_EQ(Driver().WebPages().size(), 2u);
}

}  // namespace
}  // namespace barvell
