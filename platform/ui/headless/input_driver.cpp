#include "platform/ui/headless/input_driver.h"

#include <cstdio>

#include "platform/ui/headless/headless_window_system.h"
#include "platform/ui/keys.h"
#include "platform/ui/utf8.h"

namespace barvell::ui {

namespace {

struct KeyStroke {
  int key = 0;  // 0: the character has no key of its own
  int modifiers = 0;
};

// Punctuation of the US layout: the key that makes it, and whether Shift is held.
struct PunctuationKey {
  char32_t plain;
  char32_t shifted;
  int key;
};
constexpr PunctuationKey kPunctuation[] = {
    {U';', U':', key::kSemicolon}, {U'=', U'+', key::kPlus},  {U',', U'<', key::kComma},
    {U'-', U'_', key::kMinus},     {U'.', U'>', key::kPeriod}, {U'/', U'?', key::kSlash},
};
// Shift with the digit keys 0-9.
constexpr char32_t kShiftedDigits[] = U")!@#$%^&*(";

KeyStroke KeyOfCharacter(char32_t c) {
  if (c >= U'a' && c <= U'z') return {static_cast<int>(c - U'a' + 'A'), 0};
  if (c >= U'A' && c <= U'Z') return {static_cast<int>(c), modifier::kShift};
  if (c >= U'0' && c <= U'9') return {static_cast<int>(c), 0};
  switch (c) {
    case U' ': return {key::kSpace, 0};
    case U'\r':
    case U'\n': return {key::kReturn, 0};
    case U'\t': return {key::kTab, 0};
    case 8: return {key::kBack, 0};
    default: break;
  }
  for (int d = 0; d < 10; ++d)
    if (kShiftedDigits[d] == c) return {'0' + d, modifier::kShift};
  for (const PunctuationKey& p : kPunctuation) {
    if (p.plain == c) return {p.key, 0};
    if (p.shifted == c) return {p.key, modifier::kShift};
  }
  return {};
}

// The character a key press makes on the US layout; 0 for none.
char32_t CharacterOfKey(int k, int modifiers) {
  if (modifiers & modifier::kAlt) return 0;
  bool shift = modifiers & modifier::kShift;
  if (modifiers & modifier::kCtrl) return k >= 'A' && k <= 'Z' ? static_cast<char32_t>(k - 'A' + 1) : 0;
  if (k >= 'A' && k <= 'Z') return static_cast<char32_t>(shift ? k : k - 'A' + 'a');
  if (k >= '0' && k <= '9') return shift ? kShiftedDigits[k - '0'] : static_cast<char32_t>(k);
  if (k >= key::kNumpad0 && k <= key::kNumpad0 + 9) return static_cast<char32_t>('0' + k - key::kNumpad0);
  switch (k) {
    case key::kBack: return 8;
    case key::kTab: return 9;
    case key::kReturn: return 13;
    case key::kEscape: return 27;
    case key::kSpace: return U' ';
    case key::kMultiply: return U'*';
    case key::kAdd: return U'+';
    case key::kSubtract: return U'-';
    case key::kDecimal: return U'.';
    case key::kDivide: return U'/';
    default: break;
  }
  for (const PunctuationKey& p : kPunctuation)
    if (p.key == k) return shift ? p.shifted : p.plain;
  return 0;
}

}  // namespace

void InputDriver::PostKey(int k, int modifiers, char32_t character) {
  HeadlessInput down;
  down.kind = InputKind::kKeyDown;
  down.key = k;
  down.modifiers = modifiers;
  down.character = character;
  system_.Post(down);
  HeadlessInput up;
  up.kind = InputKind::kKeyUp;
  up.key = k;
  up.modifiers = modifiers;
  system_.Post(up);
}

void InputDriver::PostMouse(InputKind kind, WindowHandle target, EventKind mouse,
                            MouseButton button, Point at, int modifiers) {
  HeadlessInput in;
  in.kind = kind;
  in.target = target;
  in.mouse = mouse;
  in.button = button;
  in.position = at;
  in.modifiers = modifiers;
  system_.Post(in);
}

void InputDriver::Type(const std::string& utf8) {
  Add([this, text = DecodeUtf8(utf8)] {
    for (std::size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;  // CR LF is one Enter
      KeyStroke stroke = KeyOfCharacter(c);
      char32_t made = (c == U'\n' || c == U'\r') ? 13 : c;
      if (stroke.key == 0) {
        // A character without a key of its own (typed through an input method); it goes
        // to whatever has the focus when it is dispatched.
        HeadlessInput in;
        in.kind = InputKind::kCharacter;
        in.character = made;
        system_.Post(in);
        continue;
      }
      PostKey(stroke.key, stroke.modifiers, made);
    }
  });
}

void InputDriver::TypeInto(WindowHandle control, const std::string& utf8) {
  Focus(control);
  Type(utf8);
}

void InputDriver::Paste(WindowHandle edit, const std::string& utf8) {
  Add([this, edit, utf8] {
    HeadlessInput in;
    in.kind = InputKind::kPaste;
    in.target = edit;
    in.text = utf8;
    system_.Post(in);
  });
}

void InputDriver::PressKey(int k, int modifiers) {
  Add([this, k, modifiers] { PostKey(k, modifiers, CharacterOfKey(k, modifiers)); });
}

void InputDriver::Click(WindowHandle control, int modifiers) {
  Add([this, control, modifiers] {
    Size s = system_.ClientSize(control);
    Point mid{s.width / 2, s.height / 2};
    PostMouse(InputKind::kMouse, control, EventKind::kMouseDown, MouseButton::kLeft, mid, modifiers);
    PostMouse(InputKind::kMouse, control, EventKind::kMouseUp, MouseButton::kLeft, mid, modifiers);
  });
}

void InputDriver::ClickAt(WindowHandle topLevel, Point client, MouseButton button, int modifiers) {
  Add([=, this] {
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseDown, button, client, modifiers);
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseUp, button, client, modifiers);
  });
}

