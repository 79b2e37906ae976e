// The process entry: `barvell` runs the program on the desktop; subcommands run it
// elsewhere (`--headless`: on the in-memory window system, with no input, as a smoke run).
#include <cstdio>
#include <memory>
#include <string_view>

#include "app/program.h"
#include "platform/ui/headless/headless_window_system.h"
#include "runtime/loop/run_program.h"

#if BARVELL_DESKTOP
#include "platform/ui/desktop.h"
#endif

namespace {

constexpr int kUsageError = 2;

int Usage(std::FILE* to) {
  std::fputs(
      "usage: barvell              open the main window on the desktop\n"
      "       barvell --headless   run the program without a display and no input\n",
      to);
  return to == stdout ? 0 : kUsageError;
}

// What a person would have seen of the dialogs goes to standard output afterwards.
int RunHeadless() {
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
  std::fputs("barvell: built without the desktop; try --headless\n", stderr);
  return kUsageError;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return RunDesktop(argc, argv);
  std::string_view command = argv[1];
  if (argc == 2 && command == "--headless") return RunHeadless();
  if (argc == 2 && (command == "--help" || command == "-h")) return Usage(stdout);
  return Usage(stderr);
}
