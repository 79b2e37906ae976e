// Pre-translation of input in a loaded program window, before the control sees it: focus
// navigation, Enter, Esc, F1 and the Alt mnemonics; the key codes as the program's key
// events report them.
#pragma once

#include "platform/ui/events.h"
#include "runtime/windows/window_loader.h"

namespace barvell::runtime {

// A key press at the focused component (or the window component when the window itself
// has the focus). True when the pre-translation consumed it.
bool PreTranslateKeyDown(const LiveComponent& focused, int key, int modifiers);

// A mouse button press on `target`: a drop-down list open at the focus closes first,
// unless the press is on that list.
void PreTranslateMouseDown(ui::WindowHandle target, ui::MouseButton button);

// The key code of the key events: keypad digits as the main digit keys, keypad "-", "."
// and "/" as the main keys of those characters.
int ProgramKeyCode(int key);

}  // namespace barvell::runtime
