#include "entry/headless_job.h"

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "app/program.h"
#include "entry/input_files.h"
#include "entry/private_settings.h"
#include "entry/script_player.h"
#include "platform/kernel/process.h"
#include "platform/text/gbk.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/headless/headless_window_system.h"
#include "runtime/loop/run_program.h"

namespace barvell::entry {

namespace {

constexpr int kErrorShown = 1;
constexpr int kUsageError = 2;

int Usage(const std::string& message) {
  std::fprintf(stderr, "barvell: %s\n", message.c_str());
  return kUsageError;
}

// The directory of the program file itself (where its boot.ini lies).
std::string ProgramDirectory() {
  std::string file = platform::GbkToUtf8(platform::ModuleFileName());
  size_t cut = file.rfind('/');
  return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
}

bool IsError(const ui::MessageBoxRequest& box) {
  unsigned icon = box.style & ui::mb::kIconMask;
  return icon == ui::mb::kIconError || icon == ui::mb::kIconWarning;
}

}  // namespace

int RunHeadlessJob(const Job& job) {
  Script script;
  if (job.subcommand == "script") {
    std::variant<std::string, InputError> text = ReadInputFile(job.operands[0]);
    if (auto* e = std::get_if<InputError>(&text)) return Usage("the script: " + e->message);
    std::variant<Script, ScriptError> parsed = ParseScript(std::get<std::string>(text));
    if (auto* e = std::get_if<ScriptError>(&parsed))
      return Usage(job.operands[0] + ":" + std::to_string(e->line) + ": " + e->message);
    std::variant<Script, UsageError> settings = SettingActions(job);
    if (auto* e = std::get_if<UsageError>(&settings)) return Usage(e->message);
    script = std::get<Script>(settings);
    const Script& body = std::get<Script>(parsed);
    script.insert(script.end(), body.begin(), body.end());
  } else {
    std::vector<std::string> list;
    if (!job.list.empty()) {
      std::variant<std::string, InputError> text = ReadInputFile(job.list);
      if (auto* e = std::get_if<InputError>(&text)) return Usage("the code list: " + e->message);
      std::variant<std::vector<std::string>, InputError> lines =
          CodeListLines(std::get<std::string>(text));
      if (auto* e = std::get_if<InputError>(&lines)) return Usage(job.list + ": " + e->message);
      list = std::move(std::get<std::vector<std::string>>(lines));
    }
    std::variant<Script, UsageError> made = ScriptOfJob(job, list);
    if (auto* e = std::get_if<UsageError>(&made)) return Usage(e->message);
    script = std::move(std::get<Script>(made));
  }

  PrivateSettings settings;
  if (!settings.Prepare(ProgramDirectory()))
    return Usage("cannot make a private directory for the settings");
  platform::SetModuleFileNameForRun(platform::Utf8ToGbk(settings.ProgramFile()));

  ui::HeadlessWindowSystem system;
  BatchProgress progress(stderr);
  ScriptPlayer player(system, std::move(script), stdout, &progress);
  // Each message box is printed as it comes up: information on standard output, errors
  // on standard error.
  bool error_shown = false;
  size_t printed = 0;
  ui::InputDriver& driver = system.Driver();
  driver.WhileDialogShown([&] {
    for (; printed < driver.MessageBoxes().size(); ++printed) {
      const ui::MessageBoxRequest& box = driver.MessageBoxes()[printed];
      bool error = IsError(box);
      error_shown = error_shown || error;
      progress.Say(error ? stderr : stdout, box.text);
    }
  });
  player.Start();
  runtime::RunProgram(app::kProgramDescriptor, app::StartRoutine, system);
  progress.Stop();
  platform::SetModuleFileNameForRun("");
  if (player.Failed()) return Usage(player.Failure());
  if (job.save_settings) {
    std::string why = settings.SaveBack();
    if (!why.empty()) {
      std::fprintf(stderr, "barvell: the settings could not be saved to boot.ini (%s)\n", why.c_str());
      return kErrorShown;
    }
  }
  return error_shown ? kErrorShown : 0;
}

}  // namespace barvell::entry
