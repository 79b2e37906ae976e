// The line tokens of a template source: bare words (keywords, names of handlers, numbers)
// and double-quoted texts. "#" outside a text starts a comment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace barvell::tools {

struct Token {
  bool quoted = false;
  std::string word;               // a bare word, or the quoted text as written (UTF-8,
                                  // escapes resolved; for paths and hex digits)
  std::optional<std::string> gbk; // a quoted text in GBK; nullopt if GBK lacks a character
};

// Splits one line; an unterminated text or a bad escape gives nullopt and *error.
std::optional<std::vector<Token>> TokeniseLine(std::string_view line, std::string* error);

// Integers: decimal, negative decimal or 0x hex, fitting 32 bits (negative values as their
// two's complement).
std::optional<uint32_t> ParseWord(std::string_view word);

}  // namespace barvell::tools
