#include "platform/ui/wx/wx_text.h"
#include "platform/ui/wx/wx_window_system.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/cursor.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "platform/text/gbk.h"
#include "platform/ui/utf8.h"
#include "platform/ui/wx/wx_cached_attributes.h"
#include "platform/ui/wx/wx_surface.h"

namespace barvell::ui {

namespace {


wxRect WxRect(const Rect& r) { return wxRect(r.left, r.top, r.width, r.height); }

// Multi-line boxes keep "\n" inside wx; the interface speaks "\r\n".
std::string ToInterfaceLines(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}
std::string ToWxLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Interface position (CR LF counts two) to wx position (LF counts one), and back.
long WxPosition(const std::u32string& wxText, int pos) {
  int ip = 0;
  long i = 0;
  for (; i < static_cast<long>(wxText.size()) && ip < pos; ++i) ip += wxText[i] == U'\n' ? 2 : 1;
  return i;
}
int InterfacePosition(const std::u32string& wxText, long pos) {
  pos = std::clamp<long>(pos, 0, static_cast<long>(wxText.size()));
  return static_cast<int>(pos + std::count(wxText.begin(), wxText.begin() + pos, U'\n'));
}

long BorderStyleOf(ControlBorder b) {
  switch (b) {
    case ControlBorder::kNone: return wxBORDER_NONE;
    case ControlBorder::kClientEdge:
    case ControlBorder::kClientAndModal: return wxBORDER_SUNKEN;
    case ControlBorder::kModalFrame: return wxBORDER_RAISED;
    case ControlBorder::kStaticEdge: return wxBORDER_STATIC;
    case ControlBorder::kFlat: return wxBORDER_SIMPLE;
  }
  return wxBORDER_NONE;
}

constexpr std::pair<Cursor, wxStockCursor> kCursorTable[] = {
    {Cursor::kArrow, wxCURSOR_ARROW}, {Cursor::kHand, wxCURSOR_HAND},
    {Cursor::kIBeam, wxCURSOR_IBEAM}, {Cursor::kWait, wxCURSOR_WAIT},
    {Cursor::kCross, wxCURSOR_CROSS}, {Cursor::kSizeAll, wxCURSOR_SIZING},
    {Cursor::kNo, wxCURSOR_NO_ENTRY},
};

wxMenu* BuildMenu(const std::vector<MenuItem>& items) {
  auto* menu = new wxMenu;
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu->AppendSeparator();
    } else if (!item.children.empty()) {
      wxMenuItem* sub = menu->AppendSubMenu(BuildMenu(item.children), Wx(item.caption));
      sub->Enable(item.enabled);
    } else {
      wxMenuItem* m = menu->Append(item.command, Wx(item.caption), wxString(),
                                   item.checked ? wxITEM_CHECK : wxITEM_NORMAL);
      if (item.checked) m->Check(true);
      m->Enable(item.enabled);
    }
  }
  return menu;
}

}  // namespace

WxWindowSystem::WxWindowSystem(wxEventLoopBase* loop) : loop_(loop) {
  previousBoxHook_ = platform::SetMessageBoxHook(
      [this](std::string_view text, std::string_view caption, uint32_t style) {
        MessageBoxRequest request;
        request.text = platform::GbkToUtf8(text);
        request.caption = platform::GbkToUtf8(caption);
        request.style = style;
        return static_cast<int32_t>(ShowMessageBox(request));
      });
}

WxWindowSystem::~WxWindowSystem() {
  platform::SetMessageBoxHook(std::move(previousBoxHook_));
  sink_ = nullptr;
  std::vector<WindowHandle> tops;
  for (auto& [h, e] : entries_)
    if (e.topLevel) tops.push_back(h);
  for (WindowHandle h : tops) Destroy(h);
  wxTheApp->ProcessIdle();  // frames are deleted at idle time
  // The loop and wx itself go with the window system.
  wxEventLoopBase::SetActive(nullptr);
  delete loop_;
  wxTheApp->OnExit();
  wxEntryCleanup();
}

