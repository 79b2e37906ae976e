#include "entry/headless_job.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "app/program.h"
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

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
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
    std::optional<std::string> text = ReadFile(job.operands[0]);
    if (!text) return Usage("cannot read the script " + job.operands[0]);
    std::variant<Script, ScriptError> parsed = ParseScript(*text);
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
      std::optional<std::string> text = ReadFile(job.list);
      if (!text) return Usage("cannot read the code list " + job.list);
      list = Lines(*text);
    }
    std::variant<Script, UsageError> made = ScriptOfJob(job, list);
    if (auto* e = std::get_if<UsageError>(&made)) return Usage(e->message);
    script = std::get<Script>(made);
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
  if (job.save_settings && !settings.SaveBack()) {
    std::fprintf(stderr, "barvell: the settings could not be saved to boot.ini\n");
    return kErrorShown;
  }
  return error_shown ? kErrorShown : 0;
}

}  // namespace barvell::entry
