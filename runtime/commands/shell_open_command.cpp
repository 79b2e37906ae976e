// Handing a document or a web address to the shell's "open": the system's default
// handler shows it. A failure is not the program's concern beyond the result.
#include "platform/kernel/file_names.h"
#include "platform/text/gbk.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

// "https://...", "file://...": an address; anything else names a file, whose "\"
// separators the file system does not know.
std::string ShellTarget(const std::string& gbk) {
  if (gbk.find("://") != std::string::npos) return platform::GbkToUtf8(gbk);
  return platform::NativePath(gbk);
}

}  // namespace

void OpenWithShellCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string target = ToText(ArgAt(count, args, 0));
  SetBoolResult(result, !target.empty() && Ui().OpenWebPage(ShellTarget(target)));
}

}  // namespace barvell::runtime
