#include "runtime/events/pre_translation.h"

#include <cctype>
#include <optional>
#include <string>

#include "platform/kernel/file_search.h"
#include "platform/kernel/process.h"
#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/windows/close_handling.h"
#include "runtime/events/event_dispatch.h"
#include "runtime/windows/focus_order.h"
#include "runtime/call/runtime_state.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

namespace key = ui::key;
namespace modifier = ui::modifier;

bool IsArrow(int k) { return k == key::kLeft || k == key::kUp || k == key::kRight || k == key::kDown; }

bool Usable(const Window& window, size_t index) {
  ui::WindowHandle handle = HandleOf(window, index);
  return handle != ui::kNoWindow && Ui().IsWindow(handle) && Ui().IsVisible(handle) &&
         Ui().IsEnabled(handle);
}

// Pressing a button raises its principal event, as a click does.
void Press(const Window& window, size_t index) {
  RaiseEvent(window.Id(), window.Component(index).id, event::kClicked);
}

bool MoveFocus(const Window& window, size_t from, bool backwards) {
  std::optional<size_t> next = NextInFocusOrder(window, from, backwards);
  if (next) FocusComponent(window, *next);
  return true;
}

bool OnEnter(const LiveComponent& focused) {
  const Window& window = *focused.window;
  if (focused.index != 0 && ActsAsDefaultButton(focused)) {
    Press(window, focused.index);
    return true;
  }
  if (OptionsOf(window).enter_moves_focus) return MoveFocus(window, focused.index, false);
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    if (window.Component(i).is_menu_item || !Usable(window, i)) continue;
    if (IsDefaultButton({focused.window, i})) {
      Press(window, i);
      return true;
    }
  }
  return false;
}

// The window's help file: its own name, or the program's with the extension "hlp".
std::string HelpFile(const WindowOptions& options) {
  if (!options.help_file.empty()) return options.help_file;
  const RuntimeState& state = State();
  std::string name = state.program_file_name;
  size_t dot = name.rfind('.');
  name = (dot == std::string::npos ? name : name.substr(0, dot)) + ".hlp";
  return state.program_directory.empty()
             ? name
             : state.program_directory + platform::kPathSeparator + name;
}

bool FileExists(const std::string& path) {
  platform::FoundFile found;
  platform::FileSearch* search = platform::FindFirstFile(path, &found);
  platform::FindClose(search);
  return search != nullptr;
}

// F1 opens the help file when it exists; the platform has no help viewer of its own, so
// the file goes to the system's viewer for documents.
bool OnHelp(const Window& window) {
  WindowOptions options = OptionsOf(window);
  if (!options.f1_help) return false;
  std::string file = HelpFile(options);
  if (FileExists(file)) Ui().OpenWebPage(platform::GbkToUtf8(file));
  return true;
}

// Whether a caption (UTF-8) marks `character` (an ASCII letter or digit) as its mnemonic.
bool HasMnemonic(const std::string& caption, int character) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    char next = caption[i + 1];
    if (next == '&') {  // "&&" is a literal ampersand
      ++i;
      continue;
    }
    if (std::toupper(static_cast<unsigned char>(next)) == character) return true;
  }
  return false;
}

bool OnMnemonic(const LiveComponent& focused, int character) {
  const Window& window = *focused.window;
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    if (window.Component(i).is_menu_item || !Usable(window, i)) continue;
    if (!HasMnemonic(Ui().GetText(HandleOf(window, i)), character)) continue;
    TypeId type = window.Component(i).type;
    if (type == type_id::kButton) {
      Press(window, i);
    } else if (type == type_id::kLabel) {
      MoveFocus(window, i, false);
    } else {
      FocusComponent(window, i);
    }
    return true;
  }
  return false;
}

}  // namespace

bool PreTranslateKeyDown(const LiveComponent& focused, int k, int modifiers) {
  const Window& window = *focused.window;
  bool wanted = focused.index != 0 && ControlWantsKey(focused, k);
  bool ctrl_or_alt = (modifiers & (modifier::kCtrl | modifier::kAlt)) != 0;
  if (k == key::kTab && !ctrl_or_alt) {
    if (wanted) return false;
    return MoveFocus(window, focused.index, (modifiers & modifier::kShift) != 0);
  }
  if (k == key::kReturn && !ctrl_or_alt) return !wanted && OnEnter(focused);
  if (k == key::kEscape) {
    if (wanted || !OptionsOf(window).esc_closes) return false;
    CloseProgramWindow(*focused.window);
    return true;
  }
  if (IsArrow(k) && modifiers == 0) {
    if (wanted) return false;
    std::optional<size_t> next = NextInGroup(window, focused.index, k == key::kLeft || k == key::kUp);
    if (!next || *next == focused.index) return false;
    FocusComponent(window, *next);
    return true;
  }
  if (k == key::kF1) return !wanted && OnHelp(window);
  bool letter_or_digit = (k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9');
  if (letter_or_digit && modifiers == modifier::kAlt) return OnMnemonic(focused, k);
  return false;
}

void PreTranslateMouseDown(ui::WindowHandle target, ui::MouseButton button) {
  if (button != ui::MouseButton::kLeft) return;
  ui::WindowHandle focus = Ui().Focus();
  if (focus != ui::kNoWindow && focus != target && Ui().IsDroppedDown(focus)) {
    Ui().ShowDropDown(focus, false);
  }
}

int ProgramKeyCode(int k) {
  if (k >= key::kNumpad0 && k <= key::kNumpad0 + 9) return '0' + (k - key::kNumpad0);
  switch (k) {
    case key::kSubtract:
      return key::kMinus;
    case key::kDecimal:
      return key::kPeriod;
    case key::kDivide:
      return key::kSlash;
    default:
      return k;
  }
}

}  // namespace barvell::runtime
