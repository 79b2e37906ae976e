// Handing a document or a web address to the shell's "open": the system's default
// handler shows it. A failure is not the program's concern beyond the result.
#include <string_view>

#include "platform/kernel/file_names.h"
#include "platform/text/gbk.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

// "http://...", "file:///...": an address, passed on as it is. Anything else names a file
// the way the program names files ("\" between folders), which the shell gets in the file
// system's own form.
bool IsAddress(std::string_view target) { return target.find("://") != std::string_view::npos; }

}  // namespace

void OpenWithShellCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string target = ToText(ArgAt(count, args, 0));
  if (target.empty()) {
    SetBoolResult(result, false);
    return;
  }
  std::string native = IsAddress(target) ? platform::GbkToUtf8(target) : platform::NativePath(target);
  SetBoolResult(result, Ui().OpenWebPage(native));
}

}  // namespace barvell::runtime
