// The program's windows as they run: which ones the user can resize, and the focus order
// and live texts of the two batch windows, loaded modally over the main window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"
#include "program.h"
#include "runtime/loop/load_window_service.h"
#include "runtime/loop/run_program.h"
#include "runtime/templates/component_records.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::app {
namespace {

constexpr WindowId kProductBatch = 0x520101FC;
constexpr WindowId kCode39Batch = 0x52010258;
constexpr WindowId kTutorial = 0x52010352;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

runtime::Window& WindowOf(WindowId id) { return *runtime::TemplateRegistry()->Find(id); }
ui::WindowHandle Top(WindowId id) { return runtime::HandleOf(WindowOf(id), 0); }
ui::WindowHandle HandleOf(WindowId id, ComponentId component) {
  runtime::Window& window = WindowOf(id);
  return runtime::HandleOf(window, *window.FindComponent(component));
}

ComponentId FocusedId() {
  std::optional<runtime::LiveComponent> live = runtime::ComponentOfHandle(runtime::Ui().Focus());
  return live && live->index != 0 ? live->window->Component(live->index).id : 0;
}

// Runs the program; `inside` is queued to run while `window` is open modally over the
// main window, which Esc then closes, and the main window after it.
void RunWithModal(ui::HeadlessWindowSystem& ui, WindowId window,
                  const std::function<void(ui::InputDriver&)>& inside) {
  ui.Driver().Do([window] {
    runtime::LoadWindowRecord record{window, nullptr, 1};
    EXPECT_EQ(runtime::LoadWindowService(record), 0);
  });
  inside(ui.Driver());
  ui.Driver().PressKey(ui::key::kEscape);
  ui.Driver().PressKey(ui::key::kEscape);
  EXPECT_EQ(runtime::RunProgram(kProgramDescriptor, StartRoutine, ui), 0);
}

TEST(ProgramWindows, OnlyTheMainWindowCanBeResized) {
  struct Seen {
    ui::Rect before, after;
  };
  // Drags the frame 100 pixels wider and 60 higher, as a user would.
  auto drag_bigger = [](ui::HeadlessWindowSystem& ui, WindowId id, Seen& seen) {
    ui.Driver().Do([&ui, &seen, id] {
      seen.before = runtime::Ui().GetRect(Top(id));
      ui::HeadlessInput drag;
      drag.kind = ui::InputKind::kMoveSize;
      drag.target = Top(id);
      drag.rect = {seen.before.left, seen.before.top, seen.before.width + 100,
                   seen.before.height + 60};
      ui.Post(drag);
    });
    ui.Driver().Do([&seen, id] { seen.after = runtime::Ui().GetRect(Top(id)); });
  };

  Seen main;
  {
    ui::HeadlessWindowSystem ui;
    drag_bigger(ui, kMainWindow, main);
    ui.Driver().PressKey(ui::key::kEscape);
    EXPECT_EQ(runtime::RunProgram(kProgramDescriptor, StartRoutine, ui), 0);
  }
  EXPECT_EQ(main.after.width, main.before.width + 100);
  EXPECT_EQ(main.after.height, main.before.height + 60);

  for (WindowId id : {kProductBatch, kCode39Batch, kTutorial}) {
    Seen modal;
    ui::HeadlessWindowSystem ui;
    RunWithModal(ui, id, [&](ui::InputDriver&) { drag_bigger(ui, id, modal); });
    EXPECT_GT(modal.before.width, 0) << std::hex << id;
    EXPECT_EQ(modal.after.width, modal.before.width) << std::hex << id;
    EXPECT_EQ(modal.after.height, modal.before.height) << std::hex << id;
  }
}

// Every focus order in the batch windows is 0: Tab goes from the last record to the first
// among the tab stops, and wraps around; Shift+Tab goes back.
void ExpectTabCycle(WindowId window, const std::vector<ComponentId>& cycle) {
  std::vector<ComponentId> visited;
  ui::HeadlessWindowSystem ui;
  RunWithModal(ui, window, [&](ui::InputDriver& driver) {
    driver.Do([&] { runtime::Ui().SetFocus(HandleOf(window, cycle.front())); });
    for (size_t i = 0; i < cycle.size(); ++i) {
      driver.PressKey(ui::key::kTab);
      driver.Do([&] { visited.push_back(FocusedId()); });
    }
    driver.PressKey(ui::key::kTab, ui::modifier::kShift);
    driver.Do([&] { visited.push_back(FocusedId()); });
  });
  std::vector<ComponentId> expected(cycle.begin() + 1, cycle.end());
  expected.push_back(cycle.front());  // around again
  expected.push_back(cycle.back());   // and back
  EXPECT_EQ(visited, expected);
}

TEST(ProgramWindows, ProductBatchTabOrder) {
  ExpectTabCycle(kProductBatch, {
                                    0x16010200,  // 编辑框1, fixed code
                                    0x16010203,  // 编辑框2, start
                                    0x16010205,  // 编辑框3, end
                                    0x16010206,  // 按钮1 "计算编码"
                                    0x16010207,  // 编辑框4, the code list
                                    0x16010208,  // 按钮2 "批量生成"
                                    0x16010245,  // 编辑框5, directory
                                    0x16010246,  // 按钮3 ".."
                                });
}

TEST(ProgramWindows, Code39BatchTabOrder) {
  ExpectTabCycle(kCode39Batch, {
                                   0x1601025E,  // 编辑框4, the code list
                                   0x1601025D,  // 按钮2 "批量生成"
                                   0x1601025B,  // 编辑框5, directory
                                   0x1601025A,  // 按钮3 ".."
                                   0x16010269,  // 编辑框1, start
                                   0x1601026B,  // 编辑框2, end
                                   0x1601026D,  // 编辑框3, step
                                   0x1601026E,  // 按钮1 "生成编码信息"
                                   0x16010270,  // 编辑框6, formula
                               });
}

struct Text {
  ComponentId component;  // 0 = the window's caption
  std::string utf8;
};

// The texts a user reads and acts on, as the loaded window shows them; every edit box
// starts empty.
void ExpectLiveTexts(WindowId window, const std::vector<Text>& texts,
                     const std::vector<ComponentId>& edit_boxes) {
  std::vector<std::string> shown, edits;
  ui::HeadlessWindowSystem ui;
  RunWithModal(ui, window, [&](ui::InputDriver& driver) {
    driver.Do([&] {
      for (const Text& t : texts) {
        shown.push_back(runtime::Ui().GetText(t.component == 0 ? Top(window)
                                                               : HandleOf(window, t.component)));
      }
      for (ComponentId id : edit_boxes) edits.push_back(runtime::Ui().GetText(HandleOf(window, id)));
    });
  });
  ASSERT_EQ(shown.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(shown[i], texts[i].utf8) << std::hex << texts[i].component;
  }
  EXPECT_EQ(edits, std::vector<std::string>(edit_boxes.size()));
}

TEST(ProgramWindows, ProductBatchLiveTexts) {
  ExpectLiveTexts(kProductBatch,
                  {{0, Utf8(u8"商品编码")},
                   {0x160101FE, Utf8(u8"EAN13批量编码")},
                   {0x16010206, Utf8(u8"计算编码")},
                   {0x16010208, Utf8(u8"批量生成")},
                   {0x16010246, ".."},
                   {0x16010244, Utf8(u8"存放目录：")}},
                  {0x16010200, 0x16010203, 0x16010205, 0x16010207, 0x16010245});
}

TEST(ProgramWindows, Code39BatchLiveTexts) {
  ExpectLiveTexts(kCode39Batch,
                  {{0, Utf8(u8"CODE39批量编码")},
                   {0x1601026E, Utf8(u8"生成编码信息")},
                   {0x1601025D, Utf8(u8"批量生成")},
                   {0x1601025A, ".."},
                   {0x16010271, Utf8(u8"帮助信息")},
                   {0x1601026F, Utf8(u8"计算公式：")}},
                  {0x16010269, 0x1601026B, 0x1601026D, 0x1601025B, 0x1601025E, 0x16010270});
}

}  // namespace
}  // namespace barvell::app