WxWindowSystem::Entry* WxWindowSystem::Find(WindowHandle h) {
  auto it = entries_.find(h);
  return it == entries_.end() ? nullptr : &it->second;
}

const WxWindowSystem::Entry* WxWindowSystem::Find(WindowHandle h) const {
  auto it = entries_.find(h);
  return it == entries_.end() ? nullptr : &it->second;
}

WindowHandle WxWindowSystem::HandleOf(wxWindow* w) const {
  for (; w; w = w->GetParent()) {
    auto it = byWindow_.find(w);
    if (it != byWindow_.end()) return it->second;
    if (w->IsTopLevel()) break;
  }
  return kNoWindow;
}

wxWindow* WxWindowSystem::ParentWindowFor(WindowHandle parent) const {
  const Entry* p = Find(parent);
  return p ? p->client : nullptr;
}

WindowHandle WxWindowSystem::Register(Entry entry) {
  WindowHandle h = nextHandle_++;
  byWindow_[entry.window] = h;
  if (entry.client && entry.client != entry.window) byWindow_[entry.client] = h;
  entries_[h] = std::move(entry);
  return h;
}

bool WxWindowSystem::Report(const Event& e) { return sink_ && sink_->OnEvent(e); }

bool WxWindowSystem::Report(EventKind kind, WindowHandle window) {
  Event e;
  e.kind = kind;
  e.window = window;
  return Report(e);
}

ScreenMetrics WxWindowSystem::Metrics() const {
  auto metric = [](wxSystemMetric m) { return std::max(0, wxSystemSettings::GetMetric(m)); };
  ScreenMetrics s;
  wxRect screen = wxDisplay(0u).GetGeometry();
  s.width = screen.width;
  s.height = screen.height;
  s.dpi = wxDisplay(0u).GetPPI().y > 0 ? wxDisplay(0u).GetPPI().y : 96;
  s.sizeableFrame = metric(wxSYS_FRAMESIZE_X);
  s.fixedFrame = metric(wxSYS_BORDER_X);
  s.captionHeight = metric(wxSYS_CAPTION_Y);
  s.toolCaptionHeight = s.captionHeight;
  s.menuBarHeight = metric(wxSYS_MENU_Y);
  s.clientEdge = metric(wxSYS_EDGE_X);
  wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  s.buttonFace = (static_cast<std::uint32_t>(face.Red()) << 16) | (face.Green() << 8) | face.Blue();
  return s;
}

// --- creation ---------------------------------------------------------------------------

WindowHandle WxWindowSystem::CreateTopLevel(const TopLevelParams& params) {
  const Entry* owner = Find(params.owner);
  if (params.owner != kNoWindow && (!owner || !owner->topLevel)) return kNoWindow;
  long style = wxCLIP_CHILDREN;
  if (params.border != WindowBorder::kNone && HasCaptionBar(params)) style |= wxCAPTION;
  if (params.border != WindowBorder::kNone && params.controlBox) style |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if (params.border == WindowBorder::kNone) style |= wxBORDER_NONE;
  if (IsSizeable(params.border)) style |= wxRESIZE_BORDER;
  if (params.maximiseBox) style |= wxMAXIMIZE_BOX;
  if (params.minimiseBox) style |= wxMINIMIZE_BOX;
  if (IsToolWindow(params.border)) style |= wxFRAME_TOOL_WINDOW;
  if (params.alwaysOnTop) style |= wxSTAY_ON_TOP;
  wxWindow* parent = nullptr;
  if (owner) {
    // An owned window stays above its owner and off the taskbar; the hidden owner is
    // never shown, so being above it means nothing.
    style |= wxFRAME_NO_TASKBAR;
    if (owner->window->IsShown()) {
      parent = owner->window;
      style |= wxFRAME_FLOAT_ON_PARENT;
    }
  }
  auto* frame = new CachedAttributes<wxFrame>(
      parent, wxID_ANY, Wx(params.caption), wxPoint(params.outer.left, params.outer.top),
      wxSize(params.outer.width, params.outer.height), style);
  // The one child of a frame fills its client area; the controls go on this window, so
  // their positions are their own. A plain window, not a panel: it keeps the focus when it
  // gets it instead of handing it to its first child.
  auto* client = new CachedAttributes<wxWindow>(
      frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
      (HasClientEdge(params.border) ? wxBORDER_SUNKEN : wxBORDER_NONE) | wxWANTS_CHARS);
  client->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  frame->SetSize(WxRect(params.outer));
  Entry e;
  e.window = frame;
  e.client = client;
  e.topLevel = true;
  e.owner = params.owner;
  e.reported = params.outer;
  WindowHandle h = Register(std::move(e));
  BindFrame(h, frame, client);
  return h;
}

