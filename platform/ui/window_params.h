#pragma once
// What the runtime asks for when it creates windows, controls and menus.

#include <string>
#include <vector>

#include "platform/ui/geometry.h"
#include "platform/ui/window_handle.h"

namespace barvell::ui {

// Border kinds of a top-level window, as the window templates number them.
enum class WindowBorder {
  kNone = 0,
  kSizeable = 1,
  kFixed = 2,
  kSizeableTool = 3,
  kFixedTool = 4,
  kSizeableClientEdge = 5,
  kFixedClientEdge = 6,
};

inline bool IsSizeable(WindowBorder b) {
  return b == WindowBorder::kSizeable || b == WindowBorder::kSizeableTool ||
         b == WindowBorder::kSizeableClientEdge;
}
inline bool IsToolWindow(WindowBorder b) {
  return b == WindowBorder::kSizeableTool || b == WindowBorder::kFixedTool;
}
inline bool HasClientEdge(WindowBorder b) {
  return b == WindowBorder::kSizeableClientEdge || b == WindowBorder::kFixedClientEdge;
}

struct TopLevelParams {
  std::string caption;  // UTF-8
  Rect outer;           // screen position and outer size
  WindowBorder border = WindowBorder::kSizeable;
  bool maximiseBox = false;
  bool minimiseBox = false;
  bool controlBox = true;  // system menu and close box
  bool alwaysOnTop = false;
  WindowHandle owner = kNoWindow;  // an owned window stays above its owner, off the taskbar
};

// A window has a caption bar when it has a border and either a caption or a control box.
inline bool HasCaptionBar(const TopLevelParams& s) {
  return s.border != WindowBorder::kNone && (!s.caption.empty() || s.controlBox);
}

enum class ControlKind {
  kEdit,              // native edit box
  kPushButton,        // native button with a caption
  kOwnerDrawnButton,  // a button whose face is a surface bitmap (colour pickers)
  kGroupBox,          // framed container with a caption; children lie in its client area
  kDropDownList,      // drop-down list without an edit field
  kSurface,           // custom-drawn: shows a platform bitmap, reports mouse input
  kLabel,             // static text on the parent's background; never takes the focus
};

// Control borders, as the controls' BorderStyle property numbers them.
enum class ControlBorder {
  kNone = 0,
  kClientEdge = 1,   // sunken
  kModalFrame = 2,   // raised
  kStaticEdge = 3,   // thin sunken
  kClientAndModal = 4,
  kFlat = 5,         // one-pixel line
};

// Where a label's line of text sits across its width.
enum class TextAlign { kLeft = 0, kCentre = 1, kRight = 2 };

struct ControlParams {
  ControlKind kind = ControlKind::kSurface;
  WindowHandle parent = kNoWindow;  // a top-level window or a group box
  Rect rect;                        // relative to the parent's client area
  std::string text;                 // caption or edit text, UTF-8
  bool visible = true;
  bool enabled = true;
  bool tabStop = false;
  bool multiLine = false;  // edit boxes
  bool readOnly = false;   // edit boxes
  TextAlign align = TextAlign::kLeft;  // labels
  ControlBorder border = ControlBorder::kNone;
};

// One entry of a menu bar or pull-down. The caption may carry the shortcut's name after
// a tab ("Save\tCtrl+S"); it is shown right-aligned.
struct MenuItem {
  std::string caption;
  int command = 0;  // reported by kMenuCommand; unused for items with children
  bool enabled = true;
  bool checked = false;
  bool separator = false;
  std::vector<MenuItem> children;  // non-empty: a pull-down or sub-menu
};

struct Accelerator {
  int key = 0;        // virtual-key code
  int modifiers = 0;  // modifier bits
  int command = 0;
  friend bool operator==(const Accelerator&, const Accelerator&) = default;
};

enum class Cursor { kArrow, kHand, kIBeam, kWait, kCross, kSizeAll, kNo };

enum class ShowMode {
  kHide,
  kShow,            // show and activate
  kShowNoActivate,  // show without taking the activation (controls)
  kMinimise,
  kMaximise,
  kRestore,         // out of minimised or maximised, shown
};

}  // namespace barvell::ui
