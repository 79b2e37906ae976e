// The callback through which command-library code asks the runtime for services by
// number; each library receives it with notification 1.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"
#include "runtime/call/component_view.h"

namespace barvell::runtime {

namespace library_service {
constexpr int32_t kRegistry = 1001;
constexpr int32_t kTypeDescriptor = 1002;
constexpr int32_t kVersion = 1005;
constexpr int32_t kWindowDestroyed = 2000;
constexpr int32_t kProgramDirectory = 2003;
constexpr int32_t kProgramFileName = 2004;
constexpr int32_t kLoadWindow = 2005;
constexpr int32_t kComponentObject = 2006;
constexpr int32_t kRequireComponentObject = 2007;
constexpr int32_t kRaiseEvent = 2008;
constexpr int32_t kLoadingBegins = 2009;
constexpr int32_t kLoadingEnds = 2010;
constexpr int32_t kEventSource = 2017;
constexpr int32_t kRaiseTypedEvent = 2031;
constexpr int32_t kAllocate = 2024;
constexpr int32_t kFree = 2025;
constexpr int32_t kReallocate = 2026;
}  // namespace library_service

constexpr intptr_t kRuntimeVersion = 0x70005;

// The record of the load-window service (2005).
struct LoadWindowRecord {
  WindowId window = 0;
  ComponentObject* owner = nullptr;  // a component of the owner window, or null
  int32_t modal = 0;
};

// Unknown numbers answer 0. The window services answer 0 or null until the rooms above
// have installed their frame hooks. The runtime itself calls its rooms directly; this
// numbered face is the command libraries'.
intptr_t LibraryServiceCallback(int32_t number, intptr_t a, intptr_t b);

}  // namespace barvell::runtime
