#include "control_calls.h"

#include "kernel.h"
#include "library_call.h"

namespace barvell::app {

int32_t ReadInt(WindowId window, ComponentId control, int32_t property) {
  return int32_t(Kernel().ReadProperty(window, control, property, -1));
}

void WriteInt(WindowId window, ComponentId control, int32_t property, int32_t value) {
  Kernel().WriteProperty(window, control, property, -1, uint32_t(value), 0);
}

std::string ReadText(WindowId window, ComponentId control, int32_t property) {
  int64_t block = Kernel().ReadProperty(window, control, property, -1);
  return TakeText(reinterpret_cast<char*>(static_cast<uintptr_t>(block)));
}

void WriteText(WindowId window, ComponentId control, int32_t property, const std::string& text) {
  ArgRecord value = TextArg(text);
  Kernel().WriteProperty(window, control, property, -1, value.low, value.high);
}

std::string EditText(WindowId window, ComponentId edit) {
  return ReadText(window, edit, property::kEditContent);
}

void SetEditText(WindowId window, ComponentId edit, const std::string& text) {
  WriteText(window, edit, property::kEditContent, text);
}

int32_t ComboItemData(WindowId window, ComponentId combo, int32_t index) {
  return CallCommand(command::kComboItemData,
                     {ControlArg(type_id::kComboBox, window, combo), ArgRecord::Int(index)})
      .Int();
}

int32_t ClientWidth(WindowId window) {
  return CallCommand(command::kGetClientWidth, {ControlArg(type_id::kWindow, window, 0)}).Int();
}

int32_t ClientHeight(WindowId window) {
  return CallCommand(command::kGetClientHeight, {ControlArg(type_id::kWindow, window, 0)}).Int();
}

void AppendText(WindowId window, ComponentId edit, const std::string& text) {
  CallCommand(command::kAppendText, {ControlArg(type_id::kEditBox, window, edit), TextArg(text)});
}

}  // namespace barvell::app