WindowHandle WxWindowSystem::CreateHiddenOwner() {
  auto* frame = new wxFrame(nullptr, wxID_ANY, wxString(), wxPoint(0, 0), wxSize(1, 1),
                            wxFRAME_TOOL_WINDOW | wxFRAME_NO_TASKBAR | wxBORDER_NONE);
  Entry e;
  e.window = frame;
  e.client = frame;
  e.topLevel = true;
  return Register(std::move(e));
}

WindowHandle WxWindowSystem::CreateControl(const ControlParams& params) {
  wxWindow* parent = ParentWindowFor(params.parent);
  if (!parent) return kNoWindow;
  wxRect rect = WxRect(params.rect);
  Entry e;
  e.kind = params.kind;
  e.parent = params.parent;
  e.multiLine = params.multiLine;
  switch (params.kind) {
    case ControlKind::kEdit: {
      long style = params.multiLine ? wxTE_MULTILINE | wxTE_PROCESS_TAB | wxTE_PROCESS_ENTER | wxHSCROLL
                                  : wxTE_PROCESS_ENTER;
      if (params.readOnly) style |= wxTE_READONLY;
      std::string text = params.multiLine ? ToWxLines(params.text) : params.text;
      e.window = new wxTextCtrl(parent, wxID_ANY, Wx(text), rect.GetPosition(), rect.GetSize(), style);
      break;
    }
    case ControlKind::kPushButton:
      e.window = new wxButton(parent, wxID_ANY, Wx(params.text), rect.GetPosition(), rect.GetSize());
      break;
    case ControlKind::kGroupBox:
      e.window = new WxGroupBox(parent, rect, Wx(params.text));
      break;
    case ControlKind::kDropDownList:
      e.window = new wxComboBox(parent, wxID_ANY, wxString(), rect.GetPosition(), rect.GetSize(), 0,
                                nullptr, wxCB_READONLY | wxCB_DROPDOWN);
      break;
    case ControlKind::kLabel:
      e.window = new WxLabel(parent, rect, BorderStyleOf(params.border), Wx(params.text), params.align);
      break;
    case ControlKind::kOwnerDrawnButton:
    case ControlKind::kSurface:
      e.window = new WxSurface(parent, rect, BorderStyleOf(params.border),
                               params.tabStop || params.kind == ControlKind::kOwnerDrawnButton);
      break;
  }
  e.client = e.window;
  e.window->SetSize(rect);  // native controls may pick a size of their own
  if (!params.enabled) e.window->Enable(false);
  if (!params.visible) e.window->Hide();
  WindowHandle h = Register(e);
  Entry* p = Find(params.parent);
  p->children.insert(p->children.begin(), h);
  ApplyZOrder(params.parent);
  BindControl(h, e);
  return h;
}

void WxWindowSystem::CollectDestruction(WindowHandle h, std::vector<WindowHandle>& order) const {
  if (std::find(order.begin(), order.end(), h) != order.end()) return;
  const Entry* e = Find(h);
  if (!e) return;
  if (e->topLevel)
    for (const auto& [other, oe] : entries_)
      if (oe.topLevel && oe.owner == h) CollectDestruction(other, order);
  order.push_back(h);
  for (WindowHandle c : e->children) CollectDestruction(c, order);
}

