// The conversions between the value kinds, and the remainder.
#include <cmath>
#include <cstring>

#include "runtime/commands/date_time_text.h"
#include "runtime/commands/number_text.h"
#include "runtime/commands/text_commands.h"
#include "runtime/call/error_report.h"

namespace barvell::runtime {

namespace {

float FloatOf(const ArgRecord& v) {
  float f;
  std::memcpy(&f, &v.low, sizeof f);
  return f;
}

double DoubleOf(const ArgRecord& v) {
  const uint64_t bits = v.Bits();
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

std::string_view TextOf(const ArgRecord& v) {
  const char* p = v.Text();
  return p ? std::string_view(p) : std::string_view();
}

// The small integer kinds, widened as the call interface widens them.
int32_t SmallIntegerOf(const ArgRecord& v) {
  switch (v.tag) {
    case tag::kByte: return int32_t(v.low & 0xFF);
    case tag::kShort: return int32_t(int16_t(uint16_t(v.low)));
    case tag::kBool: return v.low != 0 ? 1 : 0;
    default: return int32_t(v.low);  // tag::kInt
  }
}

}  // namespace

double ToNumber(const ArgRecord& value) {
  switch (value.tag) {
    case tag::kText: return ParseLeadingNumber(NormaliseFullWidth(TextOf(value)));
    case tag::kByte:
    case tag::kShort:
    case tag::kInt:
    case tag::kBool: return SmallIntegerOf(value);
    case tag::kLong: return double(int64_t(value.Bits()));
    case tag::kFloat: return FloatOf(value);
    case tag::kDouble: return DoubleOf(value);
    default: return 0.0;
  }
}

int32_t ToInteger(const ArgRecord& value) {
  switch (value.tag) {
    case tag::kText: return ParseLeadingInteger(NormaliseFullWidth(TextOf(value)));
    case tag::kByte:
    case tag::kShort:
    case tag::kInt:
    case tag::kBool: return SmallIntegerOf(value);
    case tag::kLong: return int32_t(value.low);
    case tag::kFloat: return TruncateToInt32(FloatOf(value));
    case tag::kDouble: return TruncateToInt32(DoubleOf(value));
    default: return 0;
  }
}

std::string ToText(const ArgRecord& value) {
  switch (value.tag) {
    case tag::kText: return std::string(TextOf(value));
    case tag::kByte:
    case tag::kShort:
    case tag::kInt: return std::to_string(SmallIntegerOf(value));
    case tag::kLong: return std::to_string(int64_t(value.Bits()));
    case tag::kFloat: return FormatGeneral(FloatOf(value), 6);
    case tag::kDouble: return FormatGeneral(DoubleOf(value), 13);
    case tag::kBool: return value.low != 0 ? "真" : "假";
    case tag::kDateTime: return DateTimeText(DoubleOf(value));
    case tag::kByteArray: {
      const void* block = value.Pointer<const void>();
      if (block == nullptr) return {};
      const auto* bytes = reinterpret_cast<const char*>(ArrayElements(block));
      const size_t count = ArrayElementCount(block);
      const void* zero = std::memchr(bytes, 0, count);
      return std::string(bytes, zero ? static_cast<const char*>(zero) - bytes : count);
    }
    default: return {};
  }
}

double Remainder(double dividend, std::span<const double> divisors) {
  double result = dividend;
  for (double divisor : divisors) {
    if (divisor == 0.0) FatalError("不能求余数于零");
    result = std::fmod(result, divisor);
  }
  return result;
}

}  // namespace barvell::runtime
