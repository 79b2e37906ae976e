// The program's compiled window templates hold the four windows exactly as designed:
// every component in template order with its id, type, position, size, container, text,
// flags, focus order and handlers; the menu run; the window options; the control settings;
// the tutorial scan code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "handler_table.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/templates/template_area.h"
#include "runtime/templates/window_registry.h"
#include "template_area.h"

namespace barvell {
namespace {

using runtime::ComponentRecord;
using runtime::Window;
using runtime::WindowRegistry;
using runtime::WindowTemplate;
namespace blocks = runtime::controls;

constexpr uint32_t kVisible = runtime::component_flag::kVisible;
constexpr uint32_t kTabStop = runtime::component_flag::kTabStop;

struct Expected {
  const char* name;
  ComponentId id;
  TypeId type;
  int32_t left, top, width, height;
  const char* parent;  // "" = the window
  std::vector<std::string> texts;
  uint32_t flags;
  uint32_t focus;
  std::vector<std::pair<int32_t, std::string>> events;  // event number, handler name
};

const Expected kMainComponents[] = {
    {"按钮8", 0x160101FA, type_id::kButton, 104, 196, 80, 24, "分组框1", {"批量生成"}, kVisible | kTabStop, 0, {{0, "MainWindow_Code39Batch_Click"}}},
    {"按钮7", 0x160101F9, type_id::kButton, 104, 144, 80, 24, "分组框1", {"批量生成"}, kVisible | kTabStop, 0, {{0, "MainWindow_ProductBatch_Click"}}},
    {"通用对话框1", 0x160101F1, type_id::kCommonDialog, 648, 608, 26, 26, "", {}, 0, 0, {}},
    {"标签27", 0x16010147, type_id::kLabel, 160, 90, 24, 24, "分组框3", {"毫米"}, kVisible, 0, {}},
    {"编辑框11", 0x16010146, type_id::kEditBox, 64, 92, 88, 20, "分组框3", {"3"}, kVisible | kTabStop, 5, {{0, "MainWindow_FontSize_Changed"}}},
    {"标签26", 0x16010145, type_id::kLabel, 8, 88, 56, 24, "分组框3", {"字体大小："}, kVisible, 0, {}},
    {"按钮6", 0x16010144, type_id::kButton, 8, 196, 80, 24, "分组框1", {"生成图片"}, kVisible | kTabStop, 0, {{0, "MainWindow_DrawCode39_Click"}}},
    {"编辑框7", 0x16010142, type_id::kEditBox, 80, 173, 104, 20, "分组框1", {}, kVisible | kTabStop, 13, {}},
    {"标签25", 0x16010141, type_id::kLabel, 8, 171, 72, 24, "分组框1", {"CODE39编码："}, kVisible, 0, {}},
    {"挡板2", 0x160100CA, type_id::kPictureBox, 600, 544, 16, 16, "", {}, kVisible, 0, {}},
    {"挡板1", 0x160100C9, type_id::kPictureBox, 0, 0, 32, 32, "", {}, kVisible, 0, {}},
    {"按钮5", 0x160100BE, type_id::kButton, 124, 113, 62, 24, "分组框2", {"刷新"}, kVisible | kTabStop, 0, {{0, "MainWindow_Refresh_Click"}}},
    {"标签24", 0x160100BA, type_id::kLabel, 160, 188, 24, 24, "分组框3", {"毫米"}, kVisible, 0, {}},
    {"编辑框6", 0x160100B9, type_id::kEditBox, 64, 190, 96, 20, "分组框3", {"5"}, kVisible | kTabStop, 9, {{0, "MainWindow_LeftMargin_Changed"}}},
    {"标签23", 0x160100B8, type_id::kLabel, 8, 186, 56, 24, "分组框3", {"左边边距："}, kVisible, 0, {}},
    {"标签22", 0x160100B7, type_id::kLabel, 160, 162, 24, 24, "分组框3", {"毫米"}, kVisible, 0, {}},
    {"编辑框5", 0x160100B6, type_id::kEditBox, 64, 165, 96, 20, "分组框3", {"5"}, kVisible | kTabStop, 8, {{0, "MainWindow_TopMargin_Changed"}}},
    {"标签21", 0x160100B5, type_id::kLabel, 8, 162, 56, 24, "分组框3", {"顶部边距："}, kVisible, 0, {}},
    {"按钮4", 0x160100A4, type_id::kButton, 8, 88, 80, 24, "分组框1", {"计算编码"}, kVisible | kTabStop, 0, {{0, "MainWindow_ComputeCode_Click"}}},
    {"分组框1", 0x1601000C, type_id::kGroupBox, 616, 384, 192, 224, "", {"编码信息"}, kVisible, 0, {}},
    {"按钮3", 0x16010072, type_id::kButton, 616, 608, 192, 24, "", {"保存图片"}, kVisible | kTabStop, 0, {{0, "MainWindow_SavePicture_Click"}}},
    {"颜色选择器3", 0x16010071, type_id::kColourPicker, 64, 66, 120, 22, "分组框3", {}, kVisible | kTabStop, 0, {{0, "MainWindow_TextColour_Changed"}}},
    {"标签20", 0x16010070, type_id::kLabel, 8, 64, 64, 24, "分组框3", {"字体颜色："}, kVisible, 0, {}},
    {"标签19", 0x1601006E, type_id::kLabel, 160, 136, 24, 24, "分组框3", {"毫米"}, kVisible, 0, {}},
    {"编辑框10", 0x1601006D, type_id::kEditBox, 74, 140, 78, 20, "分组框3", {"2"}, kVisible | kTabStop, 7, {{0, "MainWindow_GuardExtension_Changed"}}},
    {"标签18", 0x1601006C, type_id::kLabel, 8, 138, 72, 24, "分组框3", {"标识符加长："}, kVisible, 0, {}},
    {"标签17", 0x1601006A, type_id::kLabel, 160, 114, 24, 24, "分组框3", {"毫米"}, kVisible, 0, {}},
    {"编辑框9", 0x1601006B, type_id::kEditBox, 64, 115, 88, 20, "分组框3", {"10"}, kVisible | kTabStop, 6, {{0, "MainWindow_BarHeight_Changed"}}},
    {"标签16", 0x16010069, type_id::kLabel, 8, 112, 56, 24, "分组框3", {"条码高度："}, kVisible, 0, {}},
    {"颜色选择器2", 0x16010068, type_id::kColourPicker, 64, 40, 120, 22, "分组框3", {}, kVisible | kTabStop, 0, {{0, "MainWindow_LineColour_Changed"}}},
    {"标签15", 0x16010067, type_id::kLabel, 8, 40, 64, 24, "分组框3", {"线条颜色："}, kVisible, 0, {}},
    {"颜色选择器1", 0x16010066, type_id::kColourPicker, 64, 16, 120, 22, "分组框3", {}, kVisible | kTabStop, 0, {{0, "MainWindow_BackColour_Changed"}}},
    {"标签14", 0x16010065, type_id::kLabel, 8, 16, 64, 24, "分组框3", {"背景颜色："}, kVisible, 0, {}},
    {"分组框3", 0x16010064, type_id::kGroupBox, 616, 158, 192, 218, "", {"条码设置"}, kVisible, 0, {}},
    {"状态条1", 0x16010034, type_id::kStatusBar, 0, 425, 813, 20, "", {}, kVisible, 0, {}},
    {"多功能条2", 0x16010033, type_id::kSuperBar, 600, 32, 16, 512, "", {}, kVisible | kTabStop, 0, {{0, "MainWindow_VerticalBar_Changed"}}},
    {"多功能条1", 0x16010032, type_id::kSuperBar, 32, 544, 568, 16, "", {}, kVisible | kTabStop, 0, {{0, "MainWindow_HorizontalBar_Changed"}}},
    {"组合框1", 0x16010029, type_id::kComboBox, 64, 115, 56, 20, "分组框2", {"PNG", "JPG", "BMP"}, kVisible | kTabStop, 0, {{0, "MainWindow_SaveFormat_Changed"}}},
    {"标签13", 0x16010027, type_id::kLabel, 8, 111, 64, 24, "分组框2", {"保存格式："}, kVisible, 0, {}},
    {"标签12", 0x16010026, type_id::kLabel, 160, 88, 24, 24, "分组框2", {"毫米"}, kVisible, 0, {}},
    {"编辑框8", 0x16010025, type_id::kEditBox, 64, 90, 88, 20, "分组框2", {"0.32"}, kVisible | kTabStop, 4, {}},
    {"标签11", 0x16010024, type_id::kLabel, 8, 88, 56, 24, "分组框2", {"线条粗细："}, kVisible, 0, {}},
    {"标签10", 0x16010023, type_id::kLabel, 160, 64, 24, 24, "分组框2", {"dpi"}, kVisible, 0, {}},
    {"编辑框_打印分辨率", 0x16010022, type_id::kEditBox, 80, 66, 72, 20, "分组框2", {"300"}, kVisible | kTabStop, 3, {{0, "MainWindow_Resolution_Changed"}}},
    {"标签9", 0x16010021, type_id::kLabel, 8, 64, 72, 24, "分组框2", {"打印分辨率："}, kVisible, 0, {}},
    {"标签8", 0x16010020, type_id::kLabel, 160, 40, 24, 24, "分组框2", {"毫米"}, kVisible, 0, {}},
    {"编辑框_输出高度", 0x1601001E, type_id::kEditBox, 64, 42, 88, 20, "分组框2", {"20"}, kVisible | kTabStop, 2, {{0, "MainWindow_OutputHeight_Changed"}}},
    {"标签7", 0x1601001D, type_id::kLabel, 8, 40, 56, 24, "分组框2", {"输出高度："}, kVisible, 0, {}},
    {"标签6", 0x1601001C, type_id::kLabel, 160, 16, 24, 24, "分组框2", {"毫米"}, kVisible, 0, {}},
    {"编辑框_输出宽度", 0x1601001B, type_id::kEditBox, 64, 17, 88, 20, "分组框2", {"35"}, kVisible | kTabStop, 1, {{0, "MainWindow_OutputWidth_Changed"}}},
    {"标签5", 0x1601001A, type_id::kLabel, 8, 16, 56, 24, "分组框2", {"输出宽度："}, kVisible, 0, {}},
    {"分组框2", 0x16010019, type_id::kGroupBox, 616, 9, 192, 143, "", {"图片信息"}, kVisible, 0, {}},
    {"按钮2", 0x16010018, type_id::kButton, 8, 144, 80, 24, "分组框1", {"生成图片"}, kVisible | kTabStop, 0, {{0, "MainWindow_DrawProductCode_Click"}}},
    {"编辑框4", 0x16010017, type_id::kEditBox, 64, 119, 120, 20, "分组框1", {}, kVisible | kTabStop, 12, {}},
    {"标签4", 0x16010016, type_id::kLabel, 8, 118, 56, 24, "分组框1", {"商品编码："}, kVisible, 0, {}},
    {"按钮1", 0x16010015, type_id::kButton, 104, 88, 80, 24, "分组框1", {"生成图片"}, kVisible | kTabStop, 0, {{0, "MainWindow_DrawFullCode_Click"}}},
    {"编辑框3", 0x16010013, type_id::kEditBox, 64, 66, 120, 20, "分组框1", {}, kVisible | kTabStop, 30, {}},
    {"标签3", 0x16010012, type_id::kLabel, 8, 64, 56, 24, "分组框1", {"完整编码："}, kVisible, 0, {}},
    {"编辑框2", 0x16010011, type_id::kEditBox, 64, 42, 120, 20, "分组框1", {}, kVisible | kTabStop, 11, {}},
    {"标签2", 0x16010010, type_id::kLabel, 8, 40, 56, 24, "分组框1", {"自主编码："}, kVisible, 0, {}},
    {"编辑框1", 0x1601000F, type_id::kEditBox, 64, 18, 120, 20, "分组框1", {}, kVisible | kTabStop, 10, {}},
    {"标签1", 0x1601000E, type_id::kLabel, 8, 16, 56, 24, "分组框1", {"固定编码："}, kVisible, 0, {}},
    {"横向标尺", 0x1601000B, type_id::kDrawPanel, 32, 0, 584, 32, "", {}, kVisible, 0, {}},
    {"纵向标尺", 0x16010004, type_id::kDrawPanel, 0, 32, 32, 520, "", {}, kVisible, 0, {}},
    {"挡板", 0x160100C8, type_id::kPictureBox, 616, 0, 200, 16, "", {}, kVisible, 0, {}},
    {"画板1", 0x1601000D, type_id::kDrawPanel, 32, 32, 512, 224, "", {}, kVisible, 0, {}},
};
const Expected kProductBatchComponents[] = {
    {"按钮3", 0x16010246, type_id::kButton, 365, 161, 20, 20, "", {".."}, kVisible | kTabStop, 0, {{0, "ProductBatch_ChooseDirectory_Click"}}},
    {"编辑框5", 0x16010245, type_id::kEditBox, 248, 162, 116, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签5", 0x16010244, type_id::kLabel, 192, 162, 56, 16, "", {"存放目录："}, kVisible, 0, {}},
    {"按钮2", 0x16010208, type_id::kButton, 196, 184, 184, 24, "", {"批量生成"}, kVisible | kTabStop, 0, {{0, "ProductBatch_BatchSave_Click"}}},
    {"编辑框4", 0x16010207, type_id::kEditBox, 0, 0, 192, 208, "", {}, kVisible | kTabStop, 0, {}},
    {"按钮1", 0x16010206, type_id::kButton, 8, 120, 176, 24, "分组框1", {"计算编码"}, kVisible | kTabStop, 0, {{0, "ProductBatch_ComputeCodes_Click"}}},
    {"编辑框3", 0x16010205, type_id::kEditBox, 72, 92, 112, 20, "分组框1", {}, kVisible | kTabStop, 0, {}},
    {"标签4", 0x16010204, type_id::kLabel, 8, 88, 56, 24, "分组框1", {"终止位置："}, kVisible, 0, {}},
    {"编辑框2", 0x16010203, type_id::kEditBox, 72, 66, 112, 20, "分组框1", {}, kVisible | kTabStop, 0, {}},
    {"标签3", 0x16010202, type_id::kLabel, 8, 64, 56, 24, "分组框1", {"起始位置："}, kVisible, 0, {}},
    {"标签2", 0x16010201, type_id::kLabel, 8, 40, 176, 24, "分组框1", {"自主编码"}, kVisible, 0, {}},
    {"编辑框1", 0x16010200, type_id::kEditBox, 72, 19, 112, 20, "分组框1", {}, kVisible | kTabStop, 0, {}},
    {"分组框1", 0x160101FE, type_id::kGroupBox, 192, 8, 192, 152, "", {"EAN13批量编码"}, kVisible, 0, {}},
    {"标签1", 0x160101FF, type_id::kLabel, 8, 16, 56, 24, "分组框1", {"固定编码："}, kVisible, 0, {}},
};
const Expected kCode39BatchComponents[] = {
    {"标签6", 0x16010271, type_id::kLabel, 192, 24, 192, 24, "", {"帮助信息"}, kVisible, 0, {{-1, "Code39Batch_Help_LeftDown"}}},
    {"编辑框6", 0x16010270, type_id::kEditBox, 248, 2, 136, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签4", 0x1601026F, type_id::kLabel, 192, 0, 56, 24, "", {"计算公式："}, kVisible, 0, {}},
    {"按钮1", 0x1601026E, type_id::kButton, 197, 128, 184, 24, "", {"生成编码信息"}, kVisible | kTabStop, 0, {{0, "Code39Batch_GenerateList_Click"}}},
    {"编辑框3", 0x1601026D, type_id::kEditBox, 248, 98, 136, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签3", 0x1601026C, type_id::kLabel, 192, 96, 56, 24, "", {"单次增加："}, kVisible, 0, {}},
    {"编辑框2", 0x1601026B, type_id::kEditBox, 248, 74, 136, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签2", 0x1601026A, type_id::kLabel, 192, 72, 56, 24, "", {"结束位置："}, kVisible, 0, {}},
    {"编辑框1", 0x16010269, type_id::kEditBox, 248, 50, 136, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签1", 0x16010268, type_id::kLabel, 192, 48, 56, 24, "", {"起始位置："}, kVisible, 0, {}},
    {"按钮3", 0x1601025A, type_id::kButton, 365, 161, 20, 20, "", {".."}, kVisible | kTabStop, 0, {{0, "Code39Batch_ChooseDirectory_Click"}}},
    {"编辑框5", 0x1601025B, type_id::kEditBox, 248, 162, 116, 20, "", {}, kVisible | kTabStop, 0, {}},
    {"标签5", 0x1601025C, type_id::kLabel, 192, 162, 56, 16, "", {"存放目录："}, kVisible, 0, {}},
    {"按钮2", 0x1601025D, type_id::kButton, 197, 184, 184, 24, "", {"批量生成"}, kVisible | kTabStop, 0, {{0, "Code39Batch_BatchSave_Click"}}},
    {"编辑框4", 0x1601025E, type_id::kEditBox, 0, 0, 184, 208, "", {}, kVisible | kTabStop, 0, {}},
};
const Expected kTutorialComponents[] = {
    {"标签1", 0x16010355, type_id::kLabel, 20, 350, 296, 26, "", {"微信扫描查看教程"}, kVisible, 0, {}},
    {"按钮1", 0x16010354, type_id::kButton, 8, 384, 312, 32, "", {"电脑直接查看"}, kVisible | kTabStop, 0, {{0, "Tutorial_OpenPage_Click"}}},
    {"图片框1", 0x16010353, type_id::kPictureBox, 0, 8, 336, 336, "", {}, kVisible, 0, {}},
};

std::span<const uint8_t> Area() {
  return std::span<const uint8_t>(app::kTemplateArea, app::kTemplateAreaSize);
}

const WindowRegistry& Registry() {
  static const WindowRegistry registry = WindowRegistry::BuildOrFail(
      Area(), std::span<const HandlerEntry>(app::kHandlerTable, app::kHandlerCount));
  return registry;
}

const Window& WindowOf(WindowId id) {
  const Window* w = Registry().Find(id);
  EXPECT_NE(w, nullptr) << std::hex << id;
  return *w;
}

template <typename Block>
Block Decoded(const Window& w, size_t index) {
  std::optional<Block> block = blocks::DecodeBlock<Block>(w.PropertyBlock(index));
  EXPECT_TRUE(block) << w.Component(index).name;
  return block.value_or(Block{});
}

// The texts a component shows, read from its property block.
std::vector<std::string> TextsOf(const Window& w, size_t index) {
  const ComponentRecord& c = w.Component(index);
  auto non_empty = [](const std::string& s) {
    return s.empty() ? std::vector<std::string>{} : std::vector<std::string>{s};
  };
  switch (c.type) {
    case type_id::kButton: return non_empty(Decoded<blocks::ButtonBlock>(w, index).caption);
    case type_id::kGroupBox: return non_empty(Decoded<blocks::GroupBoxBlock>(w, index).caption);
    case type_id::kLabel: return non_empty(Decoded<blocks::LabelBlock>(w, index).caption);
    case type_id::kEditBox: return non_empty(Decoded<blocks::EditBoxBlock>(w, index).content);
    case type_id::kComboBox: {
      std::vector<std::string> items;
      for (const auto& item : Decoded<blocks::ComboBoxBlock>(w, index).items) items.push_back(item.text);
      return items;
    }
    default: return {};
  }
}

// Checks the controls of a window, which follow its window component and menu run.
void ExpectControls(const Window& w, std::span<const Expected> expected) {
  runtime::MenuRun menu = w.Menu();
  size_t first = menu.count ? menu.first + menu.count : 1;
  ASSERT_EQ(w.ComponentCount() - first, expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const Expected& e = expected[i];
    const size_t index = first + i;
    const ComponentRecord& c = w.Component(index);
    SCOPED_TRACE(e.name);
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.type, e.type);
    EXPECT_FALSE(c.is_menu_item);
    EXPECT_EQ(c.left, e.left);
    EXPECT_EQ(c.top, e.top);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    ComponentId parent = 0;
    for (size_t k = 0; k < w.ComponentCount() && *e.parent; ++k) {
      if (w.Component(k).name == e.parent) parent = w.Component(k).id;
    }
    EXPECT_EQ(c.parent, parent);
    EXPECT_EQ(TextsOf(w, index), e.texts);
    EXPECT_EQ(c.flags, e.flags);
    EXPECT_EQ(c.focus_order, e.focus);
    EXPECT_TRUE(c.tag.empty());
    EXPECT_TRUE(c.remark.empty());
    EXPECT_EQ(c.event_source, 0u);
    ASSERT_EQ(c.events.size(), e.events.size());
    for (size_t k = 0; k < e.events.size(); ++k) {
      EXPECT_EQ(c.events[k].event, e.events[k].first);
      const HandlerEntry* handler = w.EventHandler(index, e.events[k].first);
      ASSERT_NE(handler, nullptr);
      EXPECT_EQ(handler->name, e.events[k].second);
    }
  }
}

TEST(Templates, AreaParsesToExactlyItsDeclaredSize) {
  ASSERT_TRUE(runtime::ParseTemplateArea(Area()).ok());
  EXPECT_FALSE(runtime::ParseTemplateArea(Area().first(Area().size() - 1)).ok());
  std::vector<uint8_t> longer(Area().begin(), Area().end());
  longer.push_back(0);
  EXPECT_FALSE(runtime::ParseTemplateArea(longer).ok());
}

TEST(Templates, WindowTableAndWindowComponents) {
  struct Row {
    WindowId id;
    ComponentId component;
    int32_t width, height;
    uint32_t header1, header2;
    std::vector<int32_t> events;
  };
  const Row rows[] = {
      {0x52010001, 0x06010000, 816, 720, 0, 0x19010005, {0, 2, 4}},
      // The batch windows' destroying event stops a run in progress.
      {0x520101FC, 0x060101FB, 393, 241, 0, 0x19010209, {2}},
      {0x52010258, 0x06010259, 393, 241, 0, 0x19010272, {2}},
      {0x52010352, 0x06010351, 343, 452, 45026192, 0x19010356, {}},
  };
  ASSERT_EQ(Registry().Count(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const Row& r = rows[i];
    const Window& w = Registry().At(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(w.Id(), r.id);
    EXPECT_EQ(w.Template().header_word1, r.header1);
    EXPECT_EQ(w.Template().header_word2, r.header2);
    EXPECT_TRUE(w.Template().text1.empty());
    EXPECT_TRUE(w.Template().text2.empty());
    const ComponentRecord& c = w.Component(0);
    EXPECT_EQ(c.id, r.component);
    EXPECT_EQ(c.type, type_id::kWindow);
    EXPECT_EQ(c.left, 50);
    EXPECT_EQ(c.top, 50);
    EXPECT_EQ(c.width, r.width);
    EXPECT_EQ(c.height, r.height);
    EXPECT_EQ(c.flags, kVisible) << "visible, enabled, no tab stop";
    EXPECT_TRUE(c.cursor.empty());
    EXPECT_TRUE(c.tag.empty());
    EXPECT_TRUE(c.name.empty());
    std::vector<int32_t> events;
    for (const auto& ev : c.events) events.push_back(ev.event);
    EXPECT_EQ(events, r.events);
  }
  const Window& main = WindowOf(0x52010001);
  EXPECT_STREQ(main.EventHandler(0, 0)->name, "MainWindow_Created");
  EXPECT_STREQ(main.EventHandler(0, 2)->name, "MainWindow_Destroying");
  EXPECT_STREQ(main.EventHandler(0, 4)->name, "MainWindow_Sized");
}

TEST(Templates, WindowOptions) {
  struct Row {
    WindowId id;
    const char* caption;
    uint32_t border;
    uint32_t back;
  };
  const Row rows[] = {{0x52010001, "Barvell", 1, 0xFF000000},
                      {0x520101FC, "商品编码", 2, 0xFF000000},
                      {0x52010258, "CODE39批量编码", 2, 0xFF000000},
                      {0x52010352, "软件教程", 2, 0x00FFFFFF}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caption);
    blocks::WindowBlock b = Decoded<blocks::WindowBlock>(WindowOf(r.id), 0);
    EXPECT_EQ(b.version, 6u);
    EXPECT_EQ(b.caption, r.caption);
    EXPECT_EQ(b.border, r.border);
    EXPECT_EQ(b.back_colour, r.back);
    EXPECT_EQ(b.picture_placement, 1u);
    EXPECT_EQ(b.maximise_box, 0u);
    EXPECT_EQ(b.minimise_box, 1u);
    EXPECT_EQ(b.control_box, 1u);
    EXPECT_EQ(b.start_position, 1u);
    EXPECT_EQ(b.movable, 1u);
    EXPECT_EQ(b.sound_mode, 0u);
    EXPECT_EQ(b.enter_moves_focus, 0u);
    EXPECT_EQ(b.esc_closes, 1u);
    EXPECT_EQ(b.f1_help, 0u);
    EXPECT_EQ(b.help_context, 0u);
    EXPECT_EQ(b.taskbar, 1u);
    EXPECT_EQ(b.drag, 0u);
    EXPECT_EQ(b.tray_icon, 0u);
    EXPECT_EQ(b.always_on_top, 0u);
    EXPECT_EQ(b.option19, 0u);
    EXPECT_TRUE(b.class_name.empty());
    EXPECT_TRUE(b.back_picture.empty());
    EXPECT_TRUE(b.icon.empty());
    EXPECT_TRUE(b.sound.empty());
    EXPECT_TRUE(b.help_file.empty());
  }
}

TEST(Templates, MainWindowMenuRun) {
  const Window& main = WindowOf(0x52010001);
  runtime::MenuRun run = main.Menu();
  EXPECT_EQ(run.first, 1u);
  ASSERT_EQ(run.count, 3u);
  struct Row {
    ComponentId id;
    uint32_t level;
    const char* caption;
    const char* handler;
  };
  const Row rows[] = {{0x26010328, 0, "帮助", nullptr},
                      {0x26010329, 1, "教程", "MainWindow_ShowTutorial"},
                      {0x2601034E, 1, "关于", "MainWindow_ShowAbout"}};
  for (size_t i = 0; i < 3; ++i) {
    const ComponentRecord& c = main.Component(run.first + i);
    SCOPED_TRACE(rows[i].caption);
    EXPECT_EQ(c.id, rows[i].id);
    EXPECT_TRUE(c.is_menu_item);
    EXPECT_EQ(c.type, type_id::kMenuItem);
    EXPECT_EQ(c.level, rows[i].level);
    EXPECT_EQ(c.caption, rows[i].caption);
    EXPECT_EQ(c.menu_flags, 0u);
    EXPECT_EQ(c.shortcut, 0u);
    EXPECT_TRUE(c.name.empty());
    const HandlerEntry* handler = main.MenuHandler(run.first + i);
    if (rows[i].handler) {
      ASSERT_NE(handler, nullptr);
      EXPECT_STREQ(handler->name, rows[i].handler);
    } else {
      EXPECT_EQ(handler, nullptr);
    }
  }
}

TEST(Templates, MainWindowComponents) { ExpectControls(WindowOf(0x52010001), kMainComponents); }
TEST(Templates, ProductBatchComponents) {
  const Window& w = WindowOf(0x520101FC);
  EXPECT_EQ(w.Menu().count, 0u);
  ExpectControls(w, kProductBatchComponents);
}
TEST(Templates, Code39BatchComponents) {
  const Window& w = WindowOf(0x52010258);
  EXPECT_EQ(w.Menu().count, 0u);
  ExpectControls(w, kCode39BatchComponents);
}
TEST(Templates, TutorialComponents) {
  const Window& w = WindowOf(0x52010352);
  EXPECT_EQ(w.Menu().count, 0u);
  ExpectControls(w, kTutorialComponents);
}

TEST(Templates, GroupBoxesHoldTheirControlsInTemplateOrder) {
  for (size_t wi = 0; wi < Registry().Count(); ++wi) {
    const Window& w = Registry().At(wi);
    for (size_t i = 0; i < w.ComponentCount(); ++i) {
      const ComponentRecord& c = w.Component(i);
      std::vector<ComponentId> children;
      for (size_t k = 0; k < w.ComponentCount(); ++k) {
        if (w.Component(k).parent == c.id && !w.Component(k).is_menu_item) {
          children.push_back(w.Component(k).id);
        }
      }
      EXPECT_EQ(c.contains, children) << c.name;
      if (c.type == type_id::kGroupBox) {
        EXPECT_FALSE(children.empty()) << c.name;
      }
    }
  }
  const Window& main = WindowOf(0x52010001);
  EXPECT_EQ(main.ComponentById(0x1601000C)->contains.size(), 16u) << "编码信息";
}

TEST(Templates, OnlyTheHelpLabelHasTheHandCursor) {
  for (size_t wi = 0; wi < Registry().Count(); ++wi) {
    const Window& w = Registry().At(wi);
    for (size_t i = 0; i < w.ComponentCount(); ++i) {
      const ComponentRecord& c = w.Component(i);
      if (w.Id() == 0x52010258 && c.id == 0x16010271) {
        EXPECT_EQ(c.cursor, (std::vector<uint8_t>{0x89, 0x7F, 0x00, 0x00}));
      } else {
        EXPECT_TRUE(c.cursor.empty()) << c.name;
      }
    }
  }
}

size_t IndexOf(const Window& w, ComponentId id) {
  std::optional<size_t> index = w.FindComponent(id);
  EXPECT_TRUE(index) << std::hex << id;
  return index.value_or(0);
}

TEST(Templates, MainWindowEditBoxInputModes) {
  const Window& w = WindowOf(0x52010001);
  const std::pair<ComponentId, uint32_t> modes[] = {
      {0x1601000F, 3}, {0x16010011, 3}, {0x16010017, 3},  // fixed, self, product code
      {0x1601001B, 3}, {0x1601001E, 3}, {0x16010022, 3},  // width, height, resolution
      {0x16010025, 3}, {0x1601006B, 3}, {0x1601006D, 3},  // line, bar height, guard
      {0x16010146, 3}, {0x160100B6, 3}, {0x160100B9, 3},  // font size, margins
      {0x16010013, 1},                                     // full code: read-only
      {0x16010142, 0},                                     // Code 39 text
  };
  for (auto [id, mode] : modes) {
    blocks::EditBoxBlock b = Decoded<blocks::EditBoxBlock>(w, IndexOf(w, id));
    EXPECT_EQ(b.input_mode, mode) << std::hex << id;
    EXPECT_EQ(b.multi_line, 0u);
  }
}

TEST(Templates, BatchCodeListsAreEditableMultiLineBoxes) {
  for (auto [window, list] : {std::pair<WindowId, ComponentId>{0x520101FC, 0x16010207},
                              std::pair<WindowId, ComponentId>{0x52010258, 0x1601025E}}) {
    const Window& w = WindowOf(window);
    blocks::EditBoxBlock b = Decoded<blocks::EditBoxBlock>(w, IndexOf(w, list));
    EXPECT_EQ(b.multi_line, 1u);
    EXPECT_EQ(b.scroll_bars, blocks::scroll_bars::kVertical);
    EXPECT_EQ(b.input_mode, blocks::input_mode::kNormal) << "codes may be typed or pasted";
    EXPECT_TRUE(b.content.empty());
  }
}

TEST(Templates, SaveFormatComboBox) {
  const Window& w = WindowOf(0x52010001);
  blocks::ComboBoxBlock b = Decoded<blocks::ComboBoxBlock>(w, IndexOf(w, 0x16010029));
  EXPECT_EQ(b.style, blocks::ComboBoxBlock::kDropDownList);
  EXPECT_EQ(b.items, (std::vector<blocks::ComboItem>{{"PNG", 5}, {"JPG", 2}, {"BMP", 1}}));
  EXPECT_EQ(b.current_selection, 0u);
}

TEST(Templates, SaveDialogSettings) {
  const Window& w = WindowOf(0x52010001);
  blocks::CommonDialogBlock b = Decoded<blocks::CommonDialogBlock>(w, IndexOf(w, 0x160101F1));
  EXPECT_EQ(b.dialog_kind, 1u);
  EXPECT_EQ(b.title, "图片保存");
  EXPECT_EQ(b.filter, "PNG图片|*.png|JPG图片|*.jpg|BMP图片|*.bmp");
  EXPECT_EQ(b.default_extension, "*.png|*.jpg|*.bmp");
  EXPECT_EQ(b.filter_index, 0u);
  EXPECT_EQ(b.file_must_exist, 1u);
  EXPECT_EQ(b.overwrite_prompt, 1u);
  EXPECT_EQ(b.path_must_exist, 1u);
  EXPECT_EQ(b.create_prompt, 0u);
  EXPECT_EQ(b.keep_current_directory, 0u);
  EXPECT_TRUE(b.file_name.empty());
  EXPECT_TRUE(b.initial_directory.empty());
}

TEST(Templates, ColourPickersDrawPanelsAndBars) {
  const Window& w = WindowOf(0x52010001);
  blocks::ColourPickerBlock first = Decoded<blocks::ColourPickerBlock>(w, IndexOf(w, 0x16010066));
  EXPECT_EQ(first.colour, 0x00FFFFFFu);
  EXPECT_EQ(first.allow_transparent, 0u);
  EXPECT_TRUE(w.PropertyBlock(IndexOf(w, 0x16010068)).empty()) << "second picker: no data";
  EXPECT_TRUE(w.PropertyBlock(IndexOf(w, 0x16010071)).empty()) << "third picker: no data";

  for (auto [id, back] : {std::pair<ComponentId, uint32_t>{0x1601000D, 0x00FFFFFF},
                          {0x1601000B, 0xFF000000}, {0x16010004, 0xFF000000}}) {
    blocks::DrawPanelBlock p = Decoded<blocks::DrawPanelBlock>(w, IndexOf(w, id));
    SCOPED_TRACE(std::to_string(id));
    EXPECT_EQ(p.back_colour, back);
    EXPECT_EQ(p.auto_redraw, 1u);
    EXPECT_EQ(p.coordinate_unit, 0u);
    EXPECT_EQ(p.pen_style, 1u);
    EXPECT_EQ(p.pen_width, 0u);
    EXPECT_EQ(p.pen_colour, 0u);
    EXPECT_EQ(p.draw_mode, 12u);
    EXPECT_EQ(p.brush_style, 1u);
    EXPECT_EQ(p.brush_colour, 0x00FFFFFFu);
    EXPECT_EQ(p.text_colour, 0u);
    EXPECT_EQ(p.text_back_colour, 0xFF000000u);
    EXPECT_EQ(p.border_style, 0u);
    EXPECT_TRUE(p.font.empty());
    EXPECT_TRUE(p.back_picture.empty());
  }

  EXPECT_EQ(Decoded<blocks::SuperBarBlock>(w, IndexOf(w, 0x16010032)).orientation, 0u);
  EXPECT_EQ(Decoded<blocks::SuperBarBlock>(w, IndexOf(w, 0x16010033)).orientation, 1u);
  EXPECT_EQ(Decoded<blocks::SuperBarBlock>(w, IndexOf(w, 0x16010032)).position, 0u);
}

TEST(Templates, HandlerTableMatchesTheTemplates) {
  ASSERT_GT(app::kHandlerCount, 0u);
  for (size_t i = 0; i < app::kHandlerCount; ++i) {
    EXPECT_NE(app::kHandlerTable[i].function, nullptr)
        << app::kHandlerTable[i].name << " is named but not bound";
    for (size_t k = 0; k < i; ++k) {
      EXPECT_STRNE(app::kHandlerTable[i].name, app::kHandlerTable[k].name);
    }
  }
}

// From the source tree, not from __FILE__: a cached compile may hold it relative to
// another directory, and running the program moves the current directory.
const std::filesystem::path kTutorialText =
    std::filesystem::path(BARVELL_SOURCE_DIR) / "app/templates/tutorial.txt";

std::filesystem::path TutorialText() { return kTutorialText; }

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<uint8_t> TutorialPicture() {
  const Window& w = WindowOf(0x52010352);
  return Decoded<blocks::PictureBoxBlock>(w, IndexOf(w, 0x16010353)).picture;
}

TEST(Templates, TutorialPictureIsAPngThatFitsItsBox) {
  std::vector<uint8_t> png = TutorialPicture();
  ASSERT_GT(png.size(), 24u);
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));
  auto be32 = [&](size_t at) {
    return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 | png[at + 3];
  };
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_LE(be32(16), 336u);
  EXPECT_LE(be32(20), 336u);
  EXPECT_GT(be32(16), 100u) << "large enough to scan from the screen";
}

TEST(Templates, TutorialPictureScansToTheTutorialText) {
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no zbarimg";
  // Named per process: test runs of other builds share the temporary directory.
  std::filesystem::path png = std::filesystem::temp_directory_path() /
                              ("barvell_tutorial_qr_" + std::to_string(getpid()) + ".png");
  std::vector<uint8_t> bytes = TutorialPicture();
  std::ofstream(png, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::string command = "zbarimg --raw -q " + png.string() + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string decoded;
  char buf[512];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) decoded.append(buf, n);
  pclose(pipe);
  std::filesystem::remove(png);
  if (!decoded.empty() && decoded.back() == '\n') decoded.pop_back();
  std::string text = ReadAll(TutorialText());
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(decoded, text);
}

}  // namespace
}  // namespace barvell
