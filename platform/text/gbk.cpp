#include "platform/text/gbk.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/text/ascii_text.h"
#include "platform/text/shared_converter.h"

namespace barvell::platform {

namespace {

constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";
// Explicit byte order, so iconv writes no byte-order mark and the units are native.
constexpr const char* kUtf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// How many input bytes one replacement stands for at `p` (n bytes left, n > 0): the whole
// character when the bytes have the shape of one (it was valid but not representable in
// the target), otherwise the smallest unit of the source encoding.
using SkipRule = size_t (*)(const unsigned char* p, size_t n);

size_t SkipGbk(const unsigned char* p, size_t n) {
  bool pair = p[0] >= 0x81 && p[0] <= 0xFE && n >= 2 && p[1] >= 0x40 && p[1] <= 0xFE &&
              p[1] != 0x7F;
  return pair ? 2 : 1;
}

size_t SkipUtf8(const unsigned char* p, size_t n) {
  size_t len = p[0] >= 0xF0 && p[0] <= 0xF4   ? 4
               : p[0] >= 0xE0 && p[0] <= 0xEF ? 3
               : p[0] >= 0xC2 && p[0] <= 0xDF ? 2
                                              : 1;
  if (len > n) return 1;
  for (size_t i = 1; i < len; ++i)
    if ((p[i] & 0xC0) != 0x80) return 1;
  return len;
}

size_t SkipUtf16(const unsigned char* p, size_t n) {
  if (n < 2) return n;
  char16_t units[2] = {};
  std::memcpy(units, p, n >= 4 ? 4 : 2);
  bool pair = n >= 4 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 &&
              units[1] <= 0xDFFF;
  return pair ? 4 : 2;
}

// Converts `input`, writing `replacement` (already in the target encoding) for whatever
// cannot be converted. Every round of the loop consumes input or grows the output, so
// it always ends.
std::vector<char> Convert(const char* to, const char* from, const char* input, size_t size,
                          SkipRule skip_rule, std::string_view replacement) {
  std::vector<char> out;
  iconv_t cd = SharedConverter(from, to);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter on this host: nothing can be decoded.
    auto* p = reinterpret_cast<const unsigned char*>(input);
    for (size_t i = 0; i < size; i += skip_rule(p + i, size - i))
      out.insert(out.end(), replacement.begin(), replacement.end());
    return out;
  }
  out.resize(size * 2 + 16);
  char* in = const_cast<char*>(input);  // iconv's signature; it does not write the input
  size_t in_left = size;
  size_t used = 0;
  while (true) {
    char* dst = out.data() + used;
    size_t dst_left = out.size() - used;
    size_t r = in_left > 0 ? iconv(cd, &in, &in_left, &dst, &dst_left)
                           : iconv(cd, nullptr, nullptr, &dst, &dst_left);
    used = out.size() - dst_left;
    if (r != size_t(-1)) {
      if (in_left == 0) break;
      continue;
    }
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ (invalid or unrepresentable) or EINVAL (truncated at the end).
    size_t skip = skip_rule(reinterpret_cast<const unsigned char*>(in), in_left);
    if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
    std::memcpy(out.data() + used, replacement.data(), replacement.size());
    used += replacement.size();
    in += skip;
    in_left -= skip;
    if (in_left == 0) break;
  }
  out.resize(used);
  return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  auto out = Convert(kUtf8, kGbk, gbk.data(), gbk.size(), SkipGbk, "?");
  return std::string(out.begin(), out.end());
}

std::string Utf8ToGbk(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  auto out = Convert(kGbk, kUtf8, utf8.data(), utf8.size(), SkipUtf8, "?");
  return std::string(out.begin(), out.end());
}

std::u16string GbkToUtf16(std::string_view gbk) {
  if (IsAscii(gbk)) return WidenAscii(gbk);
  const char16_t question = u'?';
  std::string_view replacement(reinterpret_cast<const char*>(&question), sizeof question);
  auto out = Convert(kUtf16, kGbk, gbk.data(), gbk.size(), SkipGbk, replacement);
  std::u16string text(out.size() / 2, u'\0');
  std::memcpy(text.data(), out.data(), text.size() * 2);
  return text;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  if (IsAscii(utf16)) return NarrowAscii(utf16);
  auto out = Convert(kGbk, kUtf16, reinterpret_cast<const char*>(utf16.data()),
                     utf16.size() * 2, SkipUtf16, "?");
  return std::string(out.begin(), out.end());
}

}  // namespace barvell::platform
