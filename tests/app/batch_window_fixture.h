// A batch window opened through its main-window button, with the typing, clicking and
// reading its tests need. Each test process gets a temporary directory of its own, so the
// temporary picture is never shared with a test running beside it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "headless_program.h"
#include "platform/text/gbk.h"

namespace barvell::app::testing {

class BatchWindowTest : public ::testing::Test {
 protected:
  BatchWindowTest(WindowId window, ComponentId opener, ComponentId list)
      : window_(window), opener_(opener), list_(list) {}

  void SetUp() override {
    static const std::filesystem::path temp = FreshDirectory("temp");
    setenv("TMPDIR", temp.c_str(), 1);
    out_ = FreshDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { std::filesystem::remove_all(out_); }

  // Runs the script in the open window; the program ends when its actions run out.
  int Run(std::function<void()> script) {
    AfterClickingMain(ui_, opener_, std::move(script));
    return RunTheProgram(ui_);
  }

  ui::WindowHandle H(ComponentId control = 0) const { return Control(window_, control); }
  // Typed character by character, so the boxes' input filters apply.
  void Type(ComponentId box, const std::string& utf8) { ui_.Driver().TypeInto(H(box), utf8); }
  // Written as a program would, past the input filter.
  void Fill(ComponentId box, const std::string& utf8) {
    ui_.Driver().Do([this, box, utf8] { runtime::Ui().SetText(H(box), utf8); });
  }
  void Press(ComponentId button) { ui_.Driver().Click(H(button)); }
  void Then(std::function<void()> look) { ui_.Driver().Do(std::move(look)); }

  std::string ListText() const { return runtime::Ui().GetText(H(list_)); }
  std::vector<std::string> ListLines() const {
    std::vector<std::string> lines;
    const std::string text = ListText();
    for (size_t at = 0; at < text.size();) {
      size_t end = text.find("\r\n", at);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const ui::MessageBoxRequest& box : ui_.Driver().MessageBoxes()) texts.push_back(box.text);
    return texts;
  }
  // The files the batch wrote, by name.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(out_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  ui::HeadlessWindowSystem ui_;
  std::filesystem::path out_;

 private:
  WindowId window_;
  ComponentId opener_;
  ComponentId list_;
};

inline const std::string kSaveFailed = Utf8(u8"文件保存失败");
inline const std::string kNoDirectory = Utf8(u8"存放目录不存在,请设置存放目录");
inline const std::string kEmptyList = Utf8(u8"请先生成或导入编码信息");
inline const std::string kTooManyCodes = Utf8(u8"编码数量超过1000000个,请缩小范围");

}  // namespace barvell::app::testing
