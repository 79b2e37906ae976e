// A window's menu bar, built from the menu run of its template: nested pull-downs by
// level, shortcut names after a tab, separators, greyed and checked items, and the
// accelerators of the shortcuts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/window_params.h"
#include "runtime/templates/window_registry.h"

namespace barvell::runtime {

// Menu command ids are this base plus the item's position in the menu run.
constexpr int kFirstMenuCommand = 20000;

struct MenuBar {
  std::vector<ui::MenuItem> bar;  // UTF-8 captions
  std::vector<ui::Accelerator> accelerators;
};

MenuBar BuildMenuBar(const Window& window);

// The name of a shortcut number as it is shown after the caption ("Ctrl+A", "F1",
// "Ctrl+Shift+F12", "Ins", "Del"); empty for 0 and unknown numbers.
std::string ShortcutName(uint32_t shortcut);
// The key and modifiers of a shortcut number; nothing for 0 and unknown numbers.
std::optional<ui::Accelerator> ShortcutKey(uint32_t shortcut);

// The component index of the menu item with this command id, or nothing.
std::optional<size_t> MenuItemOfCommand(const Window& window, int command);

}  // namespace barvell::runtime
