#pragma once
// The window system as the runtime sees it: windows, menus, native controls,
// custom-drawn surfaces, the primitives of the event loop, the standard dialogs and the
// screen metrics. Two backends implement it: headless (deterministic, in memory) and the
// desktop. The runtime cannot tell them apart.
//
// Texts crossing this interface are UTF-8. The runtime keeps its texts in GBK and
// converts at this edge. Edit positions count characters (code points); multi-line edit
// boxes separate lines with "\r\n".
//
// Everything runs on the user-interface thread, except PostUserMessage.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/events.h"
#include "platform/ui/geometry.h"
#include "platform/ui/metrics.h"
#include "platform/ui/window_handle.h"
#include "platform/ui/window_params.h"

namespace barvell::ui {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The sink receives every event; null silences the system. Not owned.
  virtual void SetEventSink(EventSink* sink) = 0;
  virtual ScreenMetrics Metrics() const = 0;

  // --- windows ------------------------------------------------------------------------
  // Top-level windows start hidden. The hidden owner is a top-level window that is never
  // shown; windows it owns stay off the taskbar.
  virtual WindowHandle CreateTopLevel(const TopLevelParams& params) = 0;
  virtual WindowHandle CreateHiddenOwner() = 0;
  // Controls start as their parameters say (visible or hidden, enabled or not) and go on top of
  // their siblings.
  virtual WindowHandle CreateControl(const ControlParams& params) = 0;
  // Destroys the window, the top-level windows it owns and its children; each is reported
  // kDestroyed (owned windows first, then the window, then its children) and is no window
  // when this returns. Unknown handles are ignored.
  virtual void Destroy(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) const = 0;
  virtual bool IsTopLevel(WindowHandle window) const = 0;
  // The top-level window a control lies in (a top-level window is its own).
  virtual WindowHandle TopLevelOf(WindowHandle window) const = 0;

  // --- menus and accelerators (top-level windows) ------------------------------------
  // Replaces the menu bar; an empty list removes it. The client area shrinks or grows.
  virtual void SetMenuBar(WindowHandle window, const std::vector<MenuItem>& bar) = 0;
  // Keys matched here are reported as kAccelerator and never as kKeyDown.
  virtual void SetAccelerators(WindowHandle window, const std::vector<Accelerator>& table) = 0;

  // --- geometry, state, order ---------------------------------------------------------
  virtual Rect GetRect(WindowHandle window) const = 0;
  // Reports kMoved and/or kSized for what changed.
  virtual void SetRect(WindowHandle window, const Rect& rect) = 0;
  virtual Size ClientSize(WindowHandle window) const = 0;
  // Client-area origin in screen coordinates.
  virtual Point ClientToScreen(WindowHandle window, Point p) const = 0;

  // Reports kShown / kHidden when the visibility changes.
  virtual void Show(WindowHandle window, ShowMode mode) = 0;
  virtual bool IsVisible(WindowHandle window) const = 0;  // its own flag
  virtual bool IsMinimised(WindowHandle window) const = 0;
  virtual bool IsMaximised(WindowHandle window) const = 0;
  // Makes a top-level window the active one (and brings it to the front).
  virtual void Activate(WindowHandle window) = 0;
  virtual WindowHandle ActiveWindow() const = 0;
  // Disabled windows and their children get no keyboard or mouse input. A top-level
  // window's enabled state is what modal windows switch off.
  virtual void Enable(WindowHandle window, bool enabled) = 0;
  virtual bool IsEnabled(WindowHandle window) const = 0;  // its own flag

  // Moves the keyboard focus; reports kFocusLost then kFocusGained. Refused (false) for
  // a window that is hidden or disabled, or lies in one.
  virtual bool SetFocus(WindowHandle window) = 0;
  virtual WindowHandle Focus() const = 0;

  // Z-order among siblings, topmost first: PlaceAfter puts `window` directly below
  // `sibling`; PlaceOnTop puts it above all its siblings.
  virtual void PlaceAfter(WindowHandle window, WindowHandle sibling) = 0;
  virtual void PlaceOnTop(WindowHandle window) = 0;
  virtual std::vector<WindowHandle> Children(WindowHandle parent) const = 0;
  virtual WindowHandle Parent(WindowHandle window) const = 0;
  // Moves a control into another container; its rect stays the same numbers, now
  // relative to the new parent; it goes on top of its new siblings.
  virtual void SetParent(WindowHandle window, WindowHandle parent) = 0;