void WxWindowSystem::Destroy(WindowHandle window) {
  std::vector<WindowHandle> order;
  CollectDestruction(window, order);
  std::vector<WindowHandle> mine;
  for (WindowHandle h : order)
    if (std::find(dying_.begin(), dying_.end(), h) == dying_.end()) mine.push_back(h);
  if (mine.empty()) return;
  dying_.insert(dying_.end(), mine.begin(), mine.end());
  for (WindowHandle h : mine)
    if (Find(h)) Report(EventKind::kDestroyed, h);

  std::vector<wxWindow*> roots;
  for (WindowHandle h : mine) {
    Entry* e = Find(h);
    if (!e) continue;
    if (Entry* p = Find(e->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), h), c.end());
    }
    // Only the outermost windows are destroyed by hand; wx takes their children along.
    bool parentGoes = e->parent != kNoWindow &&
                      std::find(mine.begin(), mine.end(), e->parent) != mine.end();
    if (!parentGoes) roots.push_back(e->window);
    byWindow_.erase(e->window);
    byWindow_.erase(e->client);
    entries_.erase(h);
  }
  dying_.erase(std::remove_if(dying_.begin(), dying_.end(),
                              [&](WindowHandle h) { return std::find(mine.begin(), mine.end(), h) != mine.end(); }),
               dying_.end());
  for (wxWindow* w : roots) {
    w->Hide();
    // Deleted at the next idle time, so that a handler may destroy the window whose event
    // it is handling.
    if (w->IsTopLevel()) w->Destroy();
    else wxTheApp->ScheduleForDestruction(w);
  }
}

bool WxWindowSystem::IsWindow(WindowHandle window) const { return Find(window) != nullptr; }

bool WxWindowSystem::IsTopLevel(WindowHandle window) const {
  const Entry* e = Find(window);
  return e && e->topLevel;
}

WindowHandle WxWindowSystem::TopLevelOf(WindowHandle window) const {
  const Entry* e = Find(window);
  while (e && !e->topLevel) {
    window = e->parent;
    e = Find(window);
  }
  return e ? window : kNoWindow;
}

// --- menus ------------------------------------------------------------------------------

void WxWindowSystem::SetMenuBar(WindowHandle window, const std::vector<MenuItem>& bar) {
  Entry* e = Find(window);
  if (!e || !e->topLevel) return;
  auto* frame = static_cast<wxFrame*>(e->window);
  wxMenuBar* old = frame->GetMenuBar();
  if (bar.empty()) {
    frame->SetMenuBar(nullptr);
  } else {
    auto* menuBar = new wxMenuBar;
    for (const MenuItem& item : bar) {
      if (item.separator) continue;
      // A bar entry without a pull-down is still shown: as a pull-down of itself.
      std::vector<MenuItem> children = item.children;
      if (children.empty()) children.push_back(item);
      menuBar->Append(BuildMenu(children), Wx(item.caption));
      if (!item.enabled) menuBar->EnableTop(menuBar->GetMenuCount() - 1, false);
    }
    frame->SetMenuBar(menuBar);
  }
  delete old;
}

void WxWindowSystem::SetAccelerators(WindowHandle window, const std::vector<Accelerator>& table) {
  Entry* e = Find(window);
  if (e && e->topLevel) e->accelerators = table;
}

// --- geometry ---------------------------------------------------------------------------

Rect WxWindowSystem::GetRect(WindowHandle window) const {
  const Entry* e = Find(window);
  if (!e) return {};
  wxRect r = e->window->GetRect();
  return {r.x, r.y, r.width, r.height};
}

void WxWindowSystem::SetRect(WindowHandle window, const Rect& rect) {
  Entry* e = Find(window);
  if (!e) return;
  Rect before = e->topLevel ? e->reported : GetRect(window);
  Rect after{rect.left, rect.top, std::max(rect.width, 0), std::max(rect.height, 0)};
  e->window->SetSize(WxRect(after), wxSIZE_ALLOW_MINUS_ONE);
  if (e->topLevel) e->reported = after;
  if (before.left != after.left || before.top != after.top) Report(EventKind::kMoved, window);
  if (Find(window) && (before.width != after.width || before.height != after.height))
    Report(EventKind::kSized, window);
}

