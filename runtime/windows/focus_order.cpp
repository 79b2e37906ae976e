#include "runtime/windows/focus_order.h"

#include <algorithm>

#include "runtime/templates/template_area.h"
#include "runtime/windows/window_loader.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

bool IsControl(const Window& window, size_t index) {
  return index != 0 && index < window.ComponentCount() && !window.Component(index).is_menu_item;
}

// Visible and enabled, and so is everything it lies in up to its top-level window.
bool ReallyShownAndEnabled(ui::WindowHandle handle) {
  ui::WindowSystem& ui = Ui();
  for (ui::WindowHandle h = handle; h != ui::kNoWindow; h = ui.Parent(h)) {
    if (!ui.IsWindow(h) || !ui.IsVisible(h) || !ui.IsEnabled(h)) return false;
    if (ui.IsTopLevel(h)) break;
  }
  return true;
}

// Position of `from` in the sequence order, whether or not it is in the sequence.
bool ComesBefore(const Window& window, size_t a, size_t b) {
  uint32_t fa = window.Component(a).focus_order, fb = window.Component(b).focus_order;
  if (fa != fb) return fa < fb;
  return a > b;
}

std::optional<size_t> NextAmong(const Window& window, const std::vector<size_t>& candidates,
                                size_t from, bool backwards) {
  if (candidates.empty()) return std::nullopt;
  if (!IsControl(window, from)) return backwards ? candidates.back() : candidates.front();
  if (!backwards) {
    for (size_t c : candidates) {
      if (ComesBefore(window, from, c)) return c;
    }
    return candidates.front();
  }
  for (size_t i = candidates.size(); i-- > 0;) {
    if (ComesBefore(window, candidates[i], from)) return candidates[i];
  }
  return candidates.back();
}

}  // namespace

std::vector<size_t> FocusSequence(const Window& window) {
  std::vector<size_t> sequence;
  for (size_t i = 0; i < window.ComponentCount(); ++i) {
    if (IsControl(window, i)) sequence.push_back(i);
  }
  std::stable_sort(sequence.begin(), sequence.end(),
                   [&](size_t a, size_t b) { return ComesBefore(window, a, b); });
  return sequence;
}

bool CanTakeFocus(const Window& window, size_t index) {
  if (!IsControl(window, index)) return false;
  if ((window.Component(index).flags & component_flag::kTabStop) == 0) return false;
  ui::WindowHandle handle = HandleOf(window, index);
  return handle != ui::kNoWindow && ReallyShownAndEnabled(handle);
}

std::optional<size_t> NextInFocusOrder(const Window& window, size_t from, bool backwards) {
  std::vector<size_t> candidates;
  for (size_t i : FocusSequence(window)) {
    if (CanTakeFocus(window, i)) candidates.push_back(i);
  }
  return NextAmong(window, candidates, from, backwards);
}

std::optional<size_t> NextInGroup(const Window& window, size_t from, bool backwards) {
  if (!IsControl(window, from)) return std::nullopt;
  ComponentId parent = window.Component(from).parent;
  std::vector<size_t> candidates;
  for (size_t i : FocusSequence(window)) {
    if (window.Component(i).parent == parent && CanTakeFocus(window, i)) candidates.push_back(i);
  }
  return NextAmong(window, candidates, from, backwards);
}

bool FocusComponent(const Window& window, size_t index) {
  ui::WindowHandle handle = HandleOf(window, index);
  return handle != ui::kNoWindow && Ui().SetFocus(handle);
}

}  // namespace barvell::runtime
