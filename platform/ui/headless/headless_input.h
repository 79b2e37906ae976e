#pragma once
// One queued input of the headless window system: what the input driver turns a person's
// action into, dispatched one at a time by DispatchOne.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/events.h"
#include "platform/ui/geometry.h"
#include "platform/ui/window_handle.h"

namespace barvell::ui {

enum class InputKind {
  kKeyDown,   // to the focus (or `target` when set); may be followed by kCharacter
  kKeyUp,
  kCharacter, // to `target`, or the focus when none
  kMouse,     // `mouse` event at `position` in `target`'s client area
  kMouseAt,   // like kMouse, but `position` lies in the top-level `target`'s client area
              // and the input goes to the topmost visible control under it
  kFocus,
  kClose,
  kMenu,
  kPaste,
  kChoose,
  kMoveSize,
  kUser,
  kStep,      // runs `step` (a test's look at the state between two inputs)
};

struct HeadlessInput {
  InputKind kind = InputKind::kStep;
  WindowHandle target = kNoWindow;
  int key = 0;
  int modifiers = 0;
  char32_t character = 0;  // kKeyDown: the character the key makes, 0 for none
  EventKind mouse = EventKind::kMouseMove;
  MouseButton button = MouseButton::kNone;
  Point position;
  int wheel = 0;
  int command = 0;  // kMenu command, kUser code, kChoose index
  std::intptr_t value = 0;
  Rect rect;
  std::string text;
  std::function<void()> step;
};

}  // namespace barvell::ui
