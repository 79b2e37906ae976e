// Starting wx, and the loop primitives over its event loop. The runtime runs its own loop
// over these; wx never runs a main loop of its own.

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "platform/ui/desktop.h"
#include "platform/ui/wx/wx_compact_style.h"
#include "platform/ui/wx/wx_window_system.h"

namespace barvell::ui {

namespace {

class BarvellApp : public wxApp {
 public:
  bool OnInit() override {
    SetExitOnFrameDelete(false);  // the runtime decides when the program ends
    return true;
  }
};

int gArgc = 0;  // wx keeps a reference to it

// The desktop's texts are UTF-8, so its character type must be too: otherwise the toolkit
// cannot name windows in the window manager's older title property (WM_NAME) nor convert
// file names beyond ASCII. Only the character type: numbers keep the "C" rules.
void UseUtf8CharacterType() {
  auto utf8 = [] { return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; };
  if (std::setlocale(LC_CTYPE, "") != nullptr && utf8()) return;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && utf8()) return;
  std::setlocale(LC_CTYPE, "C");
}

}  // namespace

std::unique_ptr<WindowSystem> CreateDesktopWindowSystem(int argc, char** argv) {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((!x11 || !*x11) && (!wayland || !*wayland)) return nullptr;
  if (wxTheApp) return nullptr;  // one per process
  gArgc = argc;
  UseUtf8CharacterType();
  wxApp::SetInstance(new BarvellApp);
  if (!wxEntryStart(gArgc, argv)) return nullptr;
  if (!wxTheApp->CallOnInit()) {
    wxEntryCleanup();
    return nullptr;
  }
  InstallCompactStyle();
  auto* loop = new wxGUIEventLoop;
  wxEventLoopBase::SetActive(loop);
  return std::make_unique<WxWindowSystem>(loop);
}

bool WxWindowSystem::HasPendingEvent() {
  {
    std::lock_guard<std::mutex> lock(userMutex_);
    if (!userMessages_.empty()) return true;
  }
  return wxTheApp->HasPendingEvents() || loop_->Pending();
}

void WxWindowSystem::DispatchOne() {
  if (quitPosted_) return;
  std::pair<int, std::intptr_t> message;
  bool haveMessage = false;
  {
    std::lock_guard<std::mutex> lock(userMutex_);
    if (!userMessages_.empty()) {
      message = userMessages_.front();
      userMessages_.pop_front();
      haveMessage = true;
    }
  }
  if (haveMessage) {
    Event e;
    e.kind = EventKind::kUserMessage;
    e.command = message.first;
    e.value = message.second;
    Report(e);
    return;
  }
  if (wxTheApp->HasPendingEvents()) {
    wxTheApp->ProcessPendingEvents();  // events queued inside wx itself
    return;
  }
  loop_->Dispatch();  // waits for one when none is pending
}

void WxWindowSystem::WaitForEvent() {
  if (quitPosted_ || HasPendingEvent()) return;
  // Blocks until the toolkit has something; what it dispatches on the way is its own work.
  loop_->Dispatch();
}

bool WxWindowSystem::ProcessIdle() {
  FlushZOrder();
  ReleaseHeldSurfaces();
  return wxTheApp->ProcessIdle();
}

void WxWindowSystem::PostQuit(int exitCode) {
  if (quitPosted_) return;
  quitPosted_ = true;
  quitCode_ = exitCode;
  wxWakeUpIdle();
}

int WxWindowSystem::TakeQuit() {
  int code = quitPosted_ ? quitCode_ : 0;
  quitPosted_ = false;
  quitCode_ = 0;
  return code;
}

void WxWindowSystem::PostUserMessage(int code, std::intptr_t value) {
  {
    std::lock_guard<std::mutex> lock(userMutex_);
    userMessages_.emplace_back(code, value);
  }
  wxWakeUpIdle();
}

}  // namespace barvell::ui