  // Window caption, button or group caption, edit box text. Setting an edit box's text
  // does not report kEditChanged: only the user's changes do.
  virtual void SetText(WindowHandle window, const std::string& text) = 0;
  virtual std::string GetText(WindowHandle window) const = 0;
  virtual void SetCursor(WindowHandle window, Cursor cursor) = 0;
  // The tip shown while the mouse rests over the window; the empty text removes it.
  virtual void SetToolTip(WindowHandle window, const std::string& text) = 0;
  // Client-area colour of a top-level window (0x00RRGGBB); group boxes in it share it.
  // Windows start with the metrics' button face.
  virtual void SetBackground(WindowHandle window, std::uint32_t rgb) = 0;
  virtual void SetControlBorder(WindowHandle control, ControlBorder border) = 0;

  // --- edit boxes ---------------------------------------------------------------------
  // Selection in characters, [start, end), clamped to the text; start < 0 removes the
  // selection (caret at `end`), end < 0 means the end of the text.
  virtual void SetSelection(WindowHandle edit, int start, int end) = 0;
  virtual void GetSelection(WindowHandle edit, int& start, int& end) const = 0;
  // Replaces the selection and leaves the caret after the new text (no kEditChanged).
  virtual void ReplaceSelection(WindowHandle edit, const std::string& text) = 0;
  // Adds the text at the end, caret after it and scrolled into view (no kEditChanged).
  // Costs the length of the text added, not of the text already there.
  virtual void AppendText(WindowHandle edit, const std::string& text) = 0;
  virtual void SetReadOnly(WindowHandle edit, bool readOnly) = 0;

  // --- drop-down lists ----------------------------------------------------------------
  virtual void SetItems(WindowHandle list, const std::vector<std::string>& items) = 0;
  virtual std::vector<std::string> GetItems(WindowHandle list) const = 0;
  // -1 clears the selection; an index past the end is ignored. No kSelectionChanged.
  virtual void SetCurrent(WindowHandle list, int index) = 0;
  virtual int GetCurrent(WindowHandle list) const = 0;
  virtual void ShowDropDown(WindowHandle list, bool open) = 0;
  virtual bool IsDroppedDown(WindowHandle list) const = 0;

  // --- surfaces and owner-drawn buttons ------------------------------------------------
  // The surface shows `bitmap` from its top-left corner; uncovered parts show
  // `background` (0x00RRGGBB). The bitmap is not owned: it must live until replaced, the
  // surface is destroyed, or null is set. Nothing is repainted until Invalidate.
  virtual void SetSurfaceBitmap(WindowHandle surface, const gfx::Bitmap* bitmap,
                                std::uint32_t background) = 0;
  // Schedules a repaint of the whole client area.
  virtual void Invalidate(WindowHandle surface) = 0;
  // Called before the surface's bitmap is erased to be drawn anew. A backend that paints
  // only when it handles events (later than the drawing) may keep showing the picture the
  // bitmap holds now until the loop is next idle or a dialog opens, so that pictures drawn
  // and erased between two of its repaints (a batch drawing one code after another) are
  // seen at all. A backend that shows drawing at once has nothing to do.
  virtual void HoldSurface(WindowHandle /*surface*/) {}

  // --- event loop primitives ----------------------------------------------------------
  // The loop itself is the runtime's. A posted quit is not an event: it stays posted until
  // TakeQuit, so nested loops can leave and let the outer loop see it too. One loop:
  //   for (;;) {
  //     if (modal && its window is gone) break;
  //     if (IsQuitPosted()) { if (!modal) TakeQuit(); break; }
  //     if (!HasPendingEvent()) { idle work (with ProcessIdle); if nothing more: WaitForEvent(); }
  //     else DispatchOne();
  //   }
  // DoEvents: while (HasPendingEvent() && !IsQuitPosted()) DispatchOne();
  virtual bool HasPendingEvent() = 0;
  // Dispatches one pending event to the sink, waiting for one when none is pending.
  // Returns at once when a quit is posted.
  virtual void DispatchOne() = 0;
  // Blocks until an event is pending or a quit is posted. (The desktop may dispatch
  // platform-internal work while it waits.)
  virtual void WaitForEvent() = 0;
  // The backend's own idle work; true when it wants to be called again.
  virtual bool ProcessIdle() = 0;
  virtual void PostQuit(int exitCode) = 0;
  virtual bool IsQuitPosted() const = 0;
  // Removes the posted quit and returns its exit code (0 when none was posted).
  virtual int TakeQuit() = 0;
  // Queues kUserMessage. Callable from any thread.
  virtual void PostUserMessage(int code, std::intptr_t value) = 0;

  // --- dialogs ------------------------------------------------------------------------
  virtual MessageBoxAnswer ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The chosen full path, or nothing when cancelled.
  virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const FolderRequest& request) = 0;
  // Colours as 0x00BBGGRR, like the program's colour values.
  virtual std::optional<std::uint32_t> ChooseColour(WindowHandle owner, std::uint32_t initial) = 0;
  virtual bool OpenWebPage(const std::string& url) = 0;
};

}  // namespace barvell::ui
