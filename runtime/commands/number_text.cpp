#include "runtime/commands/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace barvell::runtime {

namespace {

bool IsLeadByte(unsigned char b) { return b >= 0x80; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Double-byte punctuation of the 0xA1 row that stands for an ASCII character.
struct FullWidthPair {
  unsigned char trail;
  char ascii;
};
constexpr FullWidthPair kRowA1[] = {
    {0xA1, ' '},  // ideographic space
    {0xAB, '~'},  // full-width tilde
    {0xEE, '*'},  // outlined star
    {0xEF, '*'},  // filled star
};

size_t SkipSpace(std::string_view text, size_t i) {
  while (i < text.size() && IsCSpace(text[i])) ++i;
  return i;
}

}  // namespace

std::string NormaliseFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(lead) || i + 1 >= text.size()) {
      out += text[i++];
      continue;
    }
    auto trail = static_cast<unsigned char>(text[i + 1]);
    char ascii = 0;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      ascii = static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1) {
      for (const auto& p : kRowA1)
        if (p.trail == trail) ascii = p.ascii;
    }
    if (ascii != 0) {
      out += ascii;
    } else {
      out += text[i];
      out += text[i + 1];
    }
    i += 2;
  }
  return out;
}

double ParseLeadingNumber(std::string_view text) {
  size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The number as from_chars wants it: no sign, no white space. Alongside, the decimal
  // exponent of the first significant digit, to tell overflow from underflow.
  std::string digits;
  int64_t lead_exponent = 0;
  bool seen_significant = false;
  int64_t int_digits = 0;
  int64_t zeros_after_point = 0;
  size_t mantissa_digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) {
    digits += text[i];
    if (seen_significant || text[i] != '0') {
      seen_significant = true;
      ++int_digits;
    }
  }
  if (i < text.size() && text[i] == '.') {
    digits += text[i++];
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) {
      digits += text[i];
      if (!seen_significant) {
        if (text[i] == '0') {
          ++zeros_after_point;
        } else {
          seen_significant = true;
        }
      }
    }
  }
  if (mantissa_digits == 0) return 0.0;
  if (!seen_significant) return negative ? -0.0 : 0.0;
  lead_exponent = int_digits > 0 ? int_digits - 1 : -(zeros_after_point + 1);

  // An exponent counts only when digits follow "e", "e+" or "e-".
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool exp_negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp_negative = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      int64_t exponent = 0;
      std::string exp_text = exp_negative ? "e-" : "e";
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        exp_text += text[j];
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
      }
      digits += exp_text;
      lead_exponent += exp_negative ? -exponent : exponent;
    }
  }

  double value = 0.0;
  auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value,
                      std::chars_format::general);
  if (error == std::errc::result_out_of_range)
    value = lead_exponent > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

int32_t ParseLeadingInteger(std::string_view text) {
  size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t value = 0;  // unsigned, so the wrap-around is defined
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10u + uint32_t(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t TruncateToInt32(double value) {
  // The bounds are exact doubles: -2^31 and 2^31.
  constexpr double kLow = -2147483648.0;
  constexpr double kHigh = 2147483648.0;
  if (!(value > kLow - 1.0 && value < kHigh)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::string FormatGeneral(double value, int precision) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

}  // namespace barvell::runtime
