// The template area parser: every field read back, every malformation refused.
#include "runtime/templates/template_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace barvell::runtime {
namespace {

ComponentSource WindowComponent(ComponentId id) {
  ComponentSource c;
  c.record.id = id;
  c.record.type = type_id::kWindow;
  c.record.left = 50;
  c.record.top = 50;
  c.record.width = 393;
  c.record.height = 241;
  c.record.flags = component_flag::kVisible;
  c.record.events = {{0, 0}, {2, 16}};
  c.property_block = {6, 0, 0, 0};
  return c;
}

ComponentSource MenuItem(ComponentId id, uint32_t level, std::string caption, int32_t handler) {
  ComponentSource c;
  c.record.id = id;
  c.record.type = type_id::kMenuItem;
  c.record.is_menu_item = true;
  c.record.level = level;
  c.record.caption = std::move(caption);
  c.record.handler_offset = handler;
  c.record.shortcut = 27;
  c.record.menu_flags = menu_flag::kChecked;
  return c;
}

ComponentSource Control(ComponentId id, TypeId type, std::string name) {
  ComponentSource c;
  c.record.id = id;
  c.record.type = type;
  c.record.name = std::move(name);
  c.record.left = -4;
  c.record.top = 7;
  c.record.width = 120;
  c.record.height = 20;
  c.record.flags = component_flag::kVisible | component_flag::kTabStop;
  c.record.focus_order = 30;
  return c;
}

// Two windows: one with a menu run and a group box holding a labelled control with a hand
// cursor, one with only its window component.
std::vector<WindowSource> Sample() {
  WindowSource a{0x52010001, 0, 0x19010005, "", "", {}};
  a.components.push_back(WindowComponent(0x06010000));
  a.components.push_back(MenuItem(0x26010328, 0, "帮助", kNoHandler));
  a.components.push_back(MenuItem(0x26010329, 1, "教程", 8));
  ComponentSource group = Control(0x1601000C, type_id::kGroupBox, "分组框1");
  group.record.contains = {0x160101FA, 0, 0x16010012};
  group.property_block = {1, 0, 0, 0, 4, 0, 0, 0, 'a', 'b', 'c', 'd'};
  a.components.push_back(group);
  ComponentSource label = Control(0x160101FA, type_id::kLabel, "标签6");
  label.record.parent = 0x1601000C;
  label.record.cursor = {0x89, 0x7F, 0, 0};
  label.record.tag = "tag";
  label.record.remark = "remark";
  label.record.event_source = 0x16010012;
  label.record.events = {{-1, 24}, {0, kNoHandler}};
  a.components.push_back(label);
  WindowSource b{0x52010352, 45026192, 0x19010356, "one", "two", {}};
  b.components.push_back(WindowComponent(0x06010351));
  return {a, b};
}

TEST(TemplateArea, ReadsBackEveryField) {
  std::vector<WindowSource> source = Sample();
  std::vector<uint8_t> bytes = EncodeTemplateArea(source);
  ParseResult parsed = ParseTemplateArea(bytes);
  ASSERT_TRUE(parsed.ok()) << parsed.error.reason << " at " << parsed.error.position;
  const TemplateArea& area = *parsed.area;
  ASSERT_EQ(area.windows.size(), 2u);

  const WindowTemplate& a = area.windows[0];
  EXPECT_EQ(a.id, 0x52010001u);
  EXPECT_EQ(a.header_word2, 0x19010005u);
  ASSERT_EQ(a.components.size(), 5u);

  const ComponentRecord& window = a.components[0];
  EXPECT_EQ(window.type, type_id::kWindow);
  EXPECT_FALSE(window.is_menu_item);
  EXPECT_EQ(window.width, 393);
  EXPECT_EQ(window.events, (std::vector<EventBinding>{{0, 0}, {2, 16}}));
  auto block = a.PropertyBlock(0);
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.end()), (std::vector<uint8_t>{6, 0, 0, 0}));

  const ComponentRecord& help = a.components[1];
  EXPECT_TRUE(help.is_menu_item);
  EXPECT_EQ(help.caption, "帮助");
  EXPECT_EQ(help.handler_offset, kNoHandler);
  EXPECT_EQ(help.shortcut, 27u);
  EXPECT_EQ(help.menu_flags, menu_flag::kChecked);
  EXPECT_TRUE(help.name.empty());
  EXPECT_EQ(a.PropertyBlock(1).size(), 0u);
  EXPECT_EQ(a.components[2].level, 1u);
  EXPECT_EQ(a.components[2].handler_offset, 8);

  const ComponentRecord& group = a.components[3];
  EXPECT_EQ(group.name, "分组框1");
  EXPECT_EQ(group.contains, (std::vector<ComponentId>{0x160101FA, 0, 0x16010012}));
  auto group_block = a.PropertyBlock(3);
  ASSERT_EQ(group_block.size(), 12u);
  EXPECT_EQ(std::memcmp(group_block.data() + 8, "abcd", 4), 0);

  const ComponentRecord& label = a.components[4];
  EXPECT_EQ(label.id, 0x160101FAu);
  EXPECT_EQ(label.parent, 0x1601000Cu);
  EXPECT_EQ(label.left, -4);
  EXPECT_EQ(label.top, 7);
  EXPECT_EQ(label.cursor, (std::vector<uint8_t>{0x89, 0x7F, 0, 0}));
  EXPECT_EQ(label.tag, "tag");
  EXPECT_EQ(label.remark, "remark");
  EXPECT_EQ(label.event_source, 0x16010012u);
  EXPECT_EQ(label.flags, component_flag::kVisible | component_flag::kTabStop);
  EXPECT_EQ(label.focus_order, 30u);
  EXPECT_EQ(label.events, (std::vector<EventBinding>{{-1, 24}, {0, kNoHandler}}));

  const WindowTemplate& b = area.windows[1];
  EXPECT_EQ(b.header_word1, 45026192u);
  EXPECT_EQ(b.text1, "one");
  EXPECT_EQ(b.text2, "two");
  EXPECT_EQ(b.components.size(), 1u);
}

