// Numbers read from and written to GBK texts, with the C library's rules but without its
// locale: the decimal point is always ".", white space is always the "C" set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace barvell::runtime {

// Full-width ASCII forms (full-width block 0xA3xx, ideographic space, full-width tilde,
// the two stars) become their ASCII bytes; everything else is copied. Steps by character,
// so a trail byte is never read as a lead byte.
std::string NormaliseFullWidth(std::string_view text);

// atof: white space, sign, digits, optional point and exponent; stops at the first byte
// that does not fit; no digits give 0. Out of range gives +-HUGE_VAL or +-0.
double ParseLeadingNumber(std::string_view text);

// atoi: white space, "+" or "-", decimal digits, accumulated in 32 bits with wrap-around.
int32_t ParseLeadingInteger(std::string_view text);

// C conversion to int: truncation toward zero. NaN and values outside the int range give
// INT32_MIN, the "integer indefinite" value of the x86 conversion the system was made on.
int32_t TruncateToInt32(double value);

// printf "%.<precision>g".
std::string FormatGeneral(double value, int precision);

}  // namespace barvell::runtime
