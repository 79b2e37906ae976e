#pragma once
// UTF-8 <-> code points for the texts crossing the window-system interface. Malformed
// bytes decode as U+FFFD so that a bad text never stops the user interface.

#include <string>

namespace barvell::ui {

std::u32string DecodeUtf8(const std::string& text);
std::string EncodeUtf8(const std::u32string& text);
std::string EncodeUtf8(char32_t c);

}  // namespace barvell::ui
