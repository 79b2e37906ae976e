#include "platform/ui/headless/headless_window_system.h"

#include <algorithm>
#include <utility>

#include "platform/ui/headless/headless_metrics.h"
#include "platform/ui/keys.h"

namespace barvell::ui {

namespace {

void Erase(std::vector<WindowHandle>& list, WindowHandle h) {
  list.erase(std::remove(list.begin(), list.end(), h), list.end());
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem() : driver_(*this) {}

ScreenMetrics HeadlessWindowSystem::Metrics() const { return kHeadlessMetrics; }

HeadlessWindowSystem::Node* HeadlessWindowSystem::Find(WindowHandle h) {
  return const_cast<Node*>(std::as_const(*this).Find(h));
}

const HeadlessWindowSystem::Node* HeadlessWindowSystem::Find(WindowHandle h) const {
  if (h != kNoWindow && h == foundHandle_) return found_;
  auto it = nodes_.find(h);
  if (it == nodes_.end()) return nullptr;
  foundHandle_ = h;
  found_ = const_cast<Node*>(&it->second);
  return found_;
}

bool HeadlessWindowSystem::Report(const Event& e) { return sink_ && sink_->OnEvent(e); }

bool HeadlessWindowSystem::Report(EventKind kind, WindowHandle window) {
  Event e;
  e.kind = kind;
  e.window = window;
  return Report(e);
}

// --- creation and destruction -----------------------------------------------------------

WindowHandle HeadlessWindowSystem::CreateTopLevel(const TopLevelParams& params) {
  if (params.owner != kNoWindow && !IsTopLevel(params.owner)) return kNoWindow;
  WindowHandle h = NewHandle();
  Node& n = nodes_[h];
  n.topLevel = true;
  n.owner = params.owner;
  n.background = kHeadlessMetrics.buttonFace;
  n.rect = params.outer;
  n.rect.width = std::max(n.rect.width, 0);
  n.rect.height = std::max(n.rect.height, 0);
  n.restored = n.rect;
  n.text = params.caption;
  n.border = params.border;
  n.captionBar = HasCaptionBar(params);
  topLevels_.insert(topLevels_.begin(), h);
  return h;
}

WindowHandle HeadlessWindowSystem::CreateHiddenOwner() {
  TopLevelParams params;
  params.border = WindowBorder::kNone;
  params.controlBox = false;
  return CreateTopLevel(params);
}

WindowHandle HeadlessWindowSystem::CreateControl(const ControlParams& params) {
  if (!Find(params.parent)) return kNoWindow;
  WindowHandle h = NewHandle();
  Node& n = nodes_[h];
  n.kind = params.kind;
  n.parent = params.parent;
  n.rect = params.rect;
  n.rect.width = std::max(n.rect.width, 0);
  n.rect.height = std::max(n.rect.height, 0);
  n.visible = params.visible;
  n.enabled = params.enabled;
  n.tabStop = params.tabStop;
  n.controlBorder = params.border;
  n.align = params.align;
  if (params.kind == ControlKind::kEdit) {
    n.edit.Configure(params.multiLine, params.readOnly);
    n.edit.SetText(params.text);
  } else {
    n.text = params.text;
  }
  auto& siblings = Find(params.parent)->children;
  siblings.insert(siblings.begin(), h);
  return h;
}

void HeadlessWindowSystem::CollectDestruction(WindowHandle h,
                                              std::vector<WindowHandle>& order) const {
  if (std::find(order.begin(), order.end(), h) != order.end()) return;
  const Node* n = Find(h);
  if (!n) return;
  // Owned windows go first, then the window, then its children, parents before children.
  if (n->topLevel)
    for (WindowHandle t : topLevels_)
      if (Find(t)->owner == h) CollectDestruction(t, order);
  order.push_back(h);
  for (WindowHandle c : n->children) CollectDestruction(c, order);
}

void HeadlessWindowSystem::Destroy(WindowHandle window) {
  std::vector<WindowHandle> order;
  CollectDestruction(window, order);
  if (order.empty()) return;
  // A re-entrant Destroy from the sink must not destroy the same windows twice.
  std::vector<WindowHandle> mine;
  for (WindowHandle h : order)
    if (std::find(dying_.begin(), dying_.end(), h) == dying_.end()) mine.push_back(h);
  if (mine.empty()) return;
  dying_.insert(dying_.end(), mine.begin(), mine.end());

  bool focusGoes = std::find(mine.begin(), mine.end(), focus_) != mine.end();
  bool activeGoes = std::find(mine.begin(), mine.end(), active_) != mine.end();
  WindowHandle fallbackOwner = activeGoes ? Find(active_)->owner : kNoWindow;
  if (focusGoes) {
    WindowHandle old = focus_;
    focus_ = kNoWindow;
    Report(EventKind::kFocusLost, old);
  }
  for (WindowHandle h : mine)
    if (Find(h)) Report(EventKind::kDestroyed, h);

  for (WindowHandle h : mine) {
    Node* n = Find(h);
    if (!n) continue;
    if (Node* p = Find(n->parent)) Erase(p->children, h);
    Erase(topLevels_, h);
    if (foundHandle_ == h) foundHandle_ = kNoWindow;
    nodes_.erase(h);
    Erase(dying_, h);
    if (focus_ == h) focus_ = kNoWindow;
    if (active_ == h) active_ = kNoWindow;
  }
  if (activeGoes && active_ == kNoWindow) {
    // The owner takes the activation back, else the frontmost window shown.
    Node* o = Find(fallbackOwner);
    if (o && o->visible && !o->minimised) Activate(fallbackOwner);
    else ActivateNextAfter(kNoWindow);
  }
}

bool HeadlessWindowSystem::IsWindow(WindowHandle window) const { return Find(window) != nullptr; }

bool HeadlessWindowSystem::IsTopLevel(WindowHandle window) const {
  const Node* n = Find(window);
  return n && n->topLevel;
}

WindowHandle HeadlessWindowSystem::TopLevelOf(WindowHandle window) const {
  const Node* n = Find(window);
  while (n && !n->topLevel) {
    window = n->parent;
    n = Find(window);
  }
  return n ? window : kNoWindow;
}

// --- menus ------------------------------------------------------------------------------

void HeadlessWindowSystem::SetMenuBar(WindowHandle window, const std::vector<MenuItem>& bar) {
  Node* n = Find(window);
  if (n && n->topLevel) n->menu = bar;
}

void HeadlessWindowSystem::SetAccelerators(WindowHandle window,
                                           const std::vector<Accelerator>& table) {
  Node* n = Find(window);
  if (n && n->topLevel) n->accelerators = table;
}

const MenuItem* HeadlessWindowSystem::FindCommand(const std::vector<MenuItem>& items,
                                                  int command) const {
  for (const MenuItem& item : items) {
    if (!item.enabled || item.separator) continue;
    if (item.children.empty()) {
      if (item.command == command) return &item;
    } else if (const MenuItem* found = FindCommand(item.children, command)) {
      return found;
    }
  }
  return nullptr;
}

std::vector<MenuItem> HeadlessWindowSystem::MenuBar(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->menu : std::vector<MenuItem>{};
}

// --- geometry ---------------------------------------------------------------------------

Rect HeadlessWindowSystem::GetRect(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->rect : Rect{};
}

void HeadlessWindowSystem::ReportGeometry(WindowHandle h, const Rect& before, const Rect& after) {
  if (before.left != after.left || before.top != after.top) Report(EventKind::kMoved, h);
  if (Find(h) && (before.width != after.width || before.height != after.height))
    Report(EventKind::kSized, h);
}

void HeadlessWindowSystem::SetRect(WindowHandle window, const Rect& rect) {
  Node* n = Find(window);
  if (!n) return;
  Rect before = n->rect;
  n->rect = rect;
  n->rect.width = std::max(rect.width, 0);
  n->rect.height = std::max(rect.height, 0);
  if (n->topLevel && !n->maximised) n->restored = n->rect;
  ReportGeometry(window, before, n->rect);
}

Point HeadlessWindowSystem::ClientOrigin(const Node& n) const {
  const ScreenMetrics& m = kHeadlessMetrics;
  if (!n.topLevel) {
    int inset = n.kind == ControlKind::kGroupBox
                    ? 0
                    : kControlBorderInset[static_cast<int>(n.controlBorder)];
    return {inset, inset};
  }
  int frame = n.border == WindowBorder::kNone ? 0
              : IsSizeable(n.border)          ? m.sizeableFrame
                                              : m.fixedFrame;
  int edge = HasClientEdge(n.border) ? m.clientEdge : 0;
  int caption = !n.captionBar ? 0 : IsToolWindow(n.border) ? m.toolCaptionHeight : m.captionHeight;
  int menu = n.menu.empty() ? 0 : m.menuBarHeight;
  return {frame + edge, frame + caption + menu + edge};
}

Size HeadlessWindowSystem::ClientSize(WindowHandle window) const {
  const Node* n = Find(window);
  if (!n) return {};
  Point o = ClientOrigin(*n);
  // The frame is symmetric except for the caption and menu bar at the top.
  int right = o.x;
  int bottom = n->topLevel ? o.x : o.y;
  return {std::max(0, n->rect.width - o.x - right), std::max(0, n->rect.height - o.y - bottom)};
}

Point HeadlessWindowSystem::ClientToScreen(WindowHandle window, Point p) const {
  const Node* n = Find(window);
  if (!n) return p;
  Point o = ClientOrigin(*n);
  Point inParent{n->rect.left + o.x + p.x, n->rect.top + o.y + p.y};
  return n->topLevel ? inParent : ClientToScreen(n->parent, inParent);
}

// --- visibility, activation, enabling, focus --------------------------------------------

void HeadlessWindowSystem::SetVisibility(WindowHandle h, bool visible) {
  Node* n = Find(h);
  if (!n || n->visible == visible) return;
  n->visible = visible;
  Report(visible ? EventKind::kShown : EventKind::kHidden, h);
}

void HeadlessWindowSystem::ActivateNextAfter(WindowHandle leaving) {
  for (WindowHandle t : topLevels_) {
    const Node* n = Find(t);
    if (t != leaving && n->visible && !n->minimised) {
      Activate(t);
      return;
    }
  }
  if (active_ == leaving) active_ = kNoWindow;
  if (focus_ != kNoWindow && TopLevelOf(focus_) == leaving) SetFocus(kNoWindow);
}

void HeadlessWindowSystem::Show(WindowHandle window, ShowMode mode) {
  Node* n = Find(window);
  if (!n) return;
  if (!n->topLevel) {
    SetVisibility(window, mode != ShowMode::kHide);
    return;
  }
  switch (mode) {
    case ShowMode::kHide:
      SetVisibility(window, false);
      if (active_ == window) ActivateNextAfter(window);
      break;
    case ShowMode::kShow:
      SetVisibility(window, true);
      if (Find(window) && !Find(window)->minimised) Activate(window);
      break;
    case ShowMode::kShowNoActivate:
      SetVisibility(window, true);
      break;
    case ShowMode::kMinimise:
      n->minimised = true;
      SetVisibility(window, true);
      if (active_ == window) ActivateNextAfter(window);
      break;
    case ShowMode::kMaximise: {
      n->minimised = false;
      if (!n->maximised) {
        n->restored = n->rect;
        n->maximised = true;
        Rect before = n->rect;
        n->rect = {0, 0, kHeadlessMetrics.width, kHeadlessMetrics.height};
        ReportGeometry(window, before, n->rect);
      }
      SetVisibility(window, true);
      if (Find(window)) Activate(window);
      break;
    }
    case ShowMode::kRestore: {
      n->minimised = false;
      if (n->maximised) {
        n->maximised = false;
        Rect before = n->rect;
        n->rect = n->restored;
        ReportGeometry(window, before, n->rect);
      }
      SetVisibility(window, true);
      if (Find(window)) Activate(window);
      break;
    }
  }
}

bool HeadlessWindowSystem::IsVisible(WindowHandle window) const {
  const Node* n = Find(window);
  return n && n->visible;
}

bool HeadlessWindowSystem::IsMinimised(WindowHandle window) const {
  const Node* n = Find(window);
  return n && n->minimised;
}

bool HeadlessWindowSystem::IsMaximised(WindowHandle window) const {
  const Node* n = Find(window);
  return n && n->maximised;
}

bool HeadlessWindowSystem::IsReallyVisible(WindowHandle window) const {
  for (const Node* n = Find(window); n; n = n->topLevel ? nullptr : Find(n->parent)) {
    if (!n->visible || n->minimised) return false;
    if (n->topLevel) return true;
  }
  return false;
}

bool HeadlessWindowSystem::IsReallyEnabled(WindowHandle window) const {
  for (const Node* n = Find(window); n; n = n->topLevel ? nullptr : Find(n->parent)) {
    if (!n->enabled) return false;
    if (n->topLevel) return true;
  }
  return false;
}

void HeadlessWindowSystem::Activate(WindowHandle window) {
  Node* n = Find(window);
  if (!n || !n->topLevel) return;
  Erase(topLevels_, window);
  topLevels_.insert(topLevels_.begin(), window);
  if (active_ == window && focus_ != kNoWindow && TopLevelOf(focus_) == window) return;
  active_ = window;
  // The focus returns to where it was when the window was last active.
  WindowHandle target = window;
  WindowHandle last = n->lastFocus;
  if (last != kNoWindow && TopLevelOf(last) == window && IsReallyVisible(last) &&
      IsReallyEnabled(last))
    target = last;
  if (focus_ == target) return;
  WindowHandle old = focus_;
  focus_ = target;
  if (old != kNoWindow && Find(old)) Report(EventKind::kFocusLost, old);
  if (Find(target) && focus_ == target) Report(EventKind::kFocusGained, target);
}

void HeadlessWindowSystem::Enable(WindowHandle window, bool enabled) {
  if (Node* n = Find(window)) n->enabled = enabled;
}

bool HeadlessWindowSystem::IsEnabled(WindowHandle window) const {
  const Node* n = Find(window);
  return n && n->enabled;
}

bool HeadlessWindowSystem::SetFocus(WindowHandle window) {
  if (window == kNoWindow) {
    WindowHandle old = focus_;
    focus_ = kNoWindow;
    if (old != kNoWindow && Find(old)) Report(EventKind::kFocusLost, old);
    return true;
  }
  if (!Find(window) || !IsReallyVisible(window) || !IsReallyEnabled(window)) return false;
  if (focus_ == window) return true;
  WindowHandle top = TopLevelOf(window);
  Find(top)->lastFocus = window;
  if (active_ != top) {
    active_ = top;
    Erase(topLevels_, top);
    topLevels_.insert(topLevels_.begin(), top);
  }
  WindowHandle old = focus_;
  focus_ = window;
  if (old != kNoWindow && Find(old)) Report(EventKind::kFocusLost, old);
  if (Find(window) && focus_ == window) Report(EventKind::kFocusGained, window);
  return true;
}

// --- z-order and parents ----------------------------------------------------------------

void HeadlessWindowSystem::PlaceAfter(WindowHandle window, WindowHandle sibling) {
  Node* n = Find(window);
  Node* s = Find(sibling);
  if (!n || !s || window == sibling || n->topLevel != s->topLevel) return;
  std::vector<WindowHandle>* list = &topLevels_;
  if (!n->topLevel) {
    if (n->parent != s->parent) return;
    list = &Find(n->parent)->children;
  }
  Erase(*list, window);
  auto at = std::find(list->begin(), list->end(), sibling);
  list->insert(at + 1, window);
}

void HeadlessWindowSystem::PlaceOnTop(WindowHandle window) {
  Node* n = Find(window);
  if (!n) return;
  std::vector<WindowHandle>& list = n->topLevel ? topLevels_ : Find(n->parent)->children;
  Erase(list, window);
  list.insert(list.begin(), window);
}

std::vector<WindowHandle> HeadlessWindowSystem::Children(WindowHandle parent) const {
  const Node* n = Find(parent);
  return n ? n->children : std::vector<WindowHandle>{};
}

std::vector<WindowHandle> HeadlessWindowSystem::TopLevels() const { return topLevels_; }

WindowHandle HeadlessWindowSystem::Parent(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->parent : kNoWindow;
}

void HeadlessWindowSystem::SetParent(WindowHandle window, WindowHandle parent) {
  Node* n = Find(window);
  if (!n || n->topLevel || !Find(parent) || n->parent == parent) return;
  // A window cannot move into itself or into one of its own children.
  for (WindowHandle p = parent; p != kNoWindow; p = Parent(p))
    if (p == window) return;
  Erase(Find(n->parent)->children, window);
  n->parent = parent;
  auto& siblings = Find(parent)->children;
  siblings.insert(siblings.begin(), window);
}

// --- texts and looks --------------------------------------------------------------------

void HeadlessWindowSystem::SetText(WindowHandle window, const std::string& text) {
  Node* n = Find(window);
  if (!n) return;
  if (!n->topLevel && n->kind == ControlKind::kEdit) n->edit.SetText(text);
  else n->text = text;
}

std::string HeadlessWindowSystem::GetText(WindowHandle window) const {
  const Node* n = Find(window);
  if (!n) return {};
  return !n->topLevel && n->kind == ControlKind::kEdit ? n->edit.Text() : n->text;
}

void HeadlessWindowSystem::SetCursor(WindowHandle window, Cursor cursor) {
  if (Node* n = Find(window)) n->cursor = cursor;
}

void HeadlessWindowSystem::SetToolTip(WindowHandle window, const std::string& text) {
  if (Node* n = Find(window)) n->toolTip = text;
}

std::string HeadlessWindowSystem::ToolTipOf(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->toolTip : std::string();
}

void HeadlessWindowSystem::SetBackground(WindowHandle window, std::uint32_t rgb) {
  Node* n = Find(window);
  if (n && n->topLevel) n->background = rgb & 0x00FFFFFFu;
}

std::uint32_t HeadlessWindowSystem::BackgroundOf(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->background : 0;
}

Cursor HeadlessWindowSystem::CursorOf(WindowHandle window) const {
  const Node* n = Find(window);
  return n ? n->cursor : Cursor::kArrow;
}

void HeadlessWindowSystem::SetControlBorder(WindowHandle control, ControlBorder border) {
  Node* n = Find(control);
  if (n && !n->topLevel) n->controlBorder = border;
}

TextAlign HeadlessWindowSystem::AlignOf(WindowHandle label) const {
  const Node* n = Find(label);
  return n ? n->align : TextAlign::kLeft;
}

ControlKind HeadlessWindowSystem::KindOf(WindowHandle control) const {
  const Node* n = Find(control);
  return n ? n->kind : ControlKind::kSurface;
}

// --- edit boxes -------------------------------------------------------------------------

void HeadlessWindowSystem::SetSelection(WindowHandle edit, int start, int end) {
  Node* n = Find(edit);
  if (n && !n->topLevel && n->kind == ControlKind::kEdit) n->edit.Select(start, end);
}

void HeadlessWindowSystem::GetSelection(WindowHandle edit, int& start, int& end) const {
  const Node* n = Find(edit);
  start = end = 0;
  if (n && !n->topLevel && n->kind == ControlKind::kEdit) {
    start = n->edit.SelectionStart();
    end = n->edit.SelectionEnd();
  }
}

void HeadlessWindowSystem::ReplaceSelection(WindowHandle edit, const std::string& text) {
  Node* n = Find(edit);
  if (n && !n->topLevel && n->kind == ControlKind::kEdit) n->edit.ReplaceSelection(text);
}

void HeadlessWindowSystem::AppendText(WindowHandle edit, const std::string& text) {
  Node* n = Find(edit);
  if (n && !n->topLevel && n->kind == ControlKind::kEdit) n->edit.Append(text);
}

void HeadlessWindowSystem::SetReadOnly(WindowHandle edit, bool readOnly) {
  Node* n = Find(edit);
  if (n && !n->topLevel && n->kind == ControlKind::kEdit) n->edit.SetReadOnly(readOnly);
}

void HeadlessWindowSystem::UserEdit(WindowHandle edit) {
  Report(EventKind::kEditChanged, edit);
}

// --- drop-down lists --------------------------------------------------------------------

void HeadlessWindowSystem::SetItems(WindowHandle list, const std::vector<std::string>& items) {
  Node* n = Find(list);
  if (!n || n->kind != ControlKind::kDropDownList) return;
  n->items = items;
  n->current = -1;
}

std::vector<std::string> HeadlessWindowSystem::GetItems(WindowHandle list) const {
  const Node* n = Find(list);
  return n ? n->items : std::vector<std::string>{};
}

void HeadlessWindowSystem::SetCurrent(WindowHandle list, int index) {
  Node* n = Find(list);
  if (!n || n->kind != ControlKind::kDropDownList) return;
  if (index < 0) n->current = -1;
  else if (index < static_cast<int>(n->items.size())) n->current = index;
}

int HeadlessWindowSystem::GetCurrent(WindowHandle list) const {
  const Node* n = Find(list);
  return n ? n->current : -1;
}

void HeadlessWindowSystem::ShowDropDown(WindowHandle list, bool open) {
  Node* n = Find(list);
  if (!n || n->kind != ControlKind::kDropDownList || n->droppedDown == open) return;
  n->droppedDown = open;
  if (!open) Report(EventKind::kDropDownClosed, list);
}

bool HeadlessWindowSystem::IsDroppedDown(WindowHandle list) const {
  const Node* n = Find(list);
  return n && n->droppedDown;
}

// --- surfaces ---------------------------------------------------------------------------

void HeadlessWindowSystem::SetSurfaceBitmap(WindowHandle surface, const gfx::Bitmap* bitmap,
                                            std::uint32_t background) {
  if (Node* n = Find(surface)) {
    n->bitmap = bitmap;
    n->background = background;
  }
}

void HeadlessWindowSystem::Invalidate(WindowHandle surface) {
  if (Node* n = Find(surface)) ++n->paints;
}

int HeadlessWindowSystem::PaintRequests(WindowHandle surface) const {
  const Node* n = Find(surface);
  return n ? n->paints : 0;
}

const gfx::Bitmap* HeadlessWindowSystem::SurfaceBitmap(WindowHandle surface) const {
  const Node* n = Find(surface);
  return n ? n->bitmap : nullptr;
}

// --- dialogs ----------------------------------------------------------------------------

MessageBoxAnswer HeadlessWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  return driver_.OnMessageBox(request);
}

std::optional<std::string> HeadlessWindowSystem::ShowFileDialog(const FileDialogRequest& request) {
  return driver_.OnFileDialog(request);
}

std::optional<std::string> HeadlessWindowSystem::ChooseFolder(const FolderRequest& request) {
  return driver_.OnFolder(request);
}

std::optional<std::uint32_t> HeadlessWindowSystem::ChooseColour(WindowHandle, std::uint32_t initial) {
  return driver_.OnColour(initial);
}

bool HeadlessWindowSystem::OpenWebPage(const std::string& url) {
  driver_.OnWebPage(url);
  return true;
}

}  // namespace barvell::ui
