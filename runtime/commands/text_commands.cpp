#include "runtime/commands/text_commands.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace barvell::runtime {

namespace {

std::string_view View(const char* text) { return text ? std::string_view(text) : std::string_view(); }

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The next candidate offset after `pos`, stepping over a double-byte character as a unit;
// npos when a lead byte ends the text.
size_t NextCharacter(std::string_view text, size_t pos) {
  if (!IsLeadByte(text[pos])) return pos + 1;
  return pos + 1 < text.size() ? pos + 2 : std::string_view::npos;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

int32_t TextLength(const char* text) { return static_cast<int32_t>(View(text).size()); }

std::string LeftText(const char* text, int32_t n) {
  std::string_view t = View(text);
  if (n <= 0) return {};
  return std::string(t.substr(0, size_t(n)));
}

std::string RightText(const char* text, int32_t n) {
  std::string_view t = View(text);
  if (n <= 0) return {};
  size_t take = std::min(size_t(n), t.size());
  return std::string(t.substr(t.size() - take));
}

std::string MidText(const char* text, int32_t start, int32_t n) {
  std::string_view t = View(text);
  const int64_t p = int64_t(start) - 1;
  if (p < 0 || p >= int64_t(t.size()) || n <= 0) return {};
  return std::string(t.substr(size_t(p), size_t(n)));
}

int32_t FindText(const char* text, const char* sought, std::optional<int32_t> start,
                 std::optional<bool> ignore_case) {
  std::string_view t = View(text);
  std::string_view s = View(sought);
  const int64_t begin = start ? std::max<int64_t>(int64_t(*start) - 1, 0) : 0;
  if (begin >= int64_t(t.size())) return -1;
  // An empty sought text is found at the very start, whatever the start offset.
  if (s.empty()) return 1;
  const bool fold = ignore_case.value_or(false);
  for (size_t pos = size_t(begin); pos != std::string_view::npos && pos < t.size();
       pos = NextCharacter(t, pos)) {
    if (t.size() - pos < s.size()) break;
    std::string_view candidate = t.substr(pos, s.size());
    if (fold ? EqualIgnoringCase(candidate, s) : candidate == s) return int32_t(pos + 1);
  }
  return -1;
}

std::string ToUpper(const char* text) {
  std::string out(View(text));
  for (size_t pos = 0; pos != std::string::npos && pos < out.size();
       pos = NextCharacter(out, pos)) {
    if (out[pos] >= 'a' && out[pos] <= 'z') out[pos] = char(out[pos] - 'a' + 'A');
  }
  return out;
}

bool TextPieces::Next(std::string_view& piece) {
  if (cut_ >= text_.size()) return false;
  size_t pos = separator_.empty() ? std::string_view::npos : cut_;
  for (; pos != std::string_view::npos && pos < text_.size(); pos = NextCharacter(text_, pos)) {
    if (text_.substr(pos, separator_.size()) == separator_) {
      piece = text_.substr(cut_, pos - cut_);
      cut_ = pos + separator_.size();
      return true;
    }
  }
  // No separator up to the end (or a lead byte ends the text): the rest is the last piece.
  piece = text_.substr(cut_);
  cut_ = text_.size();
  return true;
}

std::string_view SplitSeparator(std::optional<const char*> separator) {
  return separator ? View(*separator) : std::string_view(",");
}

std::vector<std::string> SplitText(const char* text, std::optional<const char*> separator,
                                   std::optional<int32_t> max_count) {
  const size_t limit = max_count ? size_t(std::max(*max_count, 0)) : SIZE_MAX;
  std::vector<std::string> parts;
  TextPieces pieces(View(text), SplitSeparator(separator));
  for (std::string_view piece; parts.size() < limit && pieces.Next(piece);) parts.emplace_back(piece);
  return parts;
}

std::vector<uint8_t> BlankBytes(int32_t n) { return std::vector<uint8_t>(size_t(std::max(n, 0)), 0); }

int32_t ByteArrayLength(const void* byte_array) {
  return static_cast<int32_t>(ArrayElementCount(byte_array));
}

}  // namespace barvell::runtime
