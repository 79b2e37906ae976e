// The template compiler and its dump: sources compile to the intended records, mistakes
// are reported with their line, and any area dumps to text that compiles back to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/controls/property_blocks.h"
#include "tools/gbk_text.h"
#include "tools/handler_names.h"
#include "tools/template_compiler.h"
#include "tools/template_dump.h"

namespace barvell::tools {
namespace {

using runtime::WindowSource;
namespace blocks = runtime::controls;

const HandlerNames& Handlers() {
  static const HandlerNames names = [] {
    std::string error;
    auto parsed = HandlerNames::Parse(
        "// comment\n\nBARVELL_HANDLER(Created)\n  BARVELL_HANDLER(Clicked)\r\n"
        "BARVELL_HANDLER(Help)\n",
        &error);
    EXPECT_TRUE(parsed) << error;
    return *parsed;
  }();
  return names;
}

// GBK bytes of the Chinese texts used below.
const std::string kGroupGbk = "\xB7\xD6\xD7\xE9\xBF\xF2\x31";  // 分组框1
const std::string kHelpGbk = "\xB0\xEF\xD6\xFA";                // 帮助

constexpr const char* kSource = R"(# a small window
window 0x52010001
header 0 0x19010005

component 0x06010000 window
  rect 50 50 393 241
  flags visible
  on 0 Created
  props
    version 6
    caption "窗口"

component 0x26010328 menu_item
  level 0
  caption "帮助"
  handler Help
  shortcut 27
  menu_flags disabled checked

component 0x16010015 button "按钮1"
  rect 8 120 176 24
  in "分组框1"
  flags visible tab_stop
  focus 3
  on 0 Clicked
  on -1 none
  props
    version 1
    caption "计算"

component 0x1601000C group_box "分组框1"
  rect 192 8 192 152
  flags visible
  props
    caption "组"

component 0x16010271 label "标签6"
  rect 0 0 10 10
  cursor hand
  tag "t\"q\x80"
  props
    text_colour 0x00FF0000

component 0x16010029 combo_box "组合框1"
  rect 0 0 56 20
  props
    style 2
    items "PNG" 5 "JPG" -2
)";

std::vector<WindowSource> CompileOk(std::string_view text) {
  TemplateCompiler compiler({&Handlers(), {}});
  std::string error;
  EXPECT_TRUE(compiler.AddSource(text, "test.tpl", &error)) << error;
  return compiler.Windows();
}

std::string CompileError(std::string_view text) {
  TemplateCompiler compiler({&Handlers(), {}});
  std::string error;
  EXPECT_FALSE(compiler.AddSource(text, "test.tpl", &error));
  return error;
}

TEST(TemplateCompiler, CompilesRecordsAndBlocks) {
  std::vector<WindowSource> windows = CompileOk(kSource);
  ASSERT_EQ(windows.size(), 1u);
  const WindowSource& w = windows[0];
  EXPECT_EQ(w.id, 0x52010001u);
  EXPECT_EQ(w.header_word2, 0x19010005u);
  ASSERT_EQ(w.components.size(), 6u);

  const auto& window = w.components[0].record;
  EXPECT_EQ(window.events, (std::vector<runtime::EventBinding>{{0, 0}}));
  auto wb = blocks::DecodeBlock<blocks::WindowBlock>(w.components[0].property_block);
  ASSERT_TRUE(wb);
  EXPECT_EQ(wb->caption, "\xB4\xB0\xBF\xDA");  // 窗口

  const auto& menu = w.components[1].record;
  EXPECT_TRUE(menu.is_menu_item);
  EXPECT_EQ(menu.caption, kHelpGbk);
  EXPECT_EQ(menu.handler_offset, 16) << "third entry of the handler list";
  EXPECT_EQ(menu.shortcut, 27u);
  EXPECT_EQ(menu.menu_flags, 6u);
  EXPECT_TRUE(w.components[1].property_block.empty());

  const auto& button = w.components[2].record;
  EXPECT_EQ(button.parent, 0x1601000Cu) << "a container named before it is defined";
  EXPECT_EQ(button.flags, 5u);
  EXPECT_EQ(button.focus_order, 3u);
  EXPECT_EQ(button.events, (std::vector<runtime::EventBinding>{{0, 8}, {-1, -1}}));

  const auto& group = w.components[3].record;
  EXPECT_EQ(group.name, kGroupGbk);
  EXPECT_EQ(group.contains, std::vector<ComponentId>{0x16010015}) << "derived contents";
  auto gb = blocks::DecodeBlock<blocks::GroupBoxBlock>(w.components[3].property_block);
  ASSERT_TRUE(gb);
  EXPECT_EQ(gb->version, 1u) << "fields not given keep their defaults";

  const auto& label = w.components[4].record;
  EXPECT_EQ(label.cursor, (std::vector<uint8_t>{0x89, 0x7F, 0, 0}));
  EXPECT_EQ(label.tag, "t\"q\x80");
  EXPECT_EQ(label.flags, 0u);

  auto combo = blocks::DecodeBlock<blocks::ComboBoxBlock>(w.components[5].property_block);
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->items, (std::vector<blocks::ComboItem>{{"PNG", 5}, {"JPG", -2}}));
}

