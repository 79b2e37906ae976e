// How wx events become the interface's events: keys and mouse reach the sink before the
// control acts (through the frame's char hook and per-window handlers), and the sink's
// answer decides whether the control sees them.

#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "platform/ui/utf8.h"
#include "platform/ui/wx/wx_keys.h"
#include "platform/ui/wx/wx_surface.h"
#include "platform/ui/wx/wx_window_system.h"

namespace barvell::ui {

namespace {

struct MouseKind {
  wxEventType wx;
  EventKind kind;
  MouseButton button;
};

const MouseKind kMouseTable[] = {
    {wxEVT_LEFT_DOWN, EventKind::kMouseDown, MouseButton::kLeft},
    {wxEVT_LEFT_UP, EventKind::kMouseUp, MouseButton::kLeft},
    {wxEVT_LEFT_DCLICK, EventKind::kDoubleClick, MouseButton::kLeft},
    {wxEVT_RIGHT_DOWN, EventKind::kMouseDown, MouseButton::kRight},
    {wxEVT_RIGHT_UP, EventKind::kMouseUp, MouseButton::kRight},
    {wxEVT_MIDDLE_DOWN, EventKind::kMouseDown, MouseButton::kMiddle},
    {wxEVT_MIDDLE_UP, EventKind::kMouseUp, MouseButton::kMiddle},
    {wxEVT_MOTION, EventKind::kMouseMove, MouseButton::kNone},
    {wxEVT_MOUSEWHEEL, EventKind::kWheel, MouseButton::kNone},
};

}  // namespace

void WxWindowSystem::BindFrame(WindowHandle h, wxFrame* frame, wxWindow* client) {
  frame->Bind(wxEVT_CLOSE_WINDOW, [this, h](wxCloseEvent& ev) {
    if (!Find(h)) {
      ev.Skip();
      return;
    }
    // Closing is the runtime's decision: it destroys the window when it agrees. A disabled
    // window (under a modal one) cannot be closed by the user.
    bool mustClose = !ev.CanVeto();
    if (!mustClose && !Find(h)->window->IsEnabled()) {
      ev.Veto();
      return;
    }
    if (!mustClose) ev.Veto();
    Report(EventKind::kCloseRequested, h);
    if (mustClose && Find(h)) Destroy(h);
  });
  frame->Bind(wxEVT_MOVE, [this, h](wxMoveEvent& ev) {
    OnFrameGeometry(h);
    ev.Skip();
  });
  frame->Bind(wxEVT_SIZE, [this, h](wxSizeEvent& ev) {
    OnFrameGeometry(h);
    ev.Skip();  // the frame still fits its client panel
  });
  frame->Bind(wxEVT_MENU, [this, h](wxCommandEvent& ev) {
    Event e;
    e.kind = EventKind::kMenuCommand;
    e.window = h;
    e.command = ev.GetId();
    Report(e);
  });
  frame->Bind(wxEVT_CHAR_HOOK, &WxWindowSystem::OnCharHook, this);
  BindInput(h, client);
}

void WxWindowSystem::OnFrameGeometry(WindowHandle h) {
  Entry* e = Find(h);
  if (!e) return;
  wxRect r = e->window->GetRect();
  Rect now{r.x, r.y, r.width, r.height};
  Rect before = e->reported;
  if (now == before) return;
  e->reported = now;
  if (now.left != before.left || now.top != before.top) Report(EventKind::kMoved, h);
  if (Find(h) && (now.width != before.width || now.height != before.height))
    Report(EventKind::kSized, h);
}

void WxWindowSystem::BindInput(WindowHandle h, wxWindow* w) {
  for (const MouseKind& m : kMouseTable)
    w->Bind(wxEventTypeTag<wxMouseEvent>(m.wx), [this, h](wxMouseEvent& ev) { OnMouse(h, ev); });
  w->Bind(wxEVT_KEY_UP, [this, h](wxKeyEvent& ev) { OnKeyUp(h, ev); });
  w->Bind(wxEVT_CHAR, [this, h](wxKeyEvent& ev) { OnChar(h, ev); });
  w->Bind(wxEVT_SET_FOCUS, [this, h](wxFocusEvent& ev) {
    if (Find(h)) Report(EventKind::kFocusGained, h);
    ev.Skip();
  });
  w->Bind(wxEVT_KILL_FOCUS, [this, h](wxFocusEvent& ev) {
    if (Find(h)) Report(EventKind::kFocusLost, h);
    ev.Skip();
  });
}

void WxWindowSystem::BindControl(WindowHandle h, const Entry& e) {
  BindInput(h, e.window);
  switch (e.kind) {
    case ControlKind::kEdit:
      e.window->Bind(wxEVT_TEXT, [this, h](wxCommandEvent&) {
        if (suppressTextEvents_ == 0 && Find(h)) Report(EventKind::kEditChanged, h);
      });
      e.window->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});
      break;
    case ControlKind::kPushButton:
      e.window->Bind(wxEVT_BUTTON, [this, h](wxCommandEvent&) {
        if (Find(h)) Report(EventKind::kButtonClicked, h);
      });
      break;
    case ControlKind::kDropDownList:
      e.window->Bind(wxEVT_COMBOBOX, [this, h](wxCommandEvent&) {
        if (Find(h)) Report(EventKind::kSelectionChanged, h);
      });
      e.window->Bind(wxEVT_COMBOBOX_DROPDOWN, [this, h](wxCommandEvent&) {
        if (Entry* en = Find(h)) en->droppedDown = true;
      });
      e.window->Bind(wxEVT_COMBOBOX_CLOSEUP, [this, h](wxCommandEvent&) {
        Entry* en = Find(h);
        if (!en) return;
        en->droppedDown = false;
        Report(EventKind::kDropDownClosed, h);
      });
      break;
    case ControlKind::kOwnerDrawnButton:
      e.window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this, h](wxMouseCaptureLostEvent&) {
        if (Entry* en = Find(h)) en->pressed = false;
      });
      break;
    default:
      break;
  }
}

