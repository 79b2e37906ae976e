#include "platform/ui/wx/wx_keys.h"

#include <wx/defs.h>
#include <wx/kbdstate.h>

#include "platform/ui/keys.h"

namespace barvell::ui {

namespace {

struct KeyPair {
  int wx;
  int vk;
};

// Keys whose codes differ between wx and the virtual-key numbering. Letters, digits,
// back-space, tab, Enter, Esc and space are the same in both.
constexpr KeyPair kKeyTable[] = {
    {WXK_DELETE, key::kDelete},      {WXK_SHIFT, key::kShift},
    {WXK_CONTROL, key::kControl},    {WXK_RAW_CONTROL, key::kControl},
    {WXK_ALT, key::kMenu},           {WXK_PAGEUP, key::kPageUp},
    {WXK_PAGEDOWN, key::kPageDown},  {WXK_END, key::kEnd},
    {WXK_HOME, key::kHome},          {WXK_LEFT, key::kLeft},
    {WXK_UP, key::kUp},              {WXK_RIGHT, key::kRight},
    {WXK_DOWN, key::kDown},          {WXK_INSERT, key::kInsert},
    {WXK_MULTIPLY, key::kMultiply},  {WXK_ADD, key::kAdd},
    {WXK_SEPARATOR, key::kSeparator}, {WXK_SUBTRACT, key::kSubtract},
    {WXK_DECIMAL, key::kDecimal},    {WXK_DIVIDE, key::kDivide},
    {WXK_NUMPAD_MULTIPLY, key::kMultiply}, {WXK_NUMPAD_ADD, key::kAdd},
    {WXK_NUMPAD_SEPARATOR, key::kSeparator}, {WXK_NUMPAD_SUBTRACT, key::kSubtract},
    {WXK_NUMPAD_DECIMAL, key::kDecimal}, {WXK_NUMPAD_DIVIDE, key::kDivide},
    {WXK_NUMPAD_ENTER, key::kReturn}, {WXK_NUMPAD_SPACE, key::kSpace},
    {WXK_NUMPAD_TAB, key::kTab},     {WXK_NUMPAD_HOME, key::kHome},
    {WXK_NUMPAD_END, key::kEnd},     {WXK_NUMPAD_LEFT, key::kLeft},
    {WXK_NUMPAD_UP, key::kUp},       {WXK_NUMPAD_RIGHT, key::kRight},
    {WXK_NUMPAD_DOWN, key::kDown},   {WXK_NUMPAD_PAGEUP, key::kPageUp},
    {WXK_NUMPAD_PAGEDOWN, key::kPageDown}, {WXK_NUMPAD_INSERT, key::kInsert},
    {WXK_NUMPAD_DELETE, key::kDelete},
    {';', key::kSemicolon}, {'=', key::kPlus}, {',', key::kComma},
    {'-', key::kMinus},     {'.', key::kPeriod}, {'/', key::kSlash},
    {'`', 192}, {'[', 219}, {'\\', 220}, {']', 221}, {'\'', 222},
};

}  // namespace

int VirtualKeyOf(int code) {
  if (code >= 'a' && code <= 'z') return code - 'a' + 'A';
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
  if (code == WXK_BACK || code == WXK_TAB || code == WXK_RETURN || code == WXK_ESCAPE ||
      code == WXK_SPACE)
    return code;
  if (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9) return key::kNumpad0 + (code - WXK_NUMPAD0);
  if (code >= WXK_F1 && code <= WXK_F24) return key::kF1 + (code - WXK_F1);
  for (const KeyPair& p : kKeyTable)
    if (p.wx == code) return p.vk;
  return 0;
}

int ModifiersOf(const wxKeyboardState& state) {
  return (state.ControlDown() ? modifier::kCtrl : 0) | (state.ShiftDown() ? modifier::kShift : 0) |
         (state.AltDown() ? modifier::kAlt : 0);
}

}  // namespace barvell::ui
