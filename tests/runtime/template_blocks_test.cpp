// Property blocks: the fixed layouts of the window, draw panel, common dialog and colour
// picker blocks, versions, defaults and short blocks.
#include "runtime/controls/property_blocks.h"

#include <gtest/gtest.h>

namespace barvell::runtime::controls {
namespace {

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
  std::vector<uint8_t> out;
  for (uint32_t w : words) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(w >> (8 * i)));
  }
  return out;
}

void AppendCounted(std::vector<uint8_t>& out, std::string_view s) {
  std::vector<uint8_t> n = Words({uint32_t(s.size())});
  out.insert(out.end(), n.begin(), n.end());
  out.insert(out.end(), s.begin(), s.end());
}

TEST(TemplateBlocks, WindowVersion6Layout) {
  WindowBlock w;
  w.border = 1;
  w.back_colour = 0x00FFFFFF;
  w.caption = "Barvell";
  w.class_name = "K";
  std::vector<uint8_t> bytes = EncodeBlock(w);
  // 19 words, the class name, three empty byte strings, caption and help file.
  std::vector<uint8_t> expected =
      Words({6, 1, 1, 0x00FFFFFF, 0, 1, 1, 1, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0});
  AppendCounted(expected, "K");
  for (int i = 0; i < 3; ++i) AppendCounted(expected, "");
  AppendCounted(expected, "Barvell");
  AppendCounted(expected, "");
  EXPECT_EQ(bytes, expected);
}

TEST(TemplateBlocks, OlderWindowVersionsLackTheLaterOptions) {
  // Version 1: fourteen words, then the byte strings and texts; no class name.
  std::vector<uint8_t> bytes = Words({1, 2, 0, 0xFF000000, 0, 1, 1, 1, 1, 0, 0, 1, 0, 0});
  for (int i = 0; i < 3; ++i) AppendCounted(bytes, "");
  AppendCounted(bytes, "cap");
  AppendCounted(bytes, "");
  std::optional<WindowBlock> w = DecodeBlock<WindowBlock>(bytes);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "cap");
  EXPECT_EQ(w->taskbar, 1u) << "absent options keep their defaults";
  EXPECT_EQ(EncodeBlock(*w), bytes);
}

TEST(TemplateBlocks, VersionsOutOfRangeAreInvalid) {
  std::vector<uint8_t> window = EncodeBlock(WindowBlock{});
  window[0] = 7;
  EXPECT_FALSE(DecodeBlock<WindowBlock>(window));
  window[0] = 0;
  EXPECT_FALSE(DecodeBlock<WindowBlock>(window));

  std::vector<uint8_t> panel = EncodeBlock(DrawPanelBlock{});
  panel[0] = 2;
  EXPECT_FALSE(DecodeBlock<DrawPanelBlock>(panel));
  EXPECT_FALSE(DecodeBlock<ColourPickerBlock>(Words({2, 0, 0})));
  EXPECT_FALSE(DecodeBlock<EditBoxBlock>(Words({2, 0, 0, 0, 0, 0, 0, 0})));
}

TEST(TemplateBlocks, EmptyBlocksGiveTheDefaults) {
  std::optional<DrawPanelBlock> panel = DecodeBlock<DrawPanelBlock>({});
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->back_colour, 0xFF000000u);
  EXPECT_EQ(panel->back_picture_mode, 1u);
  EXPECT_EQ(panel->pen_style, 1u);
  EXPECT_EQ(panel->draw_mode, 12u);
  EXPECT_EQ(panel->brush_style, 1u);
  EXPECT_EQ(panel->brush_colour, 0x00FFFFFFu);
  EXPECT_EQ(panel->text_back_colour, 0xFF000000u);
  std::optional<ColourPickerBlock> picker = DecodeBlock<ColourPickerBlock>({});
  ASSERT_TRUE(picker);
  EXPECT_EQ(picker->colour, 0u);
  EXPECT_EQ(picker->allow_transparent, 0u);
}

