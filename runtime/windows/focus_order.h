// Focus navigation of a loaded window: the order that Tab and Shift+Tab follow, and the
// arrow keys within a container.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "runtime/templates/window_registry.h"

namespace barvell::runtime {

// The window's controls in focus order: ascending focus-order word, equal values from the
// last record to the first. Menu items and the window component are not in it.
std::vector<size_t> FocusSequence(const Window& window);

// Whether a control can take the focus by navigation now: tab stop, visible and enabled
// (with every container it lies in).
bool CanTakeFocus(const Window& window, size_t index);

// The control after (or before) `from` in focus order that can take the focus, wrapping
// around; `from` need not be navigable itself (nor a control: the window component starts
// at the beginning). Nothing when no control can.
std::optional<size_t> NextInFocusOrder(const Window& window, size_t from, bool backwards);

// As NextInFocusOrder, among the controls in the same container as `from`.
std::optional<size_t> NextInGroup(const Window& window, size_t from, bool backwards);

// Moves the focus to the control; false when the window system refuses.
bool FocusComponent(const Window& window, size_t index);

}  // namespace barvell::runtime
