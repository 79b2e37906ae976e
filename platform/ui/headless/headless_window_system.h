#pragma once
// The deterministic in-memory window system: windows are records, input comes from the
// InputDriver through an explicit queue, and the screen is kHeadlessMetrics.

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/ui/headless/edit_model.h"
#include "platform/ui/headless/headless_input.h"
#include "platform/ui/headless/input_driver.h"
#include "platform/ui/window_system.h"

namespace barvell::ui {

class HeadlessWindowSystem final : public WindowSystem {
 public:
  HeadlessWindowSystem();
  // The memo of the last window found points into this object's own nodes.
  HeadlessWindowSystem(const HeadlessWindowSystem&) = delete;
  HeadlessWindowSystem& operator=(const HeadlessWindowSystem&) = delete;

  InputDriver& Driver() { return driver_; }
  // Queues an input (the driver's way in).
  void Post(HeadlessInput input);

  // What a test may look at beyond the interface.
  Cursor CursorOf(WindowHandle window) const;
  std::string ToolTipOf(WindowHandle window) const;
  std::uint32_t BackgroundOf(WindowHandle window) const;
  int PaintRequests(WindowHandle surface) const;
  const gfx::Bitmap* SurfaceBitmap(WindowHandle surface) const;
  std::vector<MenuItem> MenuBar(WindowHandle window) const;
  ControlKind KindOf(WindowHandle control) const;
  TextAlign AlignOf(WindowHandle label) const;
  std::vector<WindowHandle> TopLevels() const;  // front to back
  // Whether the window and everything it lies in are shown / enabled.
  bool IsReallyVisible(WindowHandle window) const;
  bool IsReallyEnabled(WindowHandle window) const;

  // WindowSystem
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
  WindowHandle ActiveWindow() const override { return active_; }
  void Enable(WindowHandle window, bool enabled) override;
  bool IsEnabled(WindowHandle window) const override;
  bool SetFocus(WindowHandle window) override;
  WindowHandle Focus() const override { return focus_; }
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
  bool HasPendingEvent() override;
  void DispatchOne() override;
  void WaitForEvent() override;
  bool ProcessIdle() override { return false; }
  void PostQuit(int exitCode) override;
  bool IsQuitPosted() const override { return quit_.has_value(); }
  int TakeQuit() override;
  void PostUserMessage(int code, std::intptr_t value) override;
  MessageBoxAnswer ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderRequest& request) override;
  std::optional<std::uint32_t> ChooseColour(WindowHandle owner, std::uint32_t initial) override;
  bool OpenWebPage(const std::string& url) override;

 private:
  struct Node {
    bool topLevel = false;
    ControlKind kind = ControlKind::kSurface;  // controls only
    TextAlign align = TextAlign::kLeft;        // labels
    WindowHandle parent = kNoWindow;           // controls: container; top-levels: none
    WindowHandle owner = kNoWindow;            // top-levels
    std::vector<WindowHandle> children;        // topmost first
    Rect rect;
    Rect restored;  // top-levels: the rect before maximising
    std::string text;
    bool visible = false;
    bool enabled = true;
    bool tabStop = false;
    bool minimised = false;
    bool maximised = false;
    bool pressed = false;  // a button under a held left button
    WindowBorder border = WindowBorder::kNone;
    bool captionBar = false;
    ControlBorder controlBorder = ControlBorder::kNone;
    Cursor cursor = Cursor::kArrow;
    std::string toolTip;
    std::vector<MenuItem> menu;
    std::vector<Accelerator> accelerators;
    WindowHandle lastFocus = kNoWindow;  // top-levels: focus to restore on activation
    EditModel edit;
    std::vector<std::string> items;
    int current = -1;
    bool droppedDown = false;
    const gfx::Bitmap* bitmap = nullptr;
    std::uint32_t background = 0xF0F0F0;  // surfaces: around the bitmap; windows: client
    int paints = 0;
  };

  Node* Find(WindowHandle h);
  const Node* Find(WindowHandle h) const;
  WindowHandle NewHandle() { return nextHandle_++; }
  bool Report(const Event& e);
  bool Report(EventKind kind, WindowHandle window);
  void ReportGeometry(WindowHandle h, const Rect& before, const Rect& after);
  Point ClientOrigin(const Node& n) const;  // offset of the client area in the outer rect
  WindowHandle HitTest(WindowHandle container, Point& p) const;
  void SetVisibility(WindowHandle h, bool visible);
  void ActivateNextAfter(WindowHandle leaving);
  void CollectDestruction(WindowHandle h, std::vector<WindowHandle>& order) const;
  const MenuItem* FindCommand(const std::vector<MenuItem>& items, int command) const;

  void DispatchKey(HeadlessInput& in);
  void DispatchCharacter(const HeadlessInput& in);
  void DispatchMouse(HeadlessInput in);
  void ClickDefault(WindowHandle target, const Event& e);
  void KeyDefault(WindowHandle target, int key, int modifiers, bool down);
  void UserEdit(WindowHandle edit);

  EventSink* sink_ = nullptr;
  InputDriver driver_;
  std::map<WindowHandle, Node> nodes_;
  // The node last found: every drawing command invalidates its surface, and the same few
  // windows are asked after again and again. Map nodes stay put until erased, which
  // forgets the memo.
  mutable WindowHandle foundHandle_ = kNoWindow;
  mutable Node* found_ = nullptr;
  std::vector<WindowHandle> topLevels_;  // front to back
  std::vector<WindowHandle> dying_;      // being destroyed, reported but not yet gone
  WindowHandle nextHandle_ = 1;
  WindowHandle focus_ = kNoWindow;
  WindowHandle active_ = kNoWindow;
  std::deque<HeadlessInput> queue_;
  std::optional<int> quit_;
  std::mutex userMutex_;  // PostUserMessage may come from another thread
  std::deque<HeadlessInput> userMessages_;
};

}  // namespace barvell::ui