TEST(TemplateArea, WriterIsTheParsersInverse) {
  std::vector<uint8_t> bytes = EncodeTemplateArea(Sample());
  ParseResult parsed = ParseTemplateArea(bytes);
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(EncodeTemplateArea(ToSource(*parsed.area)), bytes);
}

TEST(TemplateArea, RecordSpansLieInsideTheBuffer) {
  ParseResult parsed = ParseTemplateArea(EncodeTemplateArea(Sample()));
  ASSERT_TRUE(parsed.ok());
  for (const WindowTemplate& w : parsed.area->windows) {
    for (const ComponentRecord& c : w.components) {
      EXPECT_LE(c.record_offset + c.record_size, w.buffer.size());
      EXPECT_EQ(c.property_offset + c.property_size, c.record_offset + c.record_size);
    }
  }
}

TEST(TemplateArea, EmptyWindowTableIsAnEmptyArea) {
  std::vector<uint8_t> bytes{0, 0, 0, 0};
  ParseResult parsed = ParseTemplateArea(bytes);
  ASSERT_TRUE(parsed.ok());
  EXPECT_TRUE(parsed.area->windows.empty());
}

TEST(TemplateArea, EveryTruncationIsRefused) {
  std::vector<uint8_t> bytes = EncodeTemplateArea(Sample());
  for (size_t n = 0; n < bytes.size(); ++n) {
    ParseResult parsed = ParseTemplateArea(std::span<const uint8_t>(bytes.data(), n));
    EXPECT_FALSE(parsed.ok()) << "prefix of " << n << " bytes accepted";
    if (!parsed.ok()) {
      EXPECT_LE(parsed.error.position, n);
    }
  }
}

TEST(TemplateArea, TrailingBytesAreRefused) {
  std::vector<uint8_t> bytes = EncodeTemplateArea(Sample());
  bytes.push_back(0);
  ParseResult parsed = ParseTemplateArea(bytes);
  ASSERT_FALSE(parsed.ok());
  EXPECT_EQ(parsed.error.position, bytes.size() - 1);
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}

// Positions in the encoded sample: window table (4 + 16 bytes), then the first window's
// header words, two empty texts, m and B at 36 and 40, the id array from 44.
constexpr size_t kCountAt = 36;
constexpr size_t kBufferLengthAt = 40;
constexpr size_t kIdsAt = 44;
constexpr size_t kOffsetsAt = kIdsAt + 5 * 4;
constexpr size_t kRecordsAt = kOffsetsAt + 5 * 4;

TEST(TemplateArea, MalformedStructureIsRefused) {
  const std::vector<uint8_t> good = EncodeTemplateArea(Sample());
  ASSERT_TRUE(ParseTemplateArea(good).ok());
  auto refused = [&](auto change) {
    std::vector<uint8_t> bytes = good;
    change(bytes);
    return !ParseTemplateArea(bytes).ok();
  };
  auto find = [&](std::vector<uint8_t> pattern) {
    auto it = std::search(good.begin(), good.end(), pattern.begin(), pattern.end());
    EXPECT_NE(it, good.end());
    return size_t(it - good.begin());
  };

  EXPECT_TRUE(refused([](auto& b) { PutWord(b, 0, 12); })) << "table length not a multiple of 8";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, 0, 0x7FFFFFF8); })) << "table past the end";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kCountAt, 0); })) << "no window component";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kCountAt, 1000); })) << "count does not fit";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kCountAt, 0xFFFFFFFF); })) << "count wraps";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kBufferLengthAt, 0xFFFFFFF0); }));
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kOffsetsAt + 4, 0xFFFF); })) << "offset outside";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kOffsetsAt + 4, 0xFFFFFFFF); })) << "offset wraps";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kRecordsAt, 0x100000); })) << "record too long";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kRecordsAt, 10); })) << "fields past the record";
  EXPECT_TRUE(refused([](auto& b) { PutWord(b, kRecordsAt + 4, type_id::kLabel); }))
      << "component 0 not a window";
  // The group box's contained count, and the label's event count, made too large.
  size_t contained_at = find({3, 0, 0, 0, 0xFA, 0x01, 0x01, 0x16});
  EXPECT_TRUE(refused([&](auto& b) { PutWord(b, contained_at, 0x40000000); }));
  size_t events_at = find({2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_TRUE(refused([&](auto& b) { PutWord(b, events_at, 0x20000000); }));
  EXPECT_TRUE(refused([&](auto& b) { PutWord(b, events_at, 3); })) << "events into the padding";
  // A record whose z-texts lose their terminators runs to the end of the record.
  size_t name_at = find({0xB1, 0xEA, 0xC7, 0xA9, '6', 0});  // "标签6" in GBK
  EXPECT_TRUE(refused([&](auto& b) {
    for (size_t i = name_at; i < b.size(); ++i) if (b[i] == 0) b[i] = 'x';
  }));
}

}  // namespace
}  // namespace barvell::runtime
