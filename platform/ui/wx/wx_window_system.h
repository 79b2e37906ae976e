#pragma once
// The desktop window system over wxWidgets: frames with a client panel, native edit
// boxes, buttons and drop-down lists, drawn group boxes and bitmap surfaces.

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include <wx/event.h>
#include <wx/window.h>

#include "platform/kernel/message_box.h"
#include "platform/ui/window_system.h"

class wxEventLoopBase;
class wxFrame;
class wxKeyEvent;
class wxMouseEvent;

namespace barvell::ui {

class WxWindowSystem final : public WindowSystem {
 public:
  // Takes the active event loop; the destructor shuts wx down.
  explicit WxWindowSystem(wxEventLoopBase* loop);
  ~WxWindowSystem() override;

  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  ScreenMetrics Metrics() const override;
  WindowHandle CreateTopLevel(const TopLevelParams& params) override;
  WindowHandle CreateHiddenOwner() override;
  WindowHandle CreateControl(const ControlParams& params) override;
  void Destroy(WindowHandle window) override;
  bool IsWindow(WindowHandle window) const override;
  bool IsTopLevel(WindowHandle window) const override;
  WindowHandle TopLevelOf(WindowHandle window) const override;
  void SetMenuBar(WindowHandle window, const std::vector<MenuItem>& bar) override;
  void SetAccelerators(WindowHandle window, const std::vector<Accelerator>& table) override;
  Rect GetRect(WindowHandle window) const override;
  void SetRect(WindowHandle window, const Rect& rect) override;
  Size ClientSize(WindowHandle window) const override;
  Point ClientToScreen(WindowHandle window, Point p) const override;
  void Show(WindowHandle window, ShowMode mode) override;
  bool IsVisible(WindowHandle window) const override;
  bool IsMinimised(WindowHandle window) const override;
  bool IsMaximised(WindowHandle window) const override;
  void Activate(WindowHandle window) override;
  WindowHandle ActiveWindow() const override;
  void Enable(WindowHandle window, bool enabled) override;
  bool IsEnabled(WindowHandle window) const override;
  bool SetFocus(WindowHandle window) override;
  WindowHandle Focus() const override;
  void PlaceAfter(WindowHandle window, WindowHandle sibling) override;
  void PlaceOnTop(WindowHandle window) override;
  std::vector<WindowHandle> Children(WindowHandle parent) const override;
  WindowHandle Parent(WindowHandle window) const override;
  void SetParent(WindowHandle window, WindowHandle parent) override;
  void SetText(WindowHandle window, const std::string& text) override;
  std::string GetText(WindowHandle window) const override;
  void SetCursor(WindowHandle window, Cursor cursor) override;
  void SetToolTip(WindowHandle window, const std::string& text) override;
  void SetBackground(WindowHandle window, std::uint32_t rgb) override;
  void SetControlBorder(WindowHandle control, ControlBorder border) override;
  void SetSelection(WindowHandle edit, int start, int end) override;
  void GetSelection(WindowHandle edit, int& start, int& end) const override;
  void ReplaceSelection(WindowHandle edit, const std::string& text) override;
  void AppendText(WindowHandle edit, const std::string& text) override;
  void SetReadOnly(WindowHandle edit, bool readOnly) override;
  void SetItems(WindowHandle list, const std::vector<std::string>& items) override;
  std::vector<std::string> GetItems(WindowHandle list) const override;
  void SetCurrent(WindowHandle list, int index) override;
  int GetCurrent(WindowHandle list) const override;
  void ShowDropDown(WindowHandle list, bool open) override;
  bool IsDroppedDown(WindowHandle list) const override;
  void SetSurfaceBitmap(WindowHandle surface, const gfx::Bitmap* bitmap,
                        std::uint32_t background) override;
  void Invalidate(WindowHandle surface) override;
  void HoldSurface(WindowHandle surface) override;
  bool HasPendingEvent() override;
  void DispatchOne() override;
  void WaitForEvent() override;
  bool ProcessIdle() override;
  void PostQuit(int exitCode) override;
  bool IsQuitPosted() const override { return quitPosted_; }
  int TakeQuit() override;
  void PostUserMessage(int code, std::intptr_t value) override;
  MessageBoxAnswer ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderRequest& request) override;
  std::optional<std::uint32_t> ChooseColour(WindowHandle owner, std::uint32_t initial) override;
  bool OpenWebPage(const std::string& url) override;

 private:
  struct Entry {
    wxWindow* window = nullptr;  // the frame of a top-level window
    wxWindow* client = nullptr;  // where children are placed: a frame's client panel
    bool topLevel = false;
    ControlKind kind = ControlKind::kSurface;
    WindowHandle parent = kNoWindow;
    WindowHandle owner = kNoWindow;
    std::vector<WindowHandle> children;  // topmost first
    std::vector<Accelerator> accelerators;
    Rect reported;  // top-levels: the rectangle last reported
    bool multiLine = false;
    bool droppedDown = false;
    bool pressed = false;  // owner-drawn button under a held left button
  };

  Entry* Find(WindowHandle h);
  const Entry* Find(WindowHandle h) const;
  WindowHandle HandleOf(wxWindow* w) const;  // the window or its nearest registered parent
  wxWindow* ParentWindowFor(WindowHandle parent) const;
  WindowHandle Register(Entry entry);
  bool Report(const Event& e);
  bool Report(EventKind kind, WindowHandle window);
  void ApplyZOrder(WindowHandle parent);  // marks the parent for FlushZOrder
  void FlushZOrder();
  void ReleaseHeldSurfaces();
  void CollectDestruction(WindowHandle h, std::vector<WindowHandle>& order) const;
  wxWindow* DialogParent(WindowHandle owner) const;

  // Event wiring (wx_events.cpp).
  void BindFrame(WindowHandle h, wxFrame* frame, wxWindow* client);
  void BindInput(WindowHandle h, wxWindow* w);
  void BindControl(WindowHandle h, const Entry& e);
  void OnCharHook(wxKeyEvent& event);
  void OnKeyUp(WindowHandle h, wxKeyEvent& event);
  void OnChar(WindowHandle h, wxKeyEvent& event);
  void OnMouse(WindowHandle h, wxMouseEvent& event);
  void OnFrameGeometry(WindowHandle h);

  EventSink* sink_ = nullptr;
  wxEventLoopBase* loop_;
  std::map<WindowHandle, Entry> entries_;
  std::unordered_map<wxWindow*, WindowHandle> byWindow_;
  std::vector<WindowHandle> dying_;
  std::vector<WindowHandle> zOrderStale_;  // parents whose children need restacking
  std::vector<WindowHandle> held_;  // surfaces showing a held picture until the loop idles
  WindowHandle nextHandle_ = 1;
  int suppressTextEvents_ = 0;  // programmatic edits do not report kEditChanged
  bool quitPosted_ = false;
  int quitCode_ = 0;
  std::mutex userMutex_;
  std::deque<std::pair<int, std::intptr_t>> userMessages_;
  // The runtime's own boxes (the fatal error report) are shown as desktop message boxes
  // while this system lives; the hook before it comes back with the destructor.
  platform::MessageBoxHook previousBoxHook_;
};

}  // namespace barvell::ui
