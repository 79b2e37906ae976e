// Texts between the template sources (UTF-8) and the template area (GBK bytes).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace barvell::tools {

// UTF-8 -> GBK; nullopt when the text is not valid UTF-8 or has a character GBK lacks.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// GBK bytes -> a double-quoted source literal in UTF-8 that the compiler reads back to the
// same bytes: characters that convert both ways are written as themselves, anything else
// as \xHH, and quote, backslash and control characters escaped.
std::string GbkToLiteral(std::string_view gbk);

// Bytes as a quoted run of hex digits, and back.
std::string HexLiteral(std::string_view bytes);
std::optional<std::string> ParseHex(std::string_view digits);

}  // namespace barvell::tools
