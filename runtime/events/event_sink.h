// The runtime's receiver of everything the window system reports: window changes, menu
// commands, control notifications, focus, keys, characters and the mouse become events of
// the program's windows.
#pragma once

#include "platform/ui/events.h"

namespace barvell::runtime {

// The user message that carries a shutdown requested from another thread to the start-up
// thread; its value is the exit code.
constexpr int kShutdownRequest = 0x83E7;

class RuntimeEventSink final : public ui::EventSink {
 public:
  bool OnEvent(const ui::Event& event) override;
  char32_t OnCharacter(ui::WindowHandle target, char32_t character) override;
};

// Windows the runtime makes for itself (a colour picker's popup) see the window system's
// events first: a route that answers true has handled the event. Null removes it.
using OwnWindowRoute = bool (*)(const ui::Event& event);
void SetOwnWindowRoute(OwnWindowRoute route);

// Installs the runtime's sink on the window system (null removes it).
void InstallEventSink();
void RemoveEventSink();

}  // namespace barvell::runtime
