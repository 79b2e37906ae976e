// The Code 39 batch's increment formula: prefix "?n" width "?" suffix, such as "AT?n3?"
// for AT001, AT002, ... The marker is case-sensitive; the prefix may hold "?" and so may
// the suffix, where they stay literal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace barvell::app {

struct IncrementFormula {
  std::string prefix;
  int32_t width = 0;  // 0: the number as it is, no filling
  std::string suffix;
};

// nullopt when the formula has no "?n" or no "?" after it, or asks for a number wider
// than a file name can be.
std::optional<IncrementFormula> ParseIncrementFormula(const std::string& formula);
// The code of number n.
std::string FormulaCode(const IncrementFormula& formula, int32_t n);

}  // namespace barvell::app
