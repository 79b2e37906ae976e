// libFuzzer target: the command line's script language. Any text is a script or the error
// of one line; every action of a script is a known verb with its number of arguments, and
// a script written back with every argument quoted parses to the same actions.
#include <string>
#include <variant>

#include "entry/script.h"

namespace {

using namespace barvell::entry;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// An argument as a quoted word: the escapes for what a quoted word cannot hold as it is.
std::string Quoted(const std::string& arg) {
  std::string out = "\"";
  for (size_t i = 0; i < arg.size(); ++i) {
    char c = arg[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\r' && i + 1 < arg.size() && arg[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  int lines = 1;
  for (char c : text) lines += c == '\n';

  std::variant<Script, ScriptError> parsed = ParseScript(text);
  if (auto* error = std::get_if<ScriptError>(&parsed)) {
    Check(error->line >= 1 && error->line <= lines && !error->message.empty());
    return 0;
  }
  const Script& script = std::get<Script>(parsed);
  std::string again;
  int previous = 0;
  for (const Action& a : script) {
    Check(IsKnownVerb(a.verb, a.args.size()));
    Check(a.line > previous && a.line <= lines);
    previous = a.line;
    again += a.verb;
    for (const std::string& arg : a.args) {
      // No argument holds a line break of its own but the multi-line box's CR LF.
      for (size_t i = 0; i < arg.size(); ++i) Check(arg[i] != '\n' || (i > 0 && arg[i - 1] == '\r'));
      again += " " + Quoted(arg);
    }
    again += "\n";
  }
  std::variant<Script, ScriptError> reparsed = ParseScript(again);
  Check(std::holds_alternative<Script>(reparsed));
  const Script& same = std::get<Script>(reparsed);
  Check(same.size() == script.size());
  for (size_t i = 0; i < same.size(); ++i) {
    Check(same[i].verb == script[i].verb && same[i].args == script[i].args &&
          same[i].line == int(i + 1));
  }
  return 0;
}