TEST(TemplateBlocks, DrawPanelOffsets) {
  DrawPanelBlock p;
  p.back_colour = 0x00FFFFFF;
  p.auto_redraw = 1;
  p.font = std::vector<uint8_t>(60, 7);
  p.back_picture = {1, 2, 3};
  std::vector<uint8_t> bytes = EncodeBlock(p);
  ASSERT_EQ(bytes.size(), 56u + 4 + 60 + 4 + 3);
  EXPECT_EQ(bytes[8], 0xFF) << "BackColor at offset 8";
  EXPECT_EQ(bytes[16], 1) << "AutoRedraw at offset 16";
  EXPECT_EQ(bytes[28], 12) << "DrawMode at offset 28";
  EXPECT_EQ(bytes[56], 60) << "font byte count at offset 56";
  EXPECT_EQ(bytes[60 + 60], 3) << "picture byte count at 60 + n";
}

TEST(TemplateBlocks, CommonDialogLayout) {
  CommonDialogBlock d;
  d.dialog_kind = 1;
  d.overwrite_prompt = 1;
  d.title = "T";
  d.default_extension = "E";
  std::vector<uint8_t> bytes = EncodeBlock(d);
  ASSERT_EQ(bytes.size(), 4u + 15 * 4 + 6 * 4 + 2);
  EXPECT_EQ(bytes[4], 1) << "DialogKind first";
  EXPECT_EQ(bytes[4 + 4 * 4], 1) << "OverwritePrompt fifth";
  EXPECT_EQ(bytes[64], 1) << "title count after the fifteen values";
  EXPECT_EQ(bytes[68], 'T');
}

TEST(TemplateBlocks, ShortBlocksAreInvalid) {
  std::vector<uint8_t> bytes = EncodeBlock(ComboBoxBlock{1, 2, 0, "", {{"PNG", 5}, {"JPG", 2}}});
  for (size_t n = 1; n < bytes.size(); ++n) {
    EXPECT_FALSE(DecodeBlock<ComboBoxBlock>(std::span(bytes.data(), n))) << n;
  }
  std::optional<ComboBoxBlock> combo = DecodeBlock<ComboBoxBlock>(bytes);
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->items, (std::vector<ComboItem>{{"PNG", 5}, {"JPG", 2}}));

  std::vector<uint8_t> huge = Words({1, 2, 0, 0, 0x10000000});
  EXPECT_FALSE(DecodeBlock<ComboBoxBlock>(huge)) << "an item count that cannot fit";
  std::vector<uint8_t> long_text = Words({1, 0xFFFFFFF0});
  EXPECT_FALSE(DecodeBlock<ButtonBlock>(long_text));
}

TEST(TemplateBlocks, EveryTypeWithABlockRoundTrips) {
  const TypeId types[] = {type_id::kWindow,       type_id::kDrawPanel, type_id::kCommonDialog,
                          type_id::kColourPicker, type_id::kEditBox,   type_id::kLabel,
                          type_id::kButton,       type_id::kGroupBox,  type_id::kComboBox,
                          type_id::kPictureBox,   type_id::kStatusBar, type_id::kSuperBar};
  for (TypeId type : types) {
    bool known = WithBlockFor(type, [&](auto& block) {
      using Block = std::remove_reference_t<decltype(block)>;
      std::vector<uint8_t> bytes = EncodeBlock(block);
      std::optional<Block> decoded = DecodeBlock<Block>(bytes);
      ASSERT_TRUE(decoded) << std::hex << type;
      EXPECT_EQ(EncodeBlock(*decoded), bytes) << std::hex << type;
    });
    EXPECT_TRUE(known) << std::hex << type;
  }
  EXPECT_FALSE(WithBlockFor(type_id::kMenuItem, [](auto&) {}));
}

}  // namespace
}  // namespace barvell::runtime::controls
