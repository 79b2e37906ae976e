// EAN-13: completing a product code with its check digit, and the module pattern of a
// full code as the renderer draws it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace barvell::app {

enum class SegmentKind { StartGuard, DigitSymbol, CentreGuard, EndGuard };

struct BarSegment {
  SegmentKind kind;
  std::string pattern;  // "0"/"1" per module, "1" dark
  bool is_long;         // guards reach below the digit symbols
  std::string caption;  // the digit value under a symbol; empty for guards
};

struct Ean13Symbol {
  std::string leading_caption;  // first character of the code, shown as text only
  std::vector<BarSegment> segments;  // 15 segments, 95 modules
};

// Fills the program's parity, L, G and R tables and the guard patterns. Called once when
// the main window is created; the encoder reads only these tables.
void BuildEan13Tables();

// Fixed code + self code + check digit; nullopt when either part is the empty text.
std::optional<std::string> CompleteCode(const std::string& fixed_code,
                                        const std::string& self_code);
// The check digit ("0"-"9") of the first twelve positions of a code.
std::string ComputeCheckDigit(const std::string& code);
Ean13Symbol EncodeEan13(const std::string& full_code);

}  // namespace barvell::app
