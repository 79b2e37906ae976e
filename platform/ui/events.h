#pragma once
// What the window system reports to the runtime. One sink receives everything; it is
// called synchronously on the user-interface thread, from inside the backend's dispatch of
// one event, or from inside a WindowSystem call that changes what is reported (focus,
// geometry, visibility, destruction), as the platform the runtime was designed on does.

#include <cstdint>

#include "platform/ui/geometry.h"
#include "platform/ui/window_handle.h"

namespace barvell::ui {

enum class EventKind {
  kCloseRequested,   // the user asked to close a top-level window; nothing is closed
  kDestroyed,        // the window is gone (reported for each window and control, parent first)
  kMoved,            // position changed (not reported at creation)
  kSized,            // outer size changed (not reported at creation)
  kShown,            // became visible
  kHidden,           // became hidden
  kMenuCommand,      // a menu item was chosen: `command`
  kAccelerator,      // a key of the window's accelerator table was pressed: `command`
  kButtonClicked,    // push button or owner-drawn button clicked
  kEditChanged,      // the user changed an edit box's text (typing, paste, deletion)
  kSelectionChanged, // the user chose a drop-down list item
  kDropDownClosed,   // a drop-down list closed its list
  kFocusGained,
  kFocusLost,
  kKeyDown,          // `key`, `modifiers`; before the control acts, consumable
  kKeyUp,            // `key`, `modifiers`; before the control acts, consumable
  kMouseDown,        // `button`, `position`, `modifiers`; consumable
  kMouseUp,
  kDoubleClick,
  kMouseMove,
  kWheel,            // `wheel` in notches (delta / 120), forwards positive; consumable
  kUserMessage,      // posted with PostUserMessage: `command` = code, `value`
};

enum class MouseButton { kNone, kLeft, kRight, kMiddle };

struct Event {
  EventKind kind = EventKind::kCloseRequested;
  WindowHandle window = kNoWindow;  // the window or control the event is about
  int command = 0;                  // menu command, accelerator command, user message code
  std::intptr_t value = 0;          // user message value
  int key = 0;                      // virtual-key code (keys.h)
  int modifiers = 0;                // modifier bits (keys.h)
  MouseButton button = MouseButton::kNone;
  Point position;                   // client coordinates of `window`
  int wheel = 0;
};

class EventSink {
 public:
  virtual ~EventSink() = default;

  // Returns true when the sink consumed the event. Only key and mouse events honour it:
  // a consumed one never reaches the control (no character follows a consumed key down,
  // a consumed click does not press the button). Other events ignore the answer.
  virtual bool OnEvent(const Event& event) = 0;

  // A character (Unicode code point; 8 back-space, 9 tab, 13 Enter, 27 Esc) about to
  // reach `target`. Returns the character the control receives: the same one, a
  // replacement, or 0 to swallow it.
  virtual char32_t OnCharacter(WindowHandle target, char32_t character) = 0;
};

}  // namespace barvell::ui
