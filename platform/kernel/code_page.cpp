#include "platform/kernel/code_page.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/text/ascii_text.h"
#include "platform/text/shared_converter.h"

namespace barvell::platform {

namespace {

// The iconv names of the code pages we understand; the narrow system code page is GBK.
const char* IconvName(uint32_t code_page) {
  switch (code_page) {
    case kCodePageAnsi:
    case kCodePageOem:
    case kCodePageThread:
    case kCodePageGbk:
      return "GBK";
    case kCodePageUtf8:
      return "UTF-8";
    default:
      return nullptr;
  }
}

// Converts all of `in`; an undecodable or unrepresentable unit is either a failure
// (strict) or replaced by `replacement` (in the target encoding) after skipping
// `skip_bytes` input bytes.
std::optional<std::string> Convert(const char* from, const char* to, std::string_view in,
                                   bool strict, std::string_view replacement,
                                   size_t skip_bytes) {
  iconv_t cd = SharedConverter(from, to);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::vector<char> buffer(4 * in.size() + 16);
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  bool failed = false;
  while (src_left > 0) {
    char* dst = buffer.data();
    size_t dst_left = buffer.size();
    size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer.data(), dst - buffer.data());
    if (r != size_t(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a sequence cut off at the end): one unit cannot be converted.
    if (strict) {
      failed = true;
      break;
    }
    out.append(replacement);
    size_t skip = std::min(skip_bytes, src_left);
    src += skip;
    src_left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state after the skip
  }
  if (failed) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::u16string> DecodeCodePage(std::string_view bytes, uint32_t code_page,
                                             bool strict) {
  const char* name = IconvName(code_page);
  if (name == nullptr) return std::nullopt;
  if (IsAscii(bytes)) return WidenAscii(bytes);  // every code page we know extends ASCII
  static const char kQuestionLe[2] = {'?', 0};
  auto raw = Convert(name, "UTF-16LE", bytes, strict, std::string_view(kQuestionLe, 2), 1);
  if (!raw) return std::nullopt;
  std::u16string units(raw->size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = char16_t(uint8_t((*raw)[2 * i]) | uint8_t((*raw)[2 * i + 1]) << 8);
  }
  return units;
}

}  // namespace barvell::platform
