// The process entry: `barvell` runs the program on the desktop; subcommands run the same
// program on the in-memory window system, driven as a person would drive it.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/program.h"
#include "entry/command_line.h"
#include "entry/headless_job.h"
#include "platform/kernel/process.h"
#include "platform/text/gbk.h"
#include "platform/ui/headless/dialog_record.h"
#include "platform/ui/headless/headless_window_system.h"
#include "runtime/loop/run_program.h"

#if BARVELL_DESKTOP
#include "platform/ui/desktop.h"
#endif

namespace {

constexpr int kUsageError = 2;

// What a person would have seen of the dialogs goes to standard output afterwards.
int RunHeadlessWithoutInput() {
  barvell::ui::HeadlessWindowSystem ui;
  int code = barvell::runtime::RunProgram(barvell::app::kProgramDescriptor,
                                          barvell::app::StartRoutine, ui);
  std::fputs(barvell::ui::Transcript(ui.Driver().Shown()).c_str(), stdout);
  return code;
}

int RunDesktop(int argc, char** argv) {
#if BARVELL_DESKTOP
  std::unique_ptr<barvell::ui::WindowSystem> ui =
      barvell::ui::CreateDesktopWindowSystem(argc, argv);
  if (!ui) {
    std::fputs("barvell: no display; the desktop needs a display (set DISPLAY)\n", stderr);
    return kUsageError;
  }
  return barvell::runtime::RunProgram(barvell::app::kProgramDescriptor,
                                      barvell::app::StartRoutine, *ui);
#else
  std::fputs("barvell: built without the desktop; see barvell --help\n", stderr);
  return kUsageError;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return RunDesktop(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--headless") return RunHeadlessWithoutInput();

  std::string here = barvell::platform::GbkToUtf8(barvell::platform::CurrentDirectory());
  auto parsed = barvell::entry::ParseCommandLine(args, here);
  if (auto* e = std::get_if<barvell::entry::UsageError>(&parsed)) {
    std::fprintf(stderr, "barvell: %s (try barvell --help)\n", e->message.c_str());
    return kUsageError;
  }
  const barvell::entry::Job& job = std::get<barvell::entry::Job>(parsed);
  if (job.help) {
    std::fputs(barvell::entry::HelpText(), stdout);
    return 0;
  }
  if (job.version) {
    std::fputs(barvell::entry::VersionText(), stdout);
    return 0;
  }
  return barvell::entry::RunHeadlessJob(job);
}