Size WxWindowSystem::ClientSize(WindowHandle window) const {
  const Entry* e = Find(window);
  if (!e) return {};
  // A frame's own client size: its client panel is fitted to it only after the size
  // event has been reported, so the panel would still give the size before the change.
  wxSize s = e->window->GetClientSize();
  return {std::max(0, s.x), std::max(0, s.y)};
}

Point WxWindowSystem::ClientToScreen(WindowHandle window, Point p) const {
  const Entry* e = Find(window);
  if (!e) return p;
  wxPoint s = e->client->ClientToScreen(wxPoint(p.x, p.y));
  return {s.x, s.y};
}

// --- visibility, activation, enabling, focus --------------------------------------------

void WxWindowSystem::Show(WindowHandle window, ShowMode mode) {
  Entry* e = Find(window);
  if (!e) return;
  wxWindow* w = e->window;
  bool wasShown = w->IsShown();
  if (mode != ShowMode::kHide) FlushZOrder();
  if (!e->topLevel) {
    w->Show(mode != ShowMode::kHide);
  } else {
    auto* frame = static_cast<wxFrame*>(w);
    switch (mode) {
      case ShowMode::kHide: frame->Hide(); break;
      case ShowMode::kShow: frame->Show(); frame->Raise(); break;
      case ShowMode::kShowNoActivate: frame->ShowWithoutActivating(); break;
      case ShowMode::kMinimise: frame->Show(); frame->Iconize(true); break;
      case ShowMode::kMaximise: frame->Show(); frame->Maximize(true); break;
      case ShowMode::kRestore:
        frame->Show();
        if (frame->IsIconized()) frame->Iconize(false);
        if (frame->IsMaximized()) frame->Maximize(false);
        frame->Raise();
        break;
    }
  }
  if (Find(window) && w->IsShown() != wasShown)
    Report(w->IsShown() ? EventKind::kShown : EventKind::kHidden, window);
}

bool WxWindowSystem::IsVisible(WindowHandle window) const {
  const Entry* e = Find(window);
  return e && e->window->IsShown();
}

bool WxWindowSystem::IsMinimised(WindowHandle window) const {
  const Entry* e = Find(window);
  return e && e->topLevel && static_cast<wxFrame*>(e->window)->IsIconized();
}

bool WxWindowSystem::IsMaximised(WindowHandle window) const {
  const Entry* e = Find(window);
  return e && e->topLevel && static_cast<wxFrame*>(e->window)->IsMaximized();
}

void WxWindowSystem::Activate(WindowHandle window) {
  Entry* e = Find(window);
  if (!e || !e->topLevel) return;
  e->window->Raise();
}

WindowHandle WxWindowSystem::ActiveWindow() const {
  wxWindow* focus = wxWindow::FindFocus();
  if (focus) return TopLevelOf(HandleOf(focus));
  for (const auto& [h, e] : entries_)
    if (e.topLevel && static_cast<wxFrame*>(e.window)->IsActive()) return h;
  return kNoWindow;
}

void WxWindowSystem::Enable(WindowHandle window, bool enabled) {
  if (Entry* e = Find(window)) e->window->Enable(enabled);
}

bool WxWindowSystem::IsEnabled(WindowHandle window) const {
  const Entry* e = Find(window);
  return e && e->window->IsThisEnabled();
}

bool WxWindowSystem::SetFocus(WindowHandle window) {
  if (window == kNoWindow) return true;
  Entry* e = Find(window);
  if (!e || !e->window->IsShownOnScreen() || !e->window->IsEnabled()) return false;
  if (!e->topLevel && e->kind == ControlKind::kEdit) {
    // GTK selects an entry's whole text when it gains the focus; the native edit box of
    // the original platform keeps its selection.
    auto* t = static_cast<wxTextCtrl*>(e->window);
    long from = 0, to = 0;
    t->GetSelection(&from, &to);
    t->SetFocus();
    t->SetSelection(from, to);
    return true;
  }
  (e->topLevel ? e->client : e->window)->SetFocus();
  return true;
}

WindowHandle WxWindowSystem::Focus() const { return HandleOf(wxWindow::FindFocus()); }

