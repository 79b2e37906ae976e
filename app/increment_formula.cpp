#include "increment_formula.h"

#include "code_range.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

// Every code names a file; no file name holds more bytes, and a larger width would only
// fill memory with zeros.
constexpr int32_t kMaxWidth = 255;

}  // namespace

std::optional<IncrementFormula> ParseIncrementFormula(const std::string& formula) {
  const int32_t marker = FindText(formula, "?n");
  if (marker == -1) return std::nullopt;
  IncrementFormula f;
  f.prefix = LeftText(formula, marker - 1);
  const std::string rest = RightText(formula, TextLength(formula) - marker - 1);
  const int32_t close = FindText(rest, "?");
  // Without a closing "?" the width text is empty, so such a formula is always refused.
  f.width = ToInteger(LeftText(rest, close - 1));
  if (f.width < 1 && close == -1) return std::nullopt;
  if (f.width > kMaxWidth) return std::nullopt;
  f.suffix = RightText(rest, TextLength(rest) - close);
  return f;
}

std::string FormulaCode(const IncrementFormula& formula, int32_t n) {
  return formula.prefix + ZeroFilled(ToText(n), formula.width) + formula.suffix;
}

}  // namespace barvell::app
