// The command line's subcommands, turned into the script of what a person would do in the
// program's windows to get the same result.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "entry/script.h"

namespace barvell::entry {

struct Job {
  std::string subcommand;  // "ean13", "product", "code39", "batch-ean13", "batch-code39", "script"
  std::vector<std::string> operands;
  std::string output;   // -o
  std::string dir;      // --dir
  std::string list;     // --list
  std::string fixed, start, end, step, formula;
  bool has_formula = false;
  std::vector<std::pair<std::string, std::string>> settings;  // --set NAME=VALUE, in order
  bool save_settings = false;
  bool help = false;
  bool version = false;
};

struct UsageError {
  std::string message;  // one line, without "barvell: "
};

// argv[1...] -> a job. Paths (-o, --dir, --list, a script file) are made absolute against
// `start_directory`, as a dialog would return them.
std::variant<Job, UsageError> ParseCommandLine(const std::vector<std::string>& args,
                                               const std::string& start_directory);

// The actions of a job (not "script": its file is read by the caller). `list_lines` are
// the lines of the --list file, when one was given.
std::variant<Script, UsageError> ScriptOfJob(const Job& job,
                                             const std::vector<std::string>& list_lines);

// The --set settings as actions in the main window, followed by a click on 刷新.
std::variant<Script, UsageError> SettingActions(const Job& job);

const char* HelpText();
const char* VersionText();

}  // namespace barvell::entry
