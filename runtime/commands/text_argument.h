// Reading the arguments of the configuration and file commands.
#pragma once

#include <cstdint>
#include <string>

#include "barvell/call_interface.h"
#include "runtime/commands/text_commands.h"

namespace barvell::runtime {

// Argument i, or an omitted one when the caller passed fewer.
inline ArgRecord ArgumentAt(int32_t count, const ArgRecord* args, int32_t i) {
  return i < count && args != nullptr ? args[i] : ArgRecord{};
}

// A text argument as an owned string. A value of another kind is read as its text, so a
// number is never taken for a pointer; an omitted argument is the empty text.
inline std::string TextArgument(const ArgRecord& a) {
  if (a.tag == tag::kText) return a.Text() != nullptr ? std::string(a.Text()) : std::string();
  return a.tag == 0 ? std::string() : ToText(a);
}

}  // namespace barvell::runtime
