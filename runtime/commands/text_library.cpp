#include "runtime/commands/text_library.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/commands/text_commands.h"
#include "runtime/call/error_report.h"
#include "runtime/call/heap.h"

namespace barvell::runtime {

namespace {

// Argument i, or an omitted one when the caller passed fewer.
ArgRecord Arg(int32_t count, const ArgRecord* args, int32_t i) {
  return i < count && args != nullptr ? args[i] : ArgRecord{};
}

// A text argument. A value of another kind is read as its text, so a number's bits are
// never taken for a pointer; the owned copy lives in `storage`.
const char* TextArg(const ArgRecord& a, std::string& storage) {
  if (a.tag == tag::kText) return a.Text();
  storage = ToText(a);
  return storage.c_str();
}

int32_t IntArg(const ArgRecord& a) { return a.tag == tag::kInt ? int32_t(a.low) : ToInteger(a); }

std::optional<int32_t> OptionalInt(const ArgRecord& a) {
  if (a.IsOmitted()) return std::nullopt;
  return IntArg(a);
}

void SetInt(ResultRecord* r, int32_t v) { r->low = uint32_t(v); }

void SetDouble(ResultRecord* r, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  r->SetBits(bits);
}

void SetText(ResultRecord* r, const std::string& text) { r->SetPointer(CopyText(text)); }

// A block of `bytes` that no int32 block size can express: the heap's allocation failure.
void* AllocateLarge(int64_t bytes) {
  if (bytes > std::numeric_limits<int32_t>::max()) {
    const std::string message = "分配 " + std::to_string(bytes) + " 字节内存失败!";
    FatalError(message.c_str());
  }
  return AllocateBlock(int32_t(bytes));
}

}  // namespace

void TextLengthCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s;
  SetInt(result, TextLength(TextArg(Arg(count, args, 0), s)));
}

void LeftTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s;
  SetText(result, LeftText(TextArg(Arg(count, args, 0), s), IntArg(Arg(count, args, 1))));
}

void RightTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s;
  SetText(result, RightText(TextArg(Arg(count, args, 0), s), IntArg(Arg(count, args, 1))));
}

void MidTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s;
  SetText(result, MidText(TextArg(Arg(count, args, 0), s), IntArg(Arg(count, args, 1)),
                          IntArg(Arg(count, args, 2))));
}

void FindTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s0, s1;
  const char* text = TextArg(Arg(count, args, 0), s0);
  const char* sought = TextArg(Arg(count, args, 1), s1);
  const ArgRecord case_arg = Arg(count, args, 3);
  std::optional<bool> ignore_case;
  if (!case_arg.IsOmitted()) ignore_case = IntArg(case_arg) != 0;
  SetInt(result, FindText(text, sought, OptionalInt(Arg(count, args, 2)), ignore_case));
}

void ToUpperCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s;
  SetText(result, ToUpper(TextArg(Arg(count, args, 0), s)));
}

void SplitTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  std::string s0, s1;
  const char* text = TextArg(Arg(count, args, 0), s0);
  const ArgRecord sep_arg = Arg(count, args, 1);
  std::optional<const char*> separator;
  if (!sep_arg.IsOmitted()) separator = TextArg(sep_arg, s1);
  const std::optional<int32_t> max_count = OptionalInt(Arg(count, args, 2));
  const size_t limit = max_count ? size_t(std::max(*max_count, 0)) : SIZE_MAX;
  const std::string_view whole = text != nullptr ? std::string_view(text) : std::string_view();

  // Counted first, then copied straight from the text into their blocks: no list of
  // strings in between, which for a long text would be its largest copy.
  size_t parts = 0;
  std::string_view piece;
  for (TextPieces pieces(whole, SplitSeparator(separator)); parts < limit && pieces.Next(piece);)
    ++parts;

  // Array block of one dimension: the count, then one text pointer per element.
  const int64_t bytes = 2 * sizeof(uint32_t) + int64_t(parts) * int64_t(sizeof(char*));
  auto* words = static_cast<uint32_t*>(AllocateLarge(bytes));
  words[0] = 1;
  words[1] = uint32_t(parts);
  char** elements = reinterpret_cast<char**>(words + 2);
  TextPieces pieces(whole, SplitSeparator(separator));
  for (size_t i = 0; i < parts && pieces.Next(piece); ++i) elements[i] = CopyText(piece);
  result->SetPointer(words);
}

void ToNumberCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  SetDouble(result, ToNumber(Arg(count, args, 0)));
}

void ToIntegerCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  SetInt(result, ToInteger(Arg(count, args, 0)));
}

void ToTextCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  SetText(result, ToText(Arg(count, args, 0)));
}

void RemainderCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  const double dividend = ToNumber(Arg(count, args, 0));
  // Further divisors are optional: an omitted one is skipped, not taken for 0.
  std::vector<double> divisors;
  for (int32_t i = 1; i < count; ++i) {
    const ArgRecord a = Arg(count, args, i);
    if (i == 1 || !a.IsOmitted()) divisors.push_back(ToNumber(a));
  }
  SetDouble(result, Remainder(dividend, divisors));
}

void BlankBytesCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  const int32_t n = IntArg(Arg(count, args, 0));
  if (n <= 0) return;
  // Built in place: the header and n bytes must fit one block size.
  auto* words = static_cast<uint32_t*>(AllocateLarge(int64_t(n) + 2 * int64_t(sizeof(uint32_t))));
  words[0] = 1;
  words[1] = uint32_t(n);
  std::memset(words + 2, 0, size_t(n));
  result->SetPointer(words);
}

void ByteArrayLengthCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  const ArgRecord a = Arg(count, args, 0);
  SetInt(result, a.tag == tag::kByteArray ? ByteArrayLength(a.Pointer<const void>()) : 0);
}

}  // namespace barvell::runtime
