#include "runtime/events/event_sink.h"

#include <optional>
#include <string>

#include "platform/text/gbk.h"
#include "platform/ui/utf8.h"
#include "runtime/call/event_records.h"
#include "runtime/call/shutdown.h"
#include "runtime/events/pre_translation.h"
#include "runtime/windows/close_handling.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/live_components.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

namespace {

OwnWindowRoute g_own_windows = nullptr;

ControlObject* ControlOf(const LiveComponent& c) {
  return c.index == 0 ? nullptr : AsControl(ObjectAt(*c.window, c.index));
}

ComponentId IdOf(const LiveComponent& c) { return c.index == 0 ? 0 : c.window->Component(c.index).id; }

EventOutcome Raise(const LiveComponent& c, int32_t event, std::initializer_list<uint32_t> args = {}) {
  return RaiseEvent(c.window->Id(), IdOf(c), event, args);
}

// Right double clicks and the middle button raise nothing.
std::optional<int32_t> MouseEvent(const ui::Event& e) {
  using ui::EventKind;
  using ui::MouseButton;
  if (e.kind == EventKind::kMouseMove) return event::kMouseMove;
  if (e.button == MouseButton::kLeft) {
    if (e.kind == EventKind::kMouseDown) return event::kLeftDown;
    if (e.kind == EventKind::kMouseUp) return event::kLeftUp;
    if (e.kind == EventKind::kDoubleClick) return event::kDoubleClick;
  }
  if (e.button == MouseButton::kRight) {
    if (e.kind == EventKind::kMouseDown) return event::kRightDown;
    if (e.kind == EventKind::kMouseUp) return event::kRightUp;
  }
  return std::nullopt;
}

// x and y as the low and high halves of one message word: unsigned 16 bits each.
uint32_t Coordinate(int v) { return uint32_t(v) & 0xFFFF; }

// A consumable event's answer: consumed when the handler refused it, or when its target
// went away meanwhile.
bool Swallowed(const EventOutcome& outcome, ui::WindowHandle target) {
  return outcome.Refused() || !Ui().IsWindow(target);
}

bool OnKey(const LiveComponent& target, const ui::Event& e) {
  bool down = e.kind == ui::EventKind::kKeyDown;
  if (down && PreTranslateKeyDown(target, e.key, e.modifiers)) return true;
  if (!Ui().IsWindow(e.window)) return true;
  EventOutcome outcome = Raise(target, down ? event::kKeyDown : event::kKeyUp,
                               {uint32_t(ProgramKeyCode(e.key)), uint32_t(e.modifiers)});
  if (Swallowed(outcome, e.window)) return true;
  if (down) {
    if (ControlObject* control = ControlOf(target)) control->OnKeyDown(e.key);
  }
  return false;
}

void OnWindowEvent(const LiveComponent& target, int32_t event) {
  // Events of a window that is still loading are the loader's to raise, in their order.
  if (target.index == 0 && target.window->loaded) Raise(target, event);
}

// Characters reach the program as its own GBK codes: one byte, or a double-byte
// character as lead byte * 256 + trail byte.
uint32_t ProgramCharacter(char32_t c) {
  if (c < 0x80) return uint32_t(c);
  std::string gbk = platform::Utf8ToGbk(ui::EncodeUtf8(c));
  uint32_t code = 0;
  for (unsigned char byte : gbk) code = code << 8 | byte;
  return code;
}

char32_t FromProgramCharacter(uint32_t code) {
  if (code < 0x80) return char32_t(code);
  std::string gbk;
  if (code > 0xFF) gbk += char(code >> 8 & 0xFF);
  gbk += char(code & 0xFF);
  std::u32string decoded = ui::DecodeUtf8(platform::GbkToUtf8(gbk));
  return decoded.empty() ? U'?' : decoded.front();
}

}  // namespace

