#include "runtime/call/error_report.h"

#include <cstdio>

#include "barvell/call_interface.h"
#include "platform/kernel/message_box.h"
#include "platform/kernel/process.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/runtime_errors.h"
#include "runtime/call/runtime_state.h"
#include "runtime/call/shutdown.h"

namespace barvell::runtime {

namespace {

std::string Decimal(int64_t n) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(n));
  return buffer;
}

bool IsWindowId(uint32_t id) { return IdClass(id) == 5 && IdKind(id) == 2 && IdIsValid(id); }

std::string Quoted(std::string_view tag) { return "\r\n\"" + std::string(tag) + "\""; }

// "\r\n%d, %d", the tag lines of the window and component the words name, a line break.
std::string DetailText(uint32_t a, uint32_t b) {
  std::string detail = "\r\n" + Decimal(int32_t(a)) + ", " + Decimal(int32_t(b));
  if (IsWindowId(a)) {
    if (WindowExists(a)) {
      if (ComponentView* window = FindComponent(a, 0)) detail += Quoted(window->Tag());
      ComponentView* component = FindComponent(a, b);
      if (component != nullptr && !component->IsMenuItem()) {
        detail += Quoted(component->Tag());
      } else {
        detail += "\r\n未找到所指定的窗口组件";
      }
    } else {
      detail += "\r\n未找到所指定的窗口";
    }
  }
  return detail + "\r\n";
}

}  // namespace

std::string ComposeErrorReport(const char* message, int32_t code, uint32_t a, uint32_t b) {
  std::string text = "运行时出错!\r\n";
  if (code != 0) text += "\r\n错误代码：" + Decimal(code) + "\r\n";
  if (message != nullptr && message[0] != '\0') {
    text += "\r\n错误信息：" + std::string(message) + "\r\n";
  }
  return text + DetailText(a, b);
}

void RuntimeErrorReport(const char* message, int32_t code, uint32_t a, uint32_t b) {
  ++State().error_counter;
  platform::ShowMessageBox(ComposeErrorReport(message, code, a, b), kErrorReportCaption,
                           platform::kMessageBoxIconError);
  if (State().run_mode == 2) platform::RequestDebuggerBreak();
  State().cleanup.clear();
  EndProgram(-1);
}

void RaiseRuntimeError(int32_t error, uint32_t a, uint32_t b) {
  const char* text = RuntimeErrorText(error);
  RuntimeErrorReport(text != nullptr ? text : "", error, a, b);
}

}  // namespace barvell::runtime
