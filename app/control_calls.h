// Control properties and the other controls' commands, as the handlers use them: every
// setting is read from its control at each use.
#pragma once

#include <cstdint>
#include <string>

#include "barvell/call_interface.h"

namespace barvell::app {

int32_t ReadInt(WindowId window, ComponentId control, int32_t property);
void WriteInt(WindowId window, ComponentId control, int32_t property, int32_t value);
// A text property (an edit box's Content, a dialog's FileName); no text reads as "".
std::string ReadText(WindowId window, ComponentId control, int32_t property);
void WriteText(WindowId window, ComponentId control, int32_t property, const std::string& text);

// An edit box's Content.
std::string EditText(WindowId window, ComponentId edit);
void SetEditText(WindowId window, ComponentId edit, const std::string& text);

// The combo box item's data; -1 for an index outside its items.
int32_t ComboItemData(WindowId window, ComponentId combo, int32_t index);
// Adds the text at the end of an edit box, which scrolls to it.
void AppendText(WindowId window, ComponentId edit, const std::string& text);
// Client-area size of a window (control 0) in pixels.
int32_t ClientWidth(WindowId window);
int32_t ClientHeight(WindowId window);

}  // namespace barvell::app