// --- z-order and parents ----------------------------------------------------------------

void WxWindowSystem::ApplyZOrder(WindowHandle parent) {
  if (std::find(zOrderStale_.begin(), zOrderStale_.end(), parent) == zOrderStale_.end())
    zOrderStale_.push_back(parent);
}

void WxWindowSystem::FlushZOrder() {
  std::vector<WindowHandle> stale;
  stale.swap(zOrderStale_);
  for (WindowHandle parent : stale) {
    const Entry* p = Find(parent);
    if (!p || p->children.size() < 2) continue;
    // GTK 3 paints the children of a container in the order they were added, and only
    // the window stacking decides where clicks go. So each child, from the bottom up, is
    // taken out and put back (which adds it last, on top) and raised.
    wxWindow* focus = wxWindow::FindFocus();
    auto* holder = new wxWindow(p->client, wxID_ANY, wxPoint(-4, -4), wxSize(1, 1));
    holder->Hide();
    for (auto it = p->children.rbegin(); it != p->children.rend(); ++it) {
      const Entry* c = Find(*it);
      if (!c) continue;
      wxRect rect = c->window->GetRect();
      c->window->Reparent(holder);
      c->window->Reparent(p->client);
      c->window->SetSize(rect);
      c->window->Raise();
    }
    holder->Destroy();
    if (focus && focus != wxWindow::FindFocus()) focus->SetFocus();
  }
}

void WxWindowSystem::PlaceAfter(WindowHandle window, WindowHandle sibling) {
  Entry* e = Find(window);
  Entry* s = Find(sibling);
  if (!e || !s || e->topLevel || s->topLevel || window == sibling || e->parent != s->parent) return;
  auto& list = Find(e->parent)->children;
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
  list.insert(std::find(list.begin(), list.end(), sibling) + 1, window);
  ApplyZOrder(e->parent);
}

void WxWindowSystem::PlaceOnTop(WindowHandle window) {
  Entry* e = Find(window);
  if (!e) return;
  if (e->topLevel) {
    e->window->Raise();
    return;
  }
  auto& list = Find(e->parent)->children;
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
  list.insert(list.begin(), window);
  ApplyZOrder(e->parent);
}

std::vector<WindowHandle> WxWindowSystem::Children(WindowHandle parent) const {
  const Entry* e = Find(parent);
  return e ? e->children : std::vector<WindowHandle>{};
}

WindowHandle WxWindowSystem::Parent(WindowHandle window) const {
  const Entry* e = Find(window);
  return e ? e->parent : kNoWindow;
}

void WxWindowSystem::SetParent(WindowHandle window, WindowHandle parent) {
  Entry* e = Find(window);
  Entry* p = Find(parent);
  if (!e || !p || e->topLevel || e->parent == parent) return;
  for (WindowHandle up = parent; up != kNoWindow; up = Parent(up))
    if (up == window) return;
  wxPoint pos = e->window->GetPosition();
  auto& old = Find(e->parent)->children;
  old.erase(std::remove(old.begin(), old.end(), window), old.end());
  e->window->Reparent(p->client);
  e->window->Move(pos);  // the same numbers, now in the new parent
  e->parent = parent;
  p->children.insert(p->children.begin(), window);
  ApplyZOrder(parent);
}

// --- texts and looks --------------------------------------------------------------------

void WxWindowSystem::SetText(WindowHandle window, const std::string& text) {
  Entry* e = Find(window);
  if (!e) return;
  if (e->topLevel) {
    e->window->SetLabel(Wx(text));
  } else if (e->kind == ControlKind::kEdit) {
    ++suppressTextEvents_;
    static_cast<wxTextCtrl*>(e->window)->ChangeValue(Wx(e->multiLine ? ToWxLines(text) : text));
    --suppressTextEvents_;
  } else if (e->kind == ControlKind::kGroupBox) {
    static_cast<WxGroupBox*>(e->window)->SetCaption(Wx(text));
  } else {
    e->window->SetLabel(Wx(text));
  }
}

