// The window registry: lookups, the menu run, handler relocation, and the fatal error of a
// malformed area.
#include "runtime/templates/window_registry.h"

#include <gtest/gtest.h>

// The error report reaches stderr in UTF-8, whatever the compile charset.
#define Utf8(text) reinterpret_cast<const char*>(u8##text)

namespace barvell::runtime {
namespace {

HandlerResult Nothing(const uint32_t*, uint32_t) { return HandlerResult::None(); }

const HandlerEntry kTable[] = {
    {"First", &Nothing}, {"Second", nullptr}, {"Third", &Nothing}, {"Fourth", nullptr}};

ComponentSource Component(ComponentId id, TypeId type, std::vector<EventBinding> events = {}) {
  ComponentSource c;
  c.record.id = id;
  c.record.type = type;
  c.record.is_menu_item = IdIsMenuItem(id);
  c.record.events = std::move(events);
  return c;
}

ComponentSource Menu(ComponentId id, int32_t handler) {
  ComponentSource c = Component(id, type_id::kMenuItem);
  c.record.handler_offset = handler;
  return c;
}

std::vector<WindowSource> Windows() {
  WindowSource main{0x52010001, 0, 0, "", "", {}};
  main.components = {
      Component(0x06010000, type_id::kWindow, {{0, 0}, {2, kNoHandler}, {4, 8}}),
      Menu(0x26010328, kNoHandler),
      Menu(0x26010329, 16),
      Menu(0x2601034E, 24),
      Component(0x16010015, type_id::kButton, {{0, 16}}),
      Component(0x16010017, type_id::kEditBox),
  };
  WindowSource batch{0x520101FC, 0, 0, "", "", {}};
  batch.components = {Component(0x060101FB, type_id::kWindow),
                      Component(0x16010246, type_id::kButton, {{0, 24}})};
  return {main, batch};
}

WindowRegistry BuildOk(const std::vector<WindowSource>& windows) {
  std::string error;
  std::vector<uint8_t> area = EncodeTemplateArea(windows);
  std::optional<WindowRegistry> registry = WindowRegistry::Build(area, kTable, &error);
  EXPECT_TRUE(registry) << error;
  return registry ? std::move(*registry) : WindowRegistry();
}

TEST(TemplateRegistry, RelocatesOffsetsToHandlerTableEntries) {
  EXPECT_EQ(WindowRegistry::Relocate(-1, kTable), std::optional<const HandlerEntry*>(nullptr));
  EXPECT_EQ(WindowRegistry::Relocate(0, kTable), std::optional<const HandlerEntry*>(&kTable[0]));
  EXPECT_EQ(WindowRegistry::Relocate(8, kTable), std::optional<const HandlerEntry*>(&kTable[1]));
  EXPECT_EQ(WindowRegistry::Relocate(24, kTable), std::optional<const HandlerEntry*>(&kTable[3]));
  EXPECT_FALSE(WindowRegistry::Relocate(32, kTable)) << "past the table";
  EXPECT_FALSE(WindowRegistry::Relocate(4, kTable)) << "not on an entry";
  EXPECT_FALSE(WindowRegistry::Relocate(-8, kTable));
  EXPECT_FALSE(WindowRegistry::Relocate(0, {})) << "offset 0 with no table";
}

TEST(TemplateRegistry, FindsWindowsAndComponents) {
  WindowRegistry registry = BuildOk(Windows());
  ASSERT_EQ(registry.Count(), 2u);
  EXPECT_EQ(registry.Find(0x52010001), &registry.At(0));
  EXPECT_EQ(registry.Find(0x520101FC), &registry.At(1));
  EXPECT_EQ(registry.Find(0x52010258), nullptr);

  const Window& main = registry.At(0);
  EXPECT_EQ(main.FindComponent(0x06010000), 0u);
  EXPECT_EQ(main.FindComponent(0x16010017), 5u);
  EXPECT_FALSE(main.FindComponent(0x16010246)) << "a component of another window";
  ASSERT_NE(main.ComponentById(0x16010015), nullptr);
  EXPECT_EQ(main.ComponentById(0x16010015)->type, type_id::kButton);
  EXPECT_EQ(main.Component(4).id, 0x16010015u);
  EXPECT_EQ(main.slots.size(), 6u);
  EXPECT_FALSE(main.loaded);
}

// Lookups go through an index sorted by id: the first of components sharing an id is the
// one found, as a walk of the records in order finds it, and ids on either side of every
// stored one are absent.
TEST(TemplateRegistry, ComponentLookupFindsTheFirstOfSharedIds) {
  WindowSource w{0x52010001, 0, 0, "", "", {}};
  w.components = {Component(0x06010000, type_id::kWindow), Component(0x16010030, type_id::kButton),
                  Component(0x16010010, type_id::kEditBox), Component(0x16010030, type_id::kEditBox),
                  Component(0x16010020, type_id::kButton)};
  WindowRegistry registry = BuildOk({w});
  ASSERT_EQ(registry.Count(), 1u);
  const Window& window = registry.At(0);
  EXPECT_EQ(window.FindComponent(0x16010030), 1u);
  EXPECT_EQ(window.ComponentById(0x16010030)->type, type_id::kButton);
  EXPECT_EQ(window.FindComponent(0x16010010), 2u);
  EXPECT_EQ(window.FindComponent(0x16010020), 4u);
  for (ComponentId absent : {0u, 0x0601FFFFu, 0x16010011u, 0x1601002Fu, 0x16010031u, 0xFFFFFFFFu})
    EXPECT_FALSE(window.FindComponent(absent)) << std::hex << absent;
}

TEST(TemplateRegistry, MenuRunIsTheConsecutiveMenuItems) {
  WindowRegistry registry = BuildOk(Windows());
  MenuRun run = registry.At(0).Menu();
  EXPECT_EQ(run.first, 1u);
  EXPECT_EQ(run.count, 3u);
  EXPECT_EQ(registry.At(1).Menu().count, 0u);
}

TEST(TemplateRegistry, HandlersPointIntoTheCodeBase) {
  WindowRegistry registry = BuildOk(Windows());
  const Window& main = registry.At(0);
  EXPECT_EQ(main.EventHandler(0, 0), &kTable[0]) << "offset 0 is the first entry";
  EXPECT_EQ(main.EventHandler(0, 2), nullptr) << "offset -1 is no handler";
  EXPECT_EQ(main.EventHandler(0, 4), &kTable[1]);
  EXPECT_EQ(main.EventHandler(0, 1), nullptr) << "event without a binding";
  EXPECT_EQ(main.EventHandler(4, 0), &kTable[2]);
  EXPECT_EQ(main.MenuHandler(1), nullptr);
  EXPECT_EQ(main.MenuHandler(2), &kTable[2]);
  EXPECT_EQ(main.MenuHandler(3), &kTable[3]);
  EXPECT_EQ(registry.At(1).EventHandler(1, 0), &kTable[3]);
}

TEST(TemplateRegistry, OffsetsOutsideTheHandlerTableAreRefused) {
  std::vector<WindowSource> windows = Windows();
  windows[1].components[1].record.events[0].handler_offset = 4 * kHandlerStride;
  std::string error;
  EXPECT_FALSE(WindowRegistry::Build(EncodeTemplateArea(windows), kTable, &error));
  EXPECT_NE(error.find("handler offset 32"), std::string::npos) << error;

  windows = Windows();
  windows[0].components[2].record.handler_offset = 3;
  EXPECT_FALSE(WindowRegistry::Build(EncodeTemplateArea(windows), kTable, &error));
}

TEST(TemplateRegistryDeathTest, MalformedAreaIsFatal) {
  std::vector<uint8_t> area = EncodeTemplateArea(Windows());
  ASSERT_NO_FATAL_FAILURE(WindowRegistry::BuildOrFail(area, kTable));

  std::vector<uint8_t> truncated(area.begin(), area.end() - 1);
  EXPECT_EXIT(WindowRegistry::BuildOrFail(truncated, kTable), testing::ExitedWithCode(255),
              Utf8("载入窗口模板数据段出错!"));
  std::vector<uint8_t> trailing = area;
  trailing.push_back(0);
  EXPECT_EXIT(WindowRegistry::BuildOrFail(trailing, kTable), testing::ExitedWithCode(255),
              Utf8("载入窗口模板数据段出错!"));
  std::vector<uint8_t> bad_table = area;
  bad_table[0] = 4;
  EXPECT_EXIT(WindowRegistry::BuildOrFail(bad_table, kTable), testing::ExitedWithCode(255),
              Utf8("载入窗口模板数据段出错!"));
  EXPECT_EXIT(WindowRegistry::BuildOrFail(area, std::span<const HandlerEntry>(kTable, 3)),
              testing::ExitedWithCode(255), Utf8("载入窗口模板数据段出错!"))
      << "an offset past the handler table";
}

}  // namespace
}  // namespace barvell::runtime
