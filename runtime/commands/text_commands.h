// Text and number conversion, as typed C++ functions over the runtime's value kinds.
// Texts are zero-terminated GBK byte strings; a null pointer is the empty text. Positions
// and lengths count bytes and are 1-based. Results are owned std::strings / vectors here;
// the library-command wrappers turn them into heap blocks (empty = no value).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "barvell/call_interface.h"

namespace barvell::runtime {

int32_t TextLength(const char* text);
std::string LeftText(const char* text, int32_t n);
std::string RightText(const char* text, int32_t n);
std::string MidText(const char* text, int32_t start, int32_t n);
// start and ignore_case are optional arguments; nullopt = omitted.
int32_t FindText(const char* text, const char* sought, std::optional<int32_t> start = {},
                 std::optional<bool> ignore_case = {});
std::string ToUpper(const char* text);
// The pieces of a text between separators, read one at a time without copying the text
// (a list of 100,000 codes is cut without 100,000 strings). Empty pieces between separators
// are kept, a final separator leaves no empty last piece, the empty separator makes the
// whole text one piece, and a double-byte character is stepped over as a unit.
class TextPieces {
 public:
  TextPieces(std::string_view text, std::string_view separator) : text_(text), separator_(separator) {}
  // The next piece, a view into the text; false when none is left.
  bool Next(std::string_view& piece);

 private:
  std::string_view text_;
  std::string_view separator_;
  size_t cut_ = 0;  // where the next piece starts
};

// separator nullopt = omitted (","), a given null = the empty separator (no cut).
std::string_view SplitSeparator(std::optional<const char*> separator);
// max_count nullopt = unlimited, otherwise the pieces past it are dropped.
std::vector<std::string> SplitText(const char* text, std::optional<const char*> separator = {},
                                   std::optional<int32_t> max_count = {});
// "Any value": the argument record with its type tag. Texts are read after their
// full-width digits and signs are made ASCII.
double ToNumber(const ArgRecord& value);
// Texts wrap in 32 bits like atoi; a float or double outside the int range (or NaN) gives
// INT32_MIN.
int32_t ToInteger(const ArgRecord& value);
std::string ToText(const ArgRecord& value);
// Divisor 0 raises the runtime error "不能求余数于零".
double Remainder(double dividend, std::span<const double> divisors);
std::vector<uint8_t> BlankBytes(int32_t n);
// byte_array: an array block of one dimension, or null.
int32_t ByteArrayLength(const void* byte_array);

}  // namespace barvell::runtime
