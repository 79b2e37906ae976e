#include "tools/source_lexer.h"

#include <cctype>

#include "tools/gbk_text.h"

namespace barvell::tools {

std::optional<std::vector<Token>> TokeniseLine(std::string_view line, std::string* error) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      // Literal runs are converted to GBK as a whole; \xHH bytes go in as they are.
      Token t;
      t.quoted = true;
      std::string gbk, run;
      bool gbk_ok = true;
      auto flush = [&] {
        if (run.empty()) return;
        std::optional<std::string> converted = Utf8ToGbk(run);
        if (converted) gbk += *converted; else gbk_ok = false;
        run.clear();
      };
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\') {
          run += d;
          t.word += d;
          continue;
        }
        if (i >= line.size()) break;
        char e = line[i++];
        char plain = e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t'
                   : (e == '"' || e == '\\') ? e : 0;
        if (plain) {
          run += plain;
          t.word += plain;
        } else if (e == 'x' && i + 2 <= line.size()) {
          std::optional<std::string> byte = ParseHex(line.substr(i, 2));
          if (!byte) break;
          i += 2;
          flush();
          gbk += *byte;
          t.word += *byte;
        } else {
          if (error) *error = std::string("bad escape \\") + e;
          return std::nullopt;
        }
      }
      if (!closed) {
        if (error) *error = "unterminated text";
        return std::nullopt;
      }
      flush();
      if (gbk_ok) t.gbk = gbk;
      tokens.push_back(std::move(t));
    } else {
      Token t;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
             line[i] != '"' && line[i] != '#') {
        t.word += line[i++];
      }
      tokens.push_back(std::move(t));
    }
  }
  return tokens;
}

std::optional<uint32_t> ParseWord(std::string_view word) {
  bool negative = !word.empty() && word[0] == '-';
  if (negative) word.remove_prefix(1);
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : word) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    value = value * base + d;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return uint32_t(-int64_t(value));
  }
  return uint32_t(value);
}

}  // namespace barvell::tools
