#include "entry/script.h"

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace barvell::entry {

namespace {

struct VerbShape {
  const char* verb;
  size_t min_args;
  size_t max_args;
};

constexpr VerbShape kVerbs[] = {
    {"type", 2, 2},          {"paste", 2, 2},          {"click", 1, 1},
    {"choose", 2, 2},        {"colour", 2, 2},         {"color", 2, 2},
    {"key", 1, 1},           {"menu", 1, 1},           {"close", 0, 0},
    {"answer-save", 1, 1},   {"answer-folder", 1, 1},  {"answer-box", 1, 1},
    {"answer-colour", 1, 1}, {"answer-color", 1, 1},   {"print", 1, 1},
    {"window", 1, 1},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits one line into words; nullopt with a reason for an unterminated quote or a bad
// escape.
std::optional<std::vector<std::string>> Words(std::string_view line, std::string* why) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || (words.empty() && line[i] == '#')) return words;
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          word += c;
          continue;
        }
        if (i == line.size()) break;
        switch (char e = line[i++]) {
          case '"': word += '"'; break;
          case '\\': word += '\\'; break;
          case 't': word += '\t'; break;
          case 'n': word += "\r\n"; break;
          default:
            *why = std::string("unknown escape \\") + e;
            return std::nullopt;
        }
      }
      if (!closed) {
        *why = "a quoted argument is not closed";
        return std::nullopt;
      }
      if (i < line.size() && !IsBlank(line[i])) {
        *why = "a blank must follow a quoted argument";
        return std::nullopt;
      }
    } else {
      while (i < line.size() && !IsBlank(line[i])) word += line[i++];
    }
    words.push_back(std::move(word));
  }
}

}  // namespace

bool IsKnownVerb(const std::string& verb, size_t arg_count) {
  for (const VerbShape& v : kVerbs) {
    if (verb == v.verb) return arg_count >= v.min_args && arg_count <= v.max_args;
  }
  return false;
}

std::variant<Script, ScriptError> ParseScript(const std::string& text) {
  Script script;
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    start = end + 1;
    std::string why;
    std::optional<std::vector<std::string>> words = Words(line, &why);
    if (!words) return ScriptError{number, why};
    if (words->empty()) continue;
    Action a{(*words)[0], {std::next(words->begin()), words->end()}, number};
    if (!IsKnownVerb(a.verb, a.args.size())) {
      bool known = false;
      for (const VerbShape& v : kVerbs) known = known || a.verb == v.verb;
      return ScriptError{number, known ? "wrong number of arguments for \"" + a.verb + "\""
                                       : "unknown action \"" + a.verb + "\""};
    }
    script.push_back(std::move(a));
  }
  return script;
}

}  // namespace barvell::entry