bool RuntimeEventSink::OnEvent(const ui::Event& e) {
  using ui::EventKind;
  if (e.kind == EventKind::kUserMessage) {
    if (e.command == kShutdownRequest) EndProgram(int32_t(e.value));
    return true;
  }
  // Windows the runtime made for itself (a colour popup) are no program component.
  if (g_own_windows != nullptr && g_own_windows(e)) return true;
  std::optional<LiveComponent> found = ComponentOfHandle(e.window);
  if (!found || found->window == nullptr) return false;
  const LiveComponent& target = *found;
  Window& window = *target.window;
  switch (e.kind) {
    case EventKind::kCloseRequested:
      if (target.index == 0) CloseProgramWindow(window);
      return true;
    case EventKind::kDestroyed:
      if (target.index == 0) ProgramWindowDestroyed(window);
      return false;
    case EventKind::kMoved:
      OnWindowEvent(target, event::kMoved);
      return false;
    case EventKind::kSized:
      OnWindowEvent(target, event::kSized);
      return false;
    case EventKind::kShown:
      if (target.index == 0) Raise(target, event::kShown);
      return false;
    case EventKind::kHidden:
      if (target.index == 0) Raise(target, event::kHidden);
      return false;
    case EventKind::kMenuCommand:
    case EventKind::kAccelerator:
      if (std::optional<size_t> item = MenuItemOfCommand(window, e.command)) {
        RaiseEvent(window.Id(), window.Component(*item).id, event::kClicked);
      }
      return true;
    case EventKind::kButtonClicked:
      if (ControlObject* control = ControlOf(target); control && control->AnswersClick()) {
        return false;
      }
      if (target.index != 0) Raise(target, event::kClicked);
      return false;
    case EventKind::kEditChanged:
      if (target.index != 0) Raise(target, event::kContentChanged);
      return false;
    case EventKind::kSelectionChanged:
      if (target.index != 0) Raise(target, event::kSelectionChanged);
      return false;
    case EventKind::kDropDownClosed:
      return false;
    case EventKind::kFocusGained:
    case EventKind::kFocusLost:
      if (window.loaded) {
        Raise(target, e.kind == EventKind::kFocusGained ? event::kGotFocus
                                                        : event::kLostFocus);
      }
      return false;
    case EventKind::kKeyDown:
    case EventKind::kKeyUp:
      return OnKey(target, e);
    case EventKind::kMouseDown:
    case EventKind::kMouseUp:
    case EventKind::kDoubleClick:
    case EventKind::kMouseMove: {
      if (e.kind == EventKind::kMouseDown) PreTranslateMouseDown(e.window, e.button);
      std::optional<int32_t> event = MouseEvent(e);
      if (!event) return false;
      EventOutcome outcome = Raise(target, *event, {Coordinate(e.position.x),
                                                   Coordinate(e.position.y),
                                                   uint32_t(e.modifiers)});
      if (Swallowed(outcome, e.window)) return true;
      if (ControlObject* control = ControlOf(target)) control->OnMouse(e);
      return false;
    }
    case EventKind::kWheel: {
      EventOutcome outcome =
          Raise(target, event::kWheel, {uint32_t(e.wheel), uint32_t(e.modifiers)});
      return Swallowed(outcome, e.window);
    }
    case EventKind::kUserMessage:
      return true;
  }
  return false;
}

char32_t RuntimeEventSink::OnCharacter(ui::WindowHandle target, char32_t character) {
  std::optional<LiveComponent> found = ComponentOfHandle(target);
  if (!found || found->window == nullptr) return character;
  EventOutcome outcome = Raise(*found, event::kCharacter, {ProgramCharacter(character)});
  if (!Ui().IsWindow(target)) return 0;
  char32_t received = character;
  if (outcome.has_value) {
    uint32_t code = uint32_t(outcome.value);
    received = code == 0 ? 0 : FromProgramCharacter(code);
  }
  // The control's own input mode has the last word (an integer box drops letters).
  ControlObject* control = ControlOf(*found);
  return received != 0 && control != nullptr ? control->FilterCharacter(received) : received;
}

namespace {
RuntimeEventSink g_sink;
}

void SetOwnWindowRoute(OwnWindowRoute route) { g_own_windows = route; }

void InstallEventSink() { Ui().SetEventSink(&g_sink); }
void RemoveEventSink() {
  if (HasWindowSystem()) Ui().SetEventSink(nullptr);
}

}  // namespace barvell::runtime