void InputDriver::DoubleClickAt(WindowHandle topLevel, Point client, int modifiers) {
  Add([=, this] {
    const MouseButton left = MouseButton::kLeft;
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseDown, left, client, modifiers);
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseUp, left, client, modifiers);
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kDoubleClick, left, client, modifiers);
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseUp, left, client, modifiers);
  });
}

void InputDriver::MoveMouse(WindowHandle topLevel, Point client, int modifiers) {
  Add([=, this] {
    PostMouse(InputKind::kMouseAt, topLevel, EventKind::kMouseMove, MouseButton::kNone, client,
              modifiers);
  });
}

void InputDriver::Wheel(int notches, int modifiers, WindowHandle target) {
  Add([=, this] {
    HeadlessInput in;
    in.kind = InputKind::kMouse;
    in.target = target != kNoWindow ? target : system_.Focus();
    in.mouse = EventKind::kWheel;
    in.wheel = notches;
    in.modifiers = modifiers;
    system_.Post(in);
  });
}

void InputDriver::ChooseItem(WindowHandle list, int index) {
  Click(list);
  Add([this, list, index] {
    HeadlessInput in;
    in.kind = InputKind::kChoose;
    in.target = list;
    in.command = index;
    system_.Post(in);
  });
}

void InputDriver::ChooseMenu(WindowHandle topLevel, int command) {
  Add([this, topLevel, command] {
    HeadlessInput in;
    in.kind = InputKind::kMenu;
    in.target = topLevel;
    in.command = command;
    system_.Post(in);
  });
}

void InputDriver::Focus(WindowHandle window) {
  Add([this, window] {
    HeadlessInput in;
    in.kind = InputKind::kFocus;
    in.target = window;
    system_.Post(in);
  });
}

void InputDriver::Close(WindowHandle topLevel) {
  Add([this, topLevel] {
    HeadlessInput in;
    in.kind = InputKind::kClose;
    in.target = topLevel;
    system_.Post(in);
  });
}

void InputDriver::MoveResize(WindowHandle topLevel, Rect outer) {
  Add([this, topLevel, outer] {
    HeadlessInput in;
    in.kind = InputKind::kMoveSize;
    in.target = topLevel;
    in.rect = outer;
    system_.Post(in);
  });
}

void InputDriver::Do(std::function<void()> step) {
  Add([this, step = std::move(step)] {
    HeadlessInput in;
    in.kind = InputKind::kStep;
    in.step = step;
    system_.Post(in);
  });
}

bool InputDriver::PerformNext() {
  if (actions_.empty()) return false;
  std::function<void()> action = std::move(actions_.front());
  actions_.pop_front();
  action();
  return true;
}

void InputDriver::Record(ShownDialog shown) {
  if (whileShown_) whileShown_();
  shown_.push_back(std::move(shown));
}

MessageBoxAnswer InputDriver::OnMessageBox(const MessageBoxRequest& request) {
  boxes_.push_back(request);
  MessageBoxAnswer a = DefaultMessageBoxAnswer(request.style);
  if (!boxAnswers_.empty()) {
    a = boxAnswers_.front();
    boxAnswers_.pop_front();
  }
  Record({DialogKind::kMessageBox, request.caption, request.text, request.style, AnswerName(a)});
  return a;
}

std::optional<std::string> InputDriver::OnFileDialog(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  std::optional<std::string> chosen;
  if (!fileAnswers_.empty()) {
    FileAnswer a = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    if (a.path)
      chosen = CompleteFileName(*a.path, request, a.filter < 0 ? request.filterIndex : a.filter);
  }
  Record({request.save ? DialogKind::kSaveFile : DialogKind::kOpenFile, request.title,
          request.initialName, FileDialogFlags(request), chosen.value_or("")});
  return chosen;
}

std::optional<std::string> InputDriver::OnFolder(const FolderRequest& request) {
  folders_.push_back(request);
  std::optional<std::string> a;
  if (!folderAnswers_.empty()) {
    a = std::move(folderAnswers_.front());
    folderAnswers_.pop_front();
  }
  Record({DialogKind::kFolder, request.title, "", FolderFlags(request), a.value_or("")});
  return a;
}

namespace {

std::string ColourName(std::uint32_t colourRef) {
  char name[8];
  std::snprintf(name, sizeof name, "#%02X%02X%02X", colourRef & 0xFF, (colourRef >> 8) & 0xFF,
                (colourRef >> 16) & 0xFF);
  return name;
}

}  // namespace

std::optional<std::uint32_t> InputDriver::OnColour(std::uint32_t initial) {
  ++colourRequests_;
  std::optional<std::uint32_t> a;
  if (!colourAnswers_.empty()) {
    a = colourAnswers_.front();
    colourAnswers_.pop_front();
  }
  Record({DialogKind::kColour, "", ColourName(initial), 0, a ? ColourName(*a) : ""});
  return a;
}

void InputDriver::OnWebPage(const std::string& url) {
  webPages_.push_back(url);
  Record({DialogKind::kShellOpen, "", url, 0, "opened"});
}

}  // namespace barvell::ui