TEST(TemplateCompiler, MistakesNameTheirLine) {
  const std::string head = "window 0x52010001\ncomponent 0x06010000 window\n";
  EXPECT_EQ(CompileError(head + "  on 0 Missing\n"), "test.tpl:3: unknown handler Missing");
  EXPECT_EQ(CompileError(head + "  props\n    caption \"x\"\n    bogus 1\n"),
            "test.tpl:5: field bogus is not part of this block");
  EXPECT_EQ(CompileError(head + "  props\n    version 1\n    class_name \"x\"\n"),
            "test.tpl:5: field class_name is not part of this block")
      << "the class name exists from version 6 only";
  EXPECT_EQ(CompileError(head + "component 0x16010015 button\n  in \"nobody\"\n"),
            "test.tpl:4: no component named nobody");
  EXPECT_EQ(CompileError(head + "component 0x06010000 label\n"),
            "test.tpl:3: component id given twice");
  EXPECT_EQ(CompileError(head + "  rect 1 2 3\n"), "test.tpl:3: 'rect' takes 4 value(s)");
  EXPECT_EQ(CompileError(head + "  level 1\n"), "test.tpl:3: 'level' is a menu item field");
  EXPECT_EQ(CompileError(head + "  tag \"\xF0\x9F\x98\x80\"\n"),
            "test.tpl:3: text has a character that GBK lacks");
  EXPECT_EQ(CompileError(head + "  tag \"open\n"), "test.tpl:3: unterminated text");
  EXPECT_EQ(CompileError(head + "  focus 0x100000000\n"),
            "test.tpl:3: not a 32-bit number: 0x100000000");
  EXPECT_EQ(CompileError("window 1\ncomponent 0x16010015 button\n"),
            "test.tpl:2: a window starts with its window component");
  EXPECT_EQ(CompileError("component 0x16010015 button\n"), "test.tpl:1: component before any window");
}

TEST(TemplateCompiler, DumpCompilesBackToTheSameBytes) {
  std::vector<WindowSource> windows = CompileOk(kSource);
  // Things the sources above do not write: a block that does not decode, a type without a
  // block layout, an offset outside the handler list, explicit contents with a page
  // separator, header texts with awkward bytes.
  windows[0].text1 = "a\r\n\\\x81";
  windows[0].components[3].record.contains = {0x16010015, 0, 0x16010015};
  windows[0].components[4].record.events = {{-6, 800}};
  windows[0].components[5].property_block = {9, 0, 0, 0};
  runtime::ComponentSource odd;
  odd.record.id = 0x16010300;
  odd.record.type = 0x00050001;
  odd.property_block = {1, 2, 3};
  windows[0].components.push_back(odd);
  const std::vector<uint8_t> area = runtime::EncodeTemplateArea(windows);

  std::string text = DumpWindows(windows, &Handlers());
  EXPECT_NE(text.find("props raw \"09000000\""), std::string::npos) << text;
  EXPECT_NE(text.find("on -6 @800"), std::string::npos) << text;
  EXPECT_NE(text.find("handler Help"), std::string::npos) << text;
  EXPECT_NE(text.find("\"分组框1\""), std::string::npos) << "names in UTF-8";
  std::vector<WindowSource> again = CompileOk(text);
  EXPECT_EQ(runtime::EncodeTemplateArea(again), area);
}

TEST(TemplateCompiler, FileValuesAreFoundInTheSearchFolders) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "barvell_tc_test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "pic.bin", std::ios::binary) << std::string("\x89PNG\0x", 6);
  std::string source =
      "window 1\ncomponent 0x06010000 window\n"
      "component 0x16010353 picture_box\n  props\n    picture file \"pic.bin\"\n";
  TemplateCompiler compiler({&Handlers(), {dir.string()}});
  std::string error;
  ASSERT_TRUE(compiler.AddSource(source, "/nowhere/t.tpl", &error)) << error;
  auto block = blocks::DecodeBlock<blocks::PictureBoxBlock>(
      compiler.Windows()[0].components[1].property_block);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->picture, (std::vector<uint8_t>{0x89, 'P', 'N', 'G', 0, 'x'}));
  std::filesystem::remove_all(dir);

  TemplateCompiler without({&Handlers(), {}});
  EXPECT_FALSE(without.AddSource(source, "/nowhere/t.tpl", &error));
  EXPECT_EQ(error, "/nowhere/t.tpl:5: cannot find file pic.bin");
}

TEST(TemplateCompiler, GbkLiteralsRoundTripEveryByteString) {
  // Valid characters stay readable; lone lead bytes, 0x80 and 0xFF become escapes.
  EXPECT_EQ(GbkToLiteral(kHelpGbk), "\"帮助\"");
  EXPECT_EQ(GbkToLiteral("\x80\xFF\x81"), "\"\\x80\\xFF\\x81\"");
  for (int b = 0; b < 256; ++b) {
    std::string bytes = {char(b), char(0xB0), char(0xEF), char(b)};
    std::string text = "window 1\ntexts " + GbkToLiteral(bytes) +
                       " \"\"\ncomponent 0x06010000 window\n";
    std::vector<WindowSource> windows = CompileOk(text);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].text1, bytes) << b;
  }
}

TEST(TemplateCompiler, HandlerListOffsetsAndMistakes) {
  EXPECT_EQ(Handlers().OffsetOf("Created"), 0);
  EXPECT_EQ(Handlers().OffsetOf("Help"), 16);
  EXPECT_EQ(Handlers().NameAt(8), "Clicked");
  EXPECT_FALSE(Handlers().NameAt(24));
  EXPECT_FALSE(Handlers().NameAt(4));
  std::string error;
  EXPECT_FALSE(HandlerNames::Parse("BARVELL_HANDLER(A)\nBARVELL_HANDLER(A)\n", &error));
  EXPECT_EQ(error, "line 2: empty or repeated handler name");
  EXPECT_FALSE(HandlerNames::Parse("void f();\n", &error));
}

}  // namespace
}  // namespace barvell::tools
