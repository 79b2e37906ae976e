#pragma once
// wx key codes to the virtual-key numbering of the interface, and modifier bits.

class wxKeyboardState;

namespace barvell::ui {

int VirtualKeyOf(int wxKeyCode);
int ModifiersOf(const wxKeyboardState& state);

}  // namespace barvell::ui
