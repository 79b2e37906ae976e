// The real program run headless from start to end: its start routine, the main window's
// keyboard navigation, and its end by Esc or by running out of input.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"
#include "program.h"
#include "program_globals.h"
#include "runtime/templates/component_records.h"
#include "runtime/loop/load_window_service.h"
#include "runtime/loop/run_program.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::app {
namespace {

ui::WindowHandle MainWindowHandle() {
  runtime::Window* main = runtime::TemplateRegistry()->Find(kMainWindow);
  return main != nullptr ? runtime::HandleOf(*main, 0) : ui::kNoWindow;
}

// The focused component of the main window, or 0.
ComponentId FocusedId() {
  std::optional<runtime::LiveComponent> live = runtime::ComponentOfHandle(runtime::Ui().Focus());
  return live && live->index != 0 ? live->window->Component(live->index).id : 0;
}

int RunTheProgram(ui::HeadlessWindowSystem& ui) {
  return runtime::RunProgram(kProgramDescriptor, StartRoutine, ui);
}

TEST(ProgramRun, WithoutInputTheMainWindowOpensAndTheProgramEndsWithZero) {
  ui::HeadlessWindowSystem ui;
  bool main_open = false, globals_allocated = false;
  ui.Driver().Do([&] {
    ui::WindowHandle main = MainWindowHandle();
    main_open = runtime::Ui().IsWindow(main) && runtime::Ui().IsVisible(main);
    globals_allocated = Globals().parity_table != nullptr;
  });
  EXPECT_EQ(RunTheProgram(ui), 0);
  EXPECT_TRUE(main_open);
  EXPECT_TRUE(globals_allocated);
  EXPECT_EQ(Globals().parity_table, nullptr) << "the clean-up routine freed the globals";
  EXPECT_EQ(Globals().gdiplus_startup_input, nullptr);
}

TEST(ProgramRun, EscInTheMainWindowEndsTheProgram) {
  ui::HeadlessWindowSystem ui;
  ui.Driver().PressKey(ui::key::kEscape);
  bool after_esc = false;
  ui.Driver().Do([&] { after_esc = true; });
  EXPECT_EQ(RunTheProgram(ui), 0);
  EXPECT_FALSE(after_esc) << "the main window closed and the loop ended";
}

TEST(ProgramRun, TabVisitsOrderZeroFromTheLastRecordThenTheEditBoxesByFocusOrder) {
  constexpr ComponentId kOrderZero[] = {
      0x16010015,  // 按钮1
      0x16010018,  // 按钮2
      0x16010029,  // 组合框1
      0x16010032,  // 多功能条1
      0x16010033,  // 多功能条2
      0x16010066,  // 颜色选择器1
      0x16010068,  // 颜色选择器2
      0x16010071,  // 颜色选择器3
      0x16010072,  // 按钮3
      0x160100A4,  // 按钮4
      0x160100BE,  // 按钮5
      0x16010144,  // 按钮6
      0x160101F9,  // 按钮7
      0x160101FA,  // 按钮8
  };
  constexpr ComponentId kByFocusOrder[] = {
      0x1601001B,  // 编辑框_输出宽度, 1
      0x1601001E,  // 编辑框_输出高度, 2
      0x16010022,  // 编辑框_打印分辨率, 3
      0x16010025,  // 编辑框8, 4
      0x16010146,  // 编辑框11, 5
      0x1601006B,  // 编辑框9, 6
      0x1601006D,  // 编辑框10, 7
      0x160100B6,  // 编辑框5, 8
      0x160100B9,  // 编辑框6, 9
      0x1601000F,  // 编辑框1, 10
      0x16010011,  // 编辑框2, 11
      0x16010017,  // 编辑框4, 12
      0x16010142,  // 编辑框7, 13
      0x16010013,  // 编辑框3, 30
  };
  std::vector<ComponentId> expected(std::begin(kOrderZero), std::end(kOrderZero));
  expected.insert(expected.end(), std::begin(kByFocusOrder), std::end(kByFocusOrder));
  expected.push_back(kOrderZero[0]);  // around again

  ui::HeadlessWindowSystem ui;
  // Start from the last of the sequence, 编辑框3.
  ui.Driver().Do([&] {
    runtime::Window* main = runtime::TemplateRegistry()->Find(kMainWindow);
    runtime::Ui().SetFocus(runtime::HandleOf(*main, *main->FindComponent(0x16010013)));
  });
  std::vector<ComponentId> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    ui.Driver().PressKey(ui::key::kTab);
    ui.Driver().Do([&] { visited.push_back(FocusedId()); });
  }
  ui.Driver().PressKey(ui::key::kTab, ui::modifier::kShift);
  ui.Driver().Do([&] { visited.push_back(FocusedId()); });
  EXPECT_EQ(RunTheProgram(ui), 0);
  expected.push_back(0x16010013);  // Shift+Tab: back to the end
  EXPECT_EQ(visited, expected);
}

TEST(ProgramRun, EscClosesEachModalWindowAndItsLoadReturns) {
  constexpr WindowId kModalWindows[] = {0x520101FC, 0x52010258, 0x52010352};
  ui::HeadlessWindowSystem ui;
  std::vector<WindowId> returned;
  for (WindowId id : kModalWindows) {
    ui.Driver().Do([&returned, id] {
      runtime::LoadWindowRecord record{id, nullptr, 1};
      EXPECT_EQ(runtime::LoadWindowService(record), 0);
      runtime::Window* window = runtime::TemplateRegistry()->Find(id);
      if (runtime::HandleOf(*window, 0) == ui::kNoWindow) returned.push_back(id);
    });
    ui.Driver().PressKey(ui::key::kEscape);
  }
  bool main_open = false;
  ui.Driver().Do([&] { main_open = runtime::Ui().IsWindow(MainWindowHandle()); });
  EXPECT_EQ(RunTheProgram(ui), 0);
  EXPECT_EQ(returned, std::vector<WindowId>(std::begin(kModalWindows), std::end(kModalWindows)));
  EXPECT_TRUE(main_open) << "Esc in a modal window closes only that window";
}

}  // namespace
}  // namespace barvell::app