std::string WxWindowSystem::GetText(WindowHandle window) const {
  const Entry* e = Find(window);
  if (!e) return {};
  if (!e->topLevel && e->kind == ControlKind::kEdit) {
    std::string t = Utf8(static_cast<wxTextCtrl*>(e->window)->GetValue());
    return e->multiLine ? ToInterfaceLines(t) : t;
  }
  return Utf8(e->window->GetLabel());
}

void WxWindowSystem::SetCursor(WindowHandle window, Cursor cursor) {
  Entry* e = Find(window);
  if (!e) return;
  for (const auto& [ours, stock] : kCursorTable)
    if (ours == cursor) (e->topLevel ? e->client : e->window)->SetCursor(wxCursor(stock));
}

void WxWindowSystem::SetToolTip(WindowHandle window, const std::string& text) {
  Entry* e = Find(window);
  if (!e) return;
  wxWindow* w = e->topLevel ? e->client : e->window;
  if (text.empty()) {
    w->UnsetToolTip();
  } else {
    w->SetToolTip(Wx(text));
  }
}

void WxWindowSystem::SetBackground(WindowHandle window, std::uint32_t rgb) {
  Entry* e = Find(window);
  if (!e || !e->topLevel) return;
  e->client->SetBackgroundColour(wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  e->client->Refresh();
  for (wxWindow* child : e->client->GetChildren()) child->Refresh();  // group boxes share it
}

void WxWindowSystem::SetControlBorder(WindowHandle control, ControlBorder border) {
  Entry* e = Find(control);
  if (!e || e->topLevel || e->kind != ControlKind::kSurface) return;
  long style = e->window->GetWindowStyleFlag() & ~wxBORDER_MASK;
  e->window->SetWindowStyleFlag(style | BorderStyleOf(border));
  e->window->Refresh();
}

// --- edit boxes -------------------------------------------------------------------------

void WxWindowSystem::SetSelection(WindowHandle edit, int start, int end) {
  Entry* e = Find(edit);
  if (!e || e->topLevel || e->kind != ControlKind::kEdit) return;
  auto* t = static_cast<wxTextCtrl*>(e->window);
  std::u32string text = DecodeUtf8(Utf8(t->GetValue()));
  const int n = InterfacePosition(text, static_cast<long>(text.size()));
  if (start < 0) {
    long caret = WxPosition(text, std::clamp(end, 0, n));
    t->SetSelection(caret, caret);
    return;
  }
  if (end < 0) end = n;
  t->SetSelection(WxPosition(text, std::clamp(std::min(start, end), 0, n)),
                  WxPosition(text, std::clamp(std::max(start, end), 0, n)));
}

void WxWindowSystem::GetSelection(WindowHandle edit, int& start, int& end) const {
  start = end = 0;
  const Entry* e = Find(edit);
  if (!e || e->topLevel || e->kind != ControlKind::kEdit) return;
  auto* t = static_cast<wxTextCtrl*>(e->window);
  long from = 0, to = 0;
  t->GetSelection(&from, &to);
  std::u32string text = DecodeUtf8(Utf8(t->GetValue()));
  start = InterfacePosition(text, from);
  end = InterfacePosition(text, to);
}

void WxWindowSystem::ReplaceSelection(WindowHandle edit, const std::string& text) {
  Entry* e = Find(edit);
  if (!e || e->topLevel || e->kind != ControlKind::kEdit) return;
  auto* t = static_cast<wxTextCtrl*>(e->window);
  ++suppressTextEvents_;
  long from = 0, to = 0;
  t->GetSelection(&from, &to);
  t->Replace(from, to, Wx(e->multiLine ? ToWxLines(text) : text));
  t->ShowPosition(t->GetInsertionPoint());
  --suppressTextEvents_;
}

void WxWindowSystem::AppendText(WindowHandle edit, const std::string& text) {
  Entry* e = Find(edit);
  if (!e || e->topLevel || e->kind != ControlKind::kEdit) return;
  ++suppressTextEvents_;
  static_cast<wxTextCtrl*>(e->window)->AppendText(Wx(e->multiLine ? ToWxLines(text) : text));
  --suppressTextEvents_;
}

void WxWindowSystem::SetReadOnly(WindowHandle edit, bool readOnly) {
  Entry* e = Find(edit);
  if (e && !e->topLevel && e->kind == ControlKind::kEdit)
    static_cast<wxTextCtrl*>(e->window)->SetEditable(!readOnly);
}

// --- drop-down lists --------------------------------------------------------------------

void WxWindowSystem::SetItems(WindowHandle list, const std::vector<std::string>& items) {
  Entry* e = Find(list);
  if (!e || e->kind != ControlKind::kDropDownList || e->topLevel) return;
  auto* c = static_cast<wxComboBox*>(e->window);
  c->Clear();
  for (const std::string& item : items) c->Append(Wx(item));
  c->SetSelection(wxNOT_FOUND);
}

std::vector<std::string> WxWindowSystem::GetItems(WindowHandle list) const {
  const Entry* e = Find(list);
  std::vector<std::string> out;
  if (!e || e->kind != ControlKind::kDropDownList || e->topLevel) return out;
  auto* c = static_cast<wxComboBox*>(e->window);
  for (unsigned i = 0; i < c->GetCount(); ++i) out.push_back(Utf8(c->GetString(i)));
  return out;
}

void WxWindowSystem::SetCurrent(WindowHandle list, int index) {
  Entry* e = Find(list);
  if (!e || e->kind != ControlKind::kDropDownList || e->topLevel) return;
  auto* c = static_cast<wxComboBox*>(e->window);
  if (index < 0) c->SetSelection(wxNOT_FOUND);
  else if (index < static_cast<int>(c->GetCount())) c->SetSelection(index);
}

int WxWindowSystem::GetCurrent(WindowHandle list) const {
  const Entry* e = Find(list);
  if (!e || e->kind != ControlKind::kDropDownList || e->topLevel) return -1;
  int s = static_cast<wxComboBox*>(e->window)->GetSelection();
  return s == wxNOT_FOUND ? -1 : s;
}

void WxWindowSystem::ShowDropDown(WindowHandle list, bool open) {
  Entry* e = Find(list);
  if (!e || e->kind != ControlKind::kDropDownList || e->topLevel) return;
  auto* c = static_cast<wxComboBox*>(e->window);
  if (open) c->Popup();
  else c->Dismiss();
}

bool WxWindowSystem::IsDroppedDown(WindowHandle list) const {
  const Entry* e = Find(list);
  return e && e->droppedDown;
}

// --- surfaces ---------------------------------------------------------------------------

void WxWindowSystem::SetSurfaceBitmap(WindowHandle surface, const gfx::Bitmap* bitmap,
                                      std::uint32_t background) {
  Entry* e = Find(surface);
  if (e && !e->topLevel &&
      (e->kind == ControlKind::kSurface || e->kind == ControlKind::kOwnerDrawnButton))
    static_cast<WxSurface*>(e->window)->SetPicture(bitmap, background);
}

void WxWindowSystem::Invalidate(WindowHandle surface) {
  Entry* e = Find(surface);
  if (!e) return;
  if (!e->topLevel &&
      (e->kind == ControlKind::kSurface || e->kind == ControlKind::kOwnerDrawnButton))
    static_cast<WxSurface*>(e->window)->Repaint();
  else
    e->window->Refresh();
}

void WxWindowSystem::HoldSurface(WindowHandle surface) {
  Entry* e = Find(surface);
  if (!e || e->topLevel || e->kind != ControlKind::kSurface) return;
  if (static_cast<WxSurface*>(e->window)->Hold() &&
      std::find(held_.begin(), held_.end(), surface) == held_.end())
    held_.push_back(surface);
}

// Once the loop is idle, or a dialog holds it, the drawing has come to rest: the surfaces
// show their bitmaps again.
void WxWindowSystem::ReleaseHeldSurfaces() {
  for (WindowHandle h : held_)
    if (Entry* e = Find(h)) static_cast<WxSurface*>(e->window)->Release();
  held_.clear();
}

}  // namespace barvell::ui