void WxWindowSystem::OnCharHook(wxKeyEvent& ev) {
  auto* origin = dynamic_cast<wxWindow*>(ev.GetEventObject());
  WindowHandle h = HandleOf(origin);
  if (h == kNoWindow) {
    ev.Skip();
    return;
  }
  const int vk = VirtualKeyOf(ev.GetKeyCode());
  const int mods = ModifiersOf(ev);
  WindowHandle top = TopLevelOf(h);
  // The accelerator table sees the key first, as the native message loop has it.
  for (const Accelerator& a : Find(top)->accelerators) {
    if (vk != 0 && a.key == vk && a.modifiers == mods) {
      Event e;
      e.kind = EventKind::kAccelerator;
      e.window = top;
      e.command = a.command;
      Report(e);
      return;
    }
  }
  Event e;
  e.kind = EventKind::kKeyDown;
  e.window = h;
  e.key = vk;
  e.modifiers = mods;
  if (vk != 0 && Report(e)) return;  // consumed: no key down or character follows
  if (!Find(h)) return;
  ev.Skip();
}

void WxWindowSystem::OnKeyUp(WindowHandle h, wxKeyEvent& ev) {
  if (!Find(h)) {
    ev.Skip();
    return;
  }
  Event e;
  e.kind = EventKind::kKeyUp;
  e.window = h;
  e.key = VirtualKeyOf(ev.GetKeyCode());
  e.modifiers = ModifiersOf(ev);
  if (e.key != 0 && Report(e)) return;
  if (Find(h)) ev.Skip();
}

void WxWindowSystem::OnChar(WindowHandle h, wxKeyEvent& ev) {
  int code = ev.GetKeyCode();
  wxChar unicode = ev.GetUnicodeKey();
  if (!Find(h) || code == WXK_DELETE || (unicode == WXK_NONE && code >= 32)) {
    ev.Skip();  // not a character: arrows, function keys, Delete
    return;
  }
  char32_t c = code < 32 ? static_cast<char32_t>(code) : static_cast<char32_t>(unicode);
  char32_t given = sink_ ? sink_->OnCharacter(h, c) : c;
  Entry* e = Find(h);
  if (!e || given == 0) return;  // swallowed
  if (given == c) {
    ev.Skip();
    return;
  }
  // A replaced character: the control gets the replacement instead.
  if (!e->topLevel && e->kind == ControlKind::kEdit && given >= 32) {
    auto* t = static_cast<wxTextCtrl*>(e->window);
    if (t->IsEditable()) t->WriteText(wxString::FromUTF8(EncodeUtf8(given)));
  }
}

void WxWindowSystem::OnMouse(WindowHandle h, wxMouseEvent& ev) {
  Entry* entry = Find(h);
  if (!entry) {
    ev.Skip();
    return;
  }
  Event e;
  e.window = h;
  for (const MouseKind& m : kMouseTable) {
    if (m.wx == ev.GetEventType()) {
      e.kind = m.kind;
      e.button = m.button;
    }
  }
  e.position = {ev.GetPosition().x, ev.GetPosition().y};
  e.modifiers = ModifiersOf(ev);
  if (e.kind == EventKind::kWheel)
    e.wheel = ev.GetWheelDelta() ? ev.GetWheelRotation() / ev.GetWheelDelta() : 0;
  if (Report(e)) return;  // consumed: the control does not see it
  entry = Find(h);
  if (!entry) return;
  if (!entry->topLevel && (entry->kind == ControlKind::kOwnerDrawnButton ||
                           entry->kind == ControlKind::kSurface)) {
    bool press = e.button == MouseButton::kLeft &&
                 (e.kind == EventKind::kMouseDown || e.kind == EventKind::kDoubleClick);
    if (press && entry->window->AcceptsFocus()) entry->window->SetFocus();
    if (entry->kind == ControlKind::kOwnerDrawnButton && e.button == MouseButton::kLeft) {
      if (press) {
        entry->pressed = true;
        entry->window->CaptureMouse();
      } else if (e.kind == EventKind::kMouseUp && entry->pressed) {
        entry->pressed = false;
        if (entry->window->HasCapture()) entry->window->ReleaseMouse();
        wxSize size = entry->window->GetClientSize();
        if (e.position.x >= 0 && e.position.y >= 0 && e.position.x < size.x && e.position.y < size.y)
          Report(EventKind::kButtonClicked, h);
        return;
      }
    }
  }
  ev.Skip();
}

}  // namespace barvell::ui
