#include "runtime/windows/menu_bar.h"

#include "platform/text/gbk.h"
#include "platform/ui/keys.h"

namespace barvell::runtime {

namespace {

// Shortcut numbers: ranges of twelve function keys (or 26 letters) with one set of
// modifiers each, then Ins and Del.
struct ShortcutRange {
  uint32_t first;
  uint32_t count;
  int first_key;
  int modifiers;
  const char* prefix;
};

constexpr ShortcutRange kShortcutRanges[] = {
    {1, 26, 'A', ui::modifier::kCtrl, "Ctrl+"},
    {27, 12, ui::key::kF1, 0, ""},
    {39, 12, ui::key::kF1, ui::modifier::kCtrl, "Ctrl+"},
    {51, 12, ui::key::kF1, ui::modifier::kShift, "Shift+"},
    {63, 12, ui::key::kF1, ui::modifier::kCtrl | ui::modifier::kShift, "Ctrl+Shift+"},
};
constexpr uint32_t kInsertShortcut = 75;
constexpr uint32_t kDeleteShortcut = 76;

const ShortcutRange* RangeOf(uint32_t shortcut) {
  for (const ShortcutRange& r : kShortcutRanges) {
    if (shortcut >= r.first && shortcut < r.first + r.count) return &r;
  }
  return nullptr;
}

}  // namespace

std::string ShortcutName(uint32_t shortcut) {
  if (shortcut == kInsertShortcut) return "Ins";
  if (shortcut == kDeleteShortcut) return "Del";
  const ShortcutRange* r = RangeOf(shortcut);
  if (r == nullptr) return {};
  uint32_t n = shortcut - r->first;
  // Appended, not "F" + std::string: GCC 12 at -O3 takes that for overlapping copies.
  std::string name = r->prefix;
  if (r->first_key == 'A') return name += char('A' + n);
  name += 'F';
  name += std::to_string(n + 1);
  return name;
}

std::optional<ui::Accelerator> ShortcutKey(uint32_t shortcut) {
  if (shortcut == kInsertShortcut) return ui::Accelerator{ui::key::kInsert, 0, 0};
  if (shortcut == kDeleteShortcut) return ui::Accelerator{ui::key::kDelete, 0, 0};
  const ShortcutRange* r = RangeOf(shortcut);
  if (r == nullptr) return std::nullopt;
  return ui::Accelerator{r->first_key + int(shortcut - r->first), r->modifiers, 0};
}

MenuBar BuildMenuBar(const Window& window) {
  MenuBar menu;
  MenuRun run = window.Menu();
  // path[l] is the list that items of level l go into: the bar, then the children of the
  // last item of each level above.
  std::vector<std::vector<ui::MenuItem>*> path{&menu.bar};
  // While set, items deeper than this level lie under a hidden item and are skipped.
  std::optional<uint32_t> hidden_level;
  for (size_t position = 0; position < run.count; ++position) {
    const ComponentRecord& item = window.Component(run.first + position);
    if (hidden_level && item.level > *hidden_level) continue;
    hidden_level.reset();
    if (item.menu_flags & menu_flag::kHidden) {
      hidden_level = item.level;
      continue;
    }
    // A level deeper than its predecessor allows goes one below the deepest open list.
    size_t level = std::min<size_t>(item.level, path.size() - 1);
    path.resize(level + 1);

    ui::MenuItem entry;
    int command = kFirstMenuCommand + int(position);
    entry.command = command;
    entry.enabled = (item.menu_flags & menu_flag::kDisabled) == 0;
    entry.checked = (item.menu_flags & menu_flag::kChecked) != 0;
    entry.separator = item.caption == "-";
    entry.caption = platform::GbkToUtf8(item.caption);
    if (std::string name = ShortcutName(item.shortcut); !name.empty() && !entry.separator) {
      entry.caption += "\t" + name;
      // A greyed item's shortcut does nothing, as its menu entry does nothing.
      std::optional<ui::Accelerator> key = ShortcutKey(item.shortcut);
      if (key && entry.enabled) {
        key->command = command;
        menu.accelerators.push_back(*key);
      }
    }
    path[level]->push_back(std::move(entry));
    path.push_back(&path[level]->back().children);
  }
  return menu;
}

std::optional<size_t> MenuItemOfCommand(const Window& window, int command) {
  MenuRun run = window.Menu();
  if (command < kFirstMenuCommand || size_t(command - kFirstMenuCommand) >= run.count) {
    return std::nullopt;
  }
  return run.first + size_t(command - kFirstMenuCommand);
}

}  // namespace barvell::runtime
