// Seven-bit text is the same bytes in GBK and UTF-8 and the same values in UTF-16, so the
// conversions take it as it is; most file names the program builds are such text.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace barvell::platform {

inline bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
}

inline bool IsAscii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

inline std::u16string WidenAscii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

inline std::string NarrowAscii(std::u16string_view text) {
  std::string narrow(text.size(), '\0');
  std::transform(text.begin(), text.end(), narrow.begin(), [](char16_t c) { return char(c); });
  return narrow;
}

}  // namespace barvell::platform
