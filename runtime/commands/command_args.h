// Reading a library command's argument records: absent and omitted arguments alike are
// three zero words.
#pragma once

#include <string>

#include "barvell/call_interface.h"

namespace barvell::runtime {

inline ArgRecord ArgAt(int32_t count, const ArgRecord* args, int32_t i) {
  return i < count && args != nullptr ? args[i] : ArgRecord{};
}

inline bool IsGiven(const ArgRecord& a) { return !a.IsOmitted(); }

// A reference to a component carries its TypeId as the tag; the basic kinds have the
// high bit set.
inline bool IsComponentReference(const ArgRecord& a) { return a.tag != 0 && (a.tag & 0x80000000u) == 0; }

inline std::string TextArg(const ArgRecord& a) {
  return a.tag == tag::kText && a.Text() != nullptr ? std::string(a.Text()) : std::string();
}

inline void SetBoolResult(ResultRecord* r, bool v) { r->low = v ? 1 : 0; }

}  // namespace barvell::runtime
