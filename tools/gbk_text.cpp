#include "tools/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace barvell::tools {
namespace {

// One conversion of a whole text; nullopt on any invalid or unmappable sequence.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (r == size_t(-1) || src_left != 0) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

void AppendEscape(std::string& out, unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", c);
  out += buf;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  return Convert("GBK", "UTF-8", utf8);
}

std::string GbkToLiteral(std::string_view gbk) {
  std::string out = "\"";
  for (size_t i = 0; i < gbk.size(); ++i) {
    unsigned char c = gbk[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else if (IsLead(c) && i + 1 < gbk.size() && IsTrail(gbk[i + 1])) {
      std::string_view pair = gbk.substr(i, 2);
      std::optional<std::string> utf8 = Convert("UTF-8", "GBK", pair);
      std::optional<std::string> back = utf8 ? Utf8ToGbk(*utf8) : std::nullopt;
      if (back && *back == pair) {
        out += *utf8;
        ++i;
      } else {
        AppendEscape(out, c);
      }
    } else {
      AppendEscape(out, c);
    }
  }
  return out + "\"";
}

std::string HexLiteral(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out + "\"";
}

std::optional<std::string> ParseHex(std::string_view digits) {
  auto value = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (digits.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < digits.size(); i += 2) {
    int hi = value(digits[i]), lo = value(digits[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += char(hi << 4 | lo);
  }
  return out;
}

}  // namespace barvell::tools
