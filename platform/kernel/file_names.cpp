#include "platform/kernel/file_names.h"

#include <cstdint>

#include "platform/text/gbk.h"

namespace barvell::platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

size_t GbkCharLength(std::string_view text, size_t i) {
  return uint8_t(text[i]) >= 0x81 && i + 1 < text.size() ? 2 : 1;
}

size_t LastSeparator(std::string_view gbk_name) {
  size_t last = std::string_view::npos;
  // Walk by characters: a trail byte may be 0x5C, which is no separator.
  for (size_t i = 0; i < gbk_name.size(); i += GbkCharLength(gbk_name, i)) {
    if (IsSeparator(gbk_name[i])) last = i;
  }
  return last;
}

std::string NativePath(std::string_view gbk_name) {
  std::string slashed(gbk_name);
  for (size_t i = 0; i < slashed.size(); i += GbkCharLength(slashed, i)) {
    if (slashed[i] == '\\') slashed[i] = '/';
  }
  return GbkToUtf8(slashed);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    size_t la = GbkCharLength(a, i);
    if (la != GbkCharLength(b, i)) return false;
    if (la == 1 ? AsciiLower(a[i]) != AsciiLower(b[i]) : a.substr(i, 2) != b.substr(i, 2)) {
      return false;
    }
    i += la;
  }
  return true;
}

}  // namespace barvell::platform
