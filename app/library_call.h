// One library command call with argument records, and the taking over of its results:
// text and byte-array results are new heap blocks that the caller frees.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "barvell/call_interface.h"

namespace barvell::app {

ResultRecord CallCommand(int32_t command, std::initializer_list<ArgRecord> args);

// A text argument: the empty text is passed as no text.
ArgRecord TextArg(const std::string& text);
// A control of a loaded window as a component reference.
ArgRecord ControlArg(TypeId type, WindowId window, ComponentId control);

// Takes over a text result block (or a text property value) and frees it.
std::string TakeText(const ResultRecord& result);
std::string TakeText(char* block);

}  // namespace barvell::app
