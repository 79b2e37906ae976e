// The help menu run headless: the version box, and the tutorial window with its page.
#include <gtest/gtest.h>

#include <string>

#include "headless_program.h"
#include "program_windows.h"

namespace barvell::app::testing {
namespace {

// Menu commands count from 20000 in the order of the menu run: 帮助, 教程, 关于.
constexpr int kTutorialCommand = 20001;
constexpr int kAboutCommand = 20002;
constexpr ComponentId kOpenPage = 0x16010354;  // 电脑直接查看

TEST(HelpMenu, AboutShowsTheVersion) {
  ui::HeadlessWindowSystem ui;
  ui.Driver().Do([&] { ui.Driver().ChooseMenu(Control(kMainWindow), kAboutCommand); });
  EXPECT_EQ(RunTheProgram(ui), 0);
  ASSERT_EQ(ui.Driver().MessageBoxes().size(), 1u);
  EXPECT_EQ(ui.Driver().MessageBoxes()[0].text, Utf8(u8"版本：V1.0"));
  EXPECT_EQ(ui.Driver().MessageBoxes()[0].style & ui::mb::kIconMask, ui::mb::kIconInformation);
}

TEST(HelpMenu, TheTutorialWindowIsModalAndOpensThePageBesideTheProgram) {
  ui::HeadlessWindowSystem ui;
  bool open = false, main_disabled = false, main_enabled_after = false;
  ui.Driver().Do([&] {
    ui.Driver().ChooseMenu(Control(kMainWindow), kTutorialCommand);
    ui.Driver().Do([&] {
      open = IsOpen(kTutorialWindow);
      main_disabled = !runtime::Ui().IsEnabled(Control(kMainWindow));
      ui.Driver().Click(Control(kTutorialWindow, kOpenPage));
      ui.Driver().Close(Control(kTutorialWindow));
      ui.Driver().Do([&] { main_enabled_after = runtime::Ui().IsEnabled(Control(kMainWindow)); });
    });
  });
  EXPECT_EQ(RunTheProgram(ui), 0);
  EXPECT_TRUE(open);
  EXPECT_TRUE(main_disabled);
  EXPECT_TRUE(main_enabled_after);
  ASSERT_EQ(ui.Driver().WebPages().size(), 1u);
  const std::string page = ui.Driver().WebPages()[0];
  const std::string ending = "tutorial/index.html";
  ASSERT_GE(page.size(), ending.size());
  EXPECT_EQ(page.substr(page.size() - ending.size()), ending) << page;
}

}  // namespace
}  // namespace barvell::app::testing
