// The headless event queue: the loop primitives and what each queued input does, in the
// order a native window system does it (key down, then its character; the sink first,
// then the control).

#include <algorithm>

#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"

namespace barvell::ui {

namespace {

bool IsButton(ControlKind k) {
  return k == ControlKind::kPushButton || k == ControlKind::kOwnerDrawnButton;
}

bool TakesFocusOnClick(ControlKind k, bool tabStop) {
  return k == ControlKind::kEdit || IsButton(k) || k == ControlKind::kDropDownList ||
         (k == ControlKind::kSurface && tabStop);
}

}  // namespace

void HeadlessWindowSystem::Post(HeadlessInput input) { queue_.push_back(std::move(input)); }

bool HeadlessWindowSystem::HasPendingEvent() {
  std::lock_guard<std::mutex> lock(userMutex_);
  return !queue_.empty() || !userMessages_.empty();
}

void HeadlessWindowSystem::WaitForEvent() {
  while (!quit_ && !HasPendingEvent()) {
    // The driver's next action is what the person does next; with none left the run ends.
    if (!driver_.PerformNext()) PostQuit(0);
  }
}

void HeadlessWindowSystem::PostQuit(int exitCode) {
  if (!quit_) quit_ = exitCode;
}

int HeadlessWindowSystem::TakeQuit() {
  int code = quit_.value_or(0);
  quit_.reset();
  return code;
}

void HeadlessWindowSystem::PostUserMessage(int code, std::intptr_t value) {
  HeadlessInput in;
  in.kind = InputKind::kUser;
  in.command = code;
  in.value = value;
  std::lock_guard<std::mutex> lock(userMutex_);
  userMessages_.push_back(std::move(in));
}

void HeadlessWindowSystem::DispatchOne() {
  if (quit_) return;
  WaitForEvent();
  if (quit_) return;
  HeadlessInput in;
  {
    // Posted messages come before input, as on the native system.
    std::lock_guard<std::mutex> lock(userMutex_);
    std::deque<HeadlessInput>& from = userMessages_.empty() ? queue_ : userMessages_;
    in = std::move(from.front());
    from.pop_front();
  }
  switch (in.kind) {
    case InputKind::kKeyDown:
    case InputKind::kKeyUp:
      DispatchKey(in);
      break;
    case InputKind::kCharacter:
      DispatchCharacter(in);
      break;
    case InputKind::kMouse:
      DispatchMouse(in);
      break;
    case InputKind::kMouseAt: {
      const Node* top = Find(in.target);
      if (!top || !top->topLevel) break;
      in.target = HitTest(in.target, in.position);
      DispatchMouse(in);
      break;
    }
    case InputKind::kFocus:
      SetFocus(in.target);
      break;
    case InputKind::kClose:
      if (IsTopLevel(in.target) && IsReallyEnabled(in.target))
        Report(EventKind::kCloseRequested, in.target);
      break;
    case InputKind::kMenu: {
      const Node* n = Find(in.target);
      if (n && n->topLevel && n->enabled && FindCommand(n->menu, in.command)) {
        Event e;
        e.kind = EventKind::kMenuCommand;
        e.window = in.target;
        e.command = in.command;
        Report(e);
      }
      break;
    }
    case InputKind::kPaste: {
      Node* n = Find(in.target);
      if (!n || n->topLevel || n->kind != ControlKind::kEdit || !IsReallyEnabled(in.target) ||
          !IsReallyVisible(in.target))
        break;
      SetFocus(in.target);
      if (Node* e = Find(in.target); e && e->edit.Paste(in.text)) UserEdit(in.target);
      break;
    }
    case InputKind::kChoose: {
      Node* n = Find(in.target);
      if (!n || n->topLevel || n->kind != ControlKind::kDropDownList ||
          !IsReallyEnabled(in.target) || !IsReallyVisible(in.target))
        break;
      ShowDropDown(in.target, false);
      n = Find(in.target);
      if (n && in.command >= 0 && in.command < static_cast<int>(n->items.size())) {
        n->current = in.command;
        Report(EventKind::kSelectionChanged, in.target);
      }
      break;
    }
    case InputKind::kMoveSize: {
      const Node* n = Find(in.target);
      if (!n || !n->topLevel || !n->enabled) break;
      Rect r = in.rect;
      if (!IsSizeable(n->border)) {  // a fixed frame only moves
        r.width = n->rect.width;
        r.height = n->rect.height;
      }
      SetRect(in.target, r);
      break;
    }
    case InputKind::kUser: {
      Event e;
      e.kind = EventKind::kUserMessage;
      e.command = in.command;
      e.value = in.value;
      Report(e);
      break;
    }
    case InputKind::kStep:
      if (in.step) in.step();
      break;
  }
}

WindowHandle HeadlessWindowSystem::HitTest(WindowHandle container, Point& p) const {
  // `p` is in the container's client area; on return, in the found window's.
  const Node* c = Find(container);
  for (WindowHandle h : c->children) {
    const Node* n = Find(h);
    if (!n->visible || !n->rect.Contains(p)) continue;
    Point o = ClientOrigin(*n);
    Point inner{p.x - n->rect.left - o.x, p.y - n->rect.top - o.y};
    p = inner;
    return HitTest(h, p);
  }
  return container;
}

void HeadlessWindowSystem::DispatchKey(HeadlessInput& in) {
  WindowHandle target = in.target != kNoWindow ? in.target : focus_ != kNoWindow ? focus_ : active_;
  if (!Find(target) || !IsReallyEnabled(target) || !IsReallyVisible(target)) return;
  bool down = in.kind == InputKind::kKeyDown;
  if (down) {
    // The window's accelerator table sees the key before anyone else.
    const Node* top = Find(TopLevelOf(target));
    for (const Accelerator& a : top->accelerators) {
      if (a.key == in.key && a.modifiers == in.modifiers) {
        Event e;
        e.kind = EventKind::kAccelerator;
        e.window = TopLevelOf(target);
        e.command = a.command;
        Report(e);
        return;
      }
    }
  }
  Event e;
  e.kind = down ? EventKind::kKeyDown : EventKind::kKeyUp;
  e.window = target;
  e.key = in.key;
  e.modifiers = in.modifiers;
  if (Report(e) || !Find(target)) return;  // consumed: no default action, no character
  KeyDefault(target, in.key, in.modifiers, down);
  if (down && in.character != 0 && Find(target)) {
    HeadlessInput ch;
    ch.kind = InputKind::kCharacter;
    ch.target = target;
    ch.character = in.character;
    queue_.push_front(std::move(ch));
  }
}

void HeadlessWindowSystem::DispatchCharacter(const HeadlessInput& in) {
  WindowHandle target = in.target != kNoWindow ? in.target : focus_ != kNoWindow ? focus_ : active_;
  if (!Find(target) || !IsReallyEnabled(target)) return;
  char32_t c = sink_ ? sink_->OnCharacter(target, in.character) : in.character;
  Node* n = Find(target);
  if (c == 0 || !n || n->topLevel || n->kind != ControlKind::kEdit) return;
  if (n->edit.TypeCharacter(c)) UserEdit(target);
}

void HeadlessWindowSystem::DispatchMouse(HeadlessInput in) {
  WindowHandle target = in.target;
  if (!Find(target) || !IsReallyVisible(target) || !IsReallyEnabled(target)) return;
  bool press = in.mouse == EventKind::kMouseDown || in.mouse == EventKind::kDoubleClick;
  if (press) {
    // A press in an inactive window activates it first.
    WindowHandle top = TopLevelOf(target);
    if (active_ != top) Activate(top);
    if (!Find(target)) return;
  }
  Event e;
  e.kind = in.mouse;
  e.window = target;
  e.button = in.button;
  e.position = in.position;
  e.modifiers = in.modifiers;
  e.wheel = in.wheel;
  if (Report(e) || !Find(target)) return;
  ClickDefault(target, e);
}

void HeadlessWindowSystem::ClickDefault(WindowHandle target, const Event& e) {
  Node* n = Find(target);
  if (n->topLevel || e.button != MouseButton::kLeft) return;
  if (e.kind == EventKind::kMouseDown || e.kind == EventKind::kDoubleClick) {
    if (TakesFocusOnClick(n->kind, n->tabStop)) SetFocus(target);
    n = Find(target);
    if (!n) return;
    if (IsButton(n->kind)) n->pressed = true;
    if (n->kind == ControlKind::kDropDownList && e.kind == EventKind::kMouseDown)
      ShowDropDown(target, !n->droppedDown);
  } else if (e.kind == EventKind::kMouseUp && n->pressed) {
    n->pressed = false;
    Report(EventKind::kButtonClicked, target);
  }
}

void HeadlessWindowSystem::KeyDefault(WindowHandle target, int k, int modifiers, bool down) {
  Node* n = Find(target);
  if (n->topLevel) return;
  if (n->kind == ControlKind::kEdit && down) {
    if (k == key::kDelete) {
      if (n->edit.DeleteForward()) UserEdit(target);
    } else {
      n->edit.MoveCaret(k);
    }
  } else if (IsButton(n->kind) && !down && k == key::kSpace && modifiers == 0) {
    Report(EventKind::kButtonClicked, target);
  } else if (n->kind == ControlKind::kDropDownList && down && (k == key::kUp || k == key::kDown)) {
    int last = static_cast<int>(n->items.size()) - 1;
    int next = std::clamp(n->current + (k == key::kDown ? 1 : -1), 0, last);
    if (last >= 0 && next != n->current) {
      n->current = next;
      Report(EventKind::kSelectionChanged, target);
    }
  }
}

}  // namespace barvell::ui
