// libFuzzer target: the Code 39 batch's increment formula, parsed through the runtime's text
// commands as the program calls them. What a formula is cut into must put the formula back
// together, and each code must be the prefix, the number filled to the width, the suffix.
// Input: the formula, then optionally a zero byte and four bytes of a number to fill in.
#include <climits>
#include <cstring>
#include <string>

#include "app/increment_formula.h"
#include "app/kernel.h"
#include "app/text_calls.h"
#include "tests/fuzz/text_command_kernel.h"

namespace {

using namespace barvell;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

void CheckCode(const app::IncrementFormula& f, int32_t n) {
  const std::string code = app::FormulaCode(f, n);
  Check(code.compare(0, f.prefix.size(), f.prefix) == 0 && EndsWith(code, f.suffix));
  Check(code.size() >= f.prefix.size() + f.suffix.size());
  const std::string number = code.substr(f.prefix.size(), code.size() - f.prefix.size() - f.suffix.size());
  const std::string plain = std::to_string(n);
  const size_t fill = f.width > int32_t(plain.size()) ? size_t(f.width) - plain.size() : 0;
  Check(number == std::string(fill, '0') + plain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool kernel_set = (app::SetKernel(&fuzz::TextCommandKernel()), true);
  (void)kernel_set;

  const char* text = reinterpret_cast<const char*>(data);
  const size_t formula_size = strnlen(text, size);
  const std::string formula(text, formula_size);
  int32_t numbers[] = {1, 0, -1, INT32_MAX, INT32_MIN, 7};
  if (size >= formula_size + 5) std::memcpy(&numbers[5], data + formula_size + 1, 4);

  const std::optional<app::IncrementFormula> f = app::ParseIncrementFormula(formula);
  if (!f) return 0;
  // prefix "?n" width "?" suffix, the marker its first whole-character occurrence.
  Check(formula.compare(0, f->prefix.size() + 2, f->prefix + "?n") == 0);
  Check(app::FindText(f->prefix, "?n") == -1);
  Check(EndsWith(formula, f->suffix) && formula.size() >= f->prefix.size() + 3 + f->suffix.size());
  Check(formula[formula.size() - f->suffix.size() - 1] == '?');
  const std::string width_text = formula.substr(f->prefix.size() + 2,
                                                formula.size() - f->prefix.size() - 3 - f->suffix.size());
  Check(app::FindText(width_text, "?") == -1);
  Check(f->width == app::ToInteger(width_text) && f->width <= 255);
  for (int32_t n : numbers) CheckCode(*f, n);
  return 0;
}
