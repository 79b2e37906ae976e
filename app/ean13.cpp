#include "ean13.h"

#include "program_globals.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

// The digit at a 1-based byte position: the one-byte text there as an integer, so a
// non-digit, half a double-byte character or a position past the end counts as 0.
int32_t DigitValue(const std::string& code, int32_t position) {
  return ToInteger(MidText(code, position, 1));
}

std::string TableText(const void* table, int32_t digit) {
  const char* text = ArrayText(table, digit);
  return text ? text : "";
}

BarSegment Guard(SegmentKind kind, const char* pattern) {
  return {kind, pattern ? pattern : "", true, ""};
}

BarSegment Symbol(const void* table, int32_t digit) {
  return {SegmentKind::DigitSymbol, TableText(table, digit), false, ToText(digit)};
}

}  // namespace

std::string ComputeCheckDigit(const std::string& code) {
  int32_t odd_sum = 0;
  int32_t even_sum = 0;
  for (int32_t p = 1; p <= 11; p += 2) odd_sum += DigitValue(code, p);
  for (int32_t p = 2; p <= 12; p += 2) even_sum += DigitValue(code, p);
  int32_t total = odd_sum + 3 * even_sum;
  int32_t last = ToInteger(RightText(ToText(total), 1));
  std::string check = ToText(10 - last);
  return check == "10" ? "0" : check;
}

std::optional<std::string> CompleteCode(const std::string& fixed_code,
                                        const std::string& self_code) {
  if (fixed_code.empty() || self_code.empty()) return std::nullopt;
  std::string code = fixed_code + self_code;
  return code + ComputeCheckDigit(code);
}

Ean13Symbol EncodeEan13(const std::string& full_code) {
  const ProgramGlobals& g = Globals();
  Ean13Symbol symbol;
  symbol.leading_caption = LeftText(full_code, 1);
  std::string parity = TableText(g.parity_table, DigitValue(full_code, 1));

  symbol.segments.reserve(15);
  symbol.segments.push_back(Guard(SegmentKind::StartGuard, g.outer_guard));
  for (int32_t i = 1; i <= 6; ++i) {
    const void* table = MidText(parity, i, 1) == "A" ? g.l_table : g.g_table;
    symbol.segments.push_back(Symbol(table, DigitValue(full_code, i + 1)));
  }
  symbol.segments.push_back(Guard(SegmentKind::CentreGuard, g.centre_guard));
  for (int32_t i = 8; i <= 13; ++i) {
    symbol.segments.push_back(Symbol(g.r_table, DigitValue(full_code, i)));
  }
  symbol.segments.push_back(Guard(SegmentKind::EndGuard, g.outer_guard));
  return symbol;
}

}  // namespace barvell::app
