// libFuzzer target: the text and number commands, called by number with argument records
// of every kind, as the program calls them. No call may read outside its texts, leak a
// result block, or raise a runtime error other than the remainder by zero (and that one
// must be raised). Results are checked against what the texts hold, and the number texts
// against the C library: the same "%g" text, the same atof value, and round trips.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "runtime/call/heap.h"
#include "runtime/commands/number_text.h"
#include "runtime/commands/text_commands.h"
#include "tests/fuzz/text_command_kernel.h"

namespace {

using namespace barvell;

// Largest byte array asked of BlankBytes: the command gives what is asked, up to the heap.
constexpr int32_t kMaxBlankBytes = 1 << 16;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::string_view View(const char* p) { return p ? std::string_view(p) : std::string_view(); }

// The arguments of one call and the storage their pointers point into.
struct Call {
  std::vector<ArgRecord> args;
  std::deque<std::string> texts;
  std::vector<void*> byte_arrays;

  ~Call() {
    for (void* block : byte_arrays) runtime::FreeBlock(block);
  }
  // The argument's text when it is a text argument.
  std::optional<std::string_view> TextAt(size_t i) const {
    if (i >= args.size() || args[i].tag != tag::kText) return std::nullopt;
    return View(args[i].Text());
  }
  std::optional<int32_t> IntAt(size_t i) const {
    if (i >= args.size() || args[i].tag != tag::kInt) return std::nullopt;
    return int32_t(args[i].low);
  }
};

ArgRecord MakeArg(FuzzedDataProvider& in, Call& call) {
  switch (in.ConsumeIntegralInRange(0, 11)) {
    case 0: return ArgRecord{};  // omitted
    case 1: {
      std::string text = in.ConsumeRandomLengthString(48);
      text.resize(std::strlen(text.c_str()));  // a C text ends at its first zero
      // The empty text is no text; a caller may still hand an empty one.
      if (text.empty() && in.ConsumeBool()) return ArgRecord::Text(nullptr);
      return ArgRecord::Text(call.texts.emplace_back(std::move(text)).c_str());
    }
    case 2: return ArgRecord::Int(in.ConsumeIntegral<int32_t>());
    case 3: return ArgRecord::Double(in.ConsumeFloatingPoint<double>());
    case 4: return ArgRecord::Bool(in.ConsumeBool());
    case 5: return {in.ConsumeIntegral<uint32_t>(), 0, tag::kByte};
    case 6: return {in.ConsumeIntegral<uint32_t>(), 0, tag::kShort};
    case 7: return ArgRecord::Long(in.ConsumeIntegral<int64_t>());
    case 8: return ArgRecord::Float(in.ConsumeFloatingPoint<float>());
    case 9: {
      ArgRecord r = ArgRecord::Double(in.ConsumeFloatingPoint<double>());
      r.tag = tag::kDateTime;
      return r;
    }
    case 10: {
      std::vector<uint8_t> bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 32));
      void* block = runtime::NewByteArray(bytes);
      if (block != nullptr) call.byte_arrays.push_back(block);
      return ArgRecord::OfPointer(block, tag::kByteArray);
    }
    default: {
      // Any other tag, component references included; never one whose value is a pointer.
      ArgRecord r{in.ConsumeIntegral<uint32_t>(), in.ConsumeIntegral<uint32_t>(),
                  in.ConsumeIntegral<uint32_t>()};
      if (r.tag == tag::kText || r.tag == tag::kByteArray) r.tag = tag::kInt;
      return r;
    }
  }
}

bool ZeroDivisorGiven(const Call& call) {
  for (size_t i = 1; i < call.args.size(); ++i) {
    if ((i == 1 || !call.args[i].IsOmitted()) && runtime::ToNumber(call.args[i]) == 0.0) return true;
  }
  return false;
}

// Takes over a text result: it is no block when empty, else a zero-terminated copy.
std::string TakeText(const ResultRecord& r) {
  char* p = r.Pointer<char>();
  if (p == nullptr) return {};
  std::string text(p);
  Check(!text.empty());
  runtime::FreeBlock(p);
  return text;
}

void CheckSplit(const Call& call, const ResultRecord& r) {
  auto* block = r.Pointer<uint32_t>();
  Check(block != nullptr && block[0] == 1);
  std::vector<std::string> parts;
  char** elements = reinterpret_cast<char**>(block + 2);
  for (uint32_t i = 0; i < block[1]; ++i) {
    parts.emplace_back(View(elements[i]));
    runtime::FreeBlock(elements[i]);
  }
  runtime::FreeBlock(block);

  std::optional<std::string_view> text = call.TextAt(0);
  const bool sep_given = call.args.size() > 1 && !call.args[1].IsOmitted();
  std::optional<std::string_view> sep = sep_given ? call.TextAt(1) : std::string_view(",");
  if (!text || !sep || text->empty()) return;
  if (sep->empty()) {
    Check(parts.size() <= 1);
    return;
  }
  // The pieces with their separators put back are the text, or lead it when the count
  // was limited, or lack only a final separator.
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) joined += (i ? std::string(*sep) : "") + parts[i];
  const bool limited = call.args.size() > 2 && !call.args[2].IsOmitted();
  if (limited) {
    Check(text->substr(0, joined.size()) == joined);
  } else {
    Check(joined == *text || joined + std::string(*sep) == *text);
  }
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

void CheckResult(int32_t number, const Call& call, const ResultRecord& r) {
  const std::optional<std::string_view> text = call.TextAt(0);
  switch (number) {
    case command::kTextLength:
      if (text) Check(r.Int() == int32_t(text->size()));
      return;
    case command::kLeftText:
    case command::kRightText:
    case command::kMidText: {
      const std::string piece = TakeText(r);
      if (!text) return;
      const std::optional<int32_t> n = call.IntAt(number == command::kMidText ? 2 : 1);
      Check(piece.size() <= text->size());
      if (n) Check(int64_t(piece.size()) <= std::max(*n, 0));
      if (number == command::kLeftText) Check(text->substr(0, piece.size()) == piece);
      if (number == command::kRightText) Check(text->substr(text->size() - piece.size()) == piece);
      if (number == command::kMidText) {
        const std::optional<int32_t> start = call.IntAt(1);
        if (start && !piece.empty()) Check(text->substr(size_t(*start - 1), piece.size()) == piece);
      }
      return;
    }
    case command::kFindText: {
      const int32_t at = r.Int();
      const std::optional<std::string_view> sought = call.TextAt(1);
      Check(at == -1 || at >= 1);
      if (!text || !sought || at == -1) return;
      Check(size_t(at) <= text->size());
      std::string_view found = text->substr(size_t(at - 1), sought->size());
      const bool ignore_case = call.args.size() > 3 && runtime::ToInteger(call.args[3]) != 0;
      std::string a(found), b(*sought);
      if (ignore_case) {
        for (char& c : a) c = AsciiUpper(c);
        for (char& c : b) c = AsciiUpper(c);
      }
      Check(a == b);
      if (const std::optional<int32_t> start = call.IntAt(2)) Check(at >= *start || at == 1);
      return;
    }
    case command::kToUpper: {
      const std::string upper = TakeText(r);
      if (!text) return;
      Check(upper.size() == text->size());
      for (size_t i = 0; i < upper.size(); ++i)
        Check(upper[i] == (*text)[i] || upper[i] == AsciiUpper((*text)[i]));
      return;
    }
    case command::kSplitText:
      CheckSplit(call, r);
      return;
    case command::kToText: {
      const std::string shown = TakeText(r);
      if (text) Check(shown == *text);
      return;
    }
    case command::kBlankBytes: {
      auto* block = r.Pointer<uint32_t>();
      const int32_t n = *call.IntAt(0);
      Check((block == nullptr) == (n <= 0));
      if (block == nullptr) return;
      Check(ArrayElementCount(block) == uint32_t(n));
      ArgRecord again = ArgRecord::OfPointer(block, tag::kByteArray);
      Check(fuzz::CallTextCommand(command::kByteArrayLength, 1, &again).Int() == n);
      const uint8_t* bytes = ArrayElements(block);
      for (int32_t i = 0; i < n; ++i) Check(bytes[i] == 0);
      runtime::FreeBlock(block);
      return;
    }
    default:
      return;
  }
}

void FuzzCommand(FuzzedDataProvider& in) {
  const int32_t number = in.ConsumeIntegralInRange<int32_t>(0, command::kByteArrayLength);
  Call call;
  const int count = in.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < count; ++i) call.args.push_back(MakeArg(in, call));
  if (number == command::kBlankBytes) {
    // The size is kept to what a fuzzer may allocate.
    const int32_t n = in.ConsumeIntegralInRange(-8, kMaxBlankBytes);
    if (call.args.empty()) call.args.emplace_back();
    call.args[0] = ArgRecord::Int(n);
  }
  const bool fatal_due = number == command::kRemainder && ZeroDivisorGiven(call);
  ResultRecord r;
  try {
    r = fuzz::CallTextCommand(number, int32_t(call.args.size()), call.args.data());
  } catch (const fuzz::FatalRuntimeError&) {
    Check(fatal_due);
    return;
  }
  Check(!fatal_due);
  CheckResult(number, call, r);
}

// The number texts against the C library and against themselves.
void FuzzNumberText(FuzzedDataProvider& in) {
  const double d = in.ConsumeFloatingPoint<double>();
  const int precision = in.ConsumeIntegralInRange(1, 17);
  char expected[64];
  std::snprintf(expected, sizeof expected, "%.*g", precision, d);
  Check(runtime::FormatGeneral(d, precision) == expected);
  if (std::isfinite(d)) {
    const double back = runtime::ParseLeadingNumber(runtime::FormatGeneral(d, 17));
    Check(back == d && std::signbit(back) == std::signbit(d));
  }

  const int32_t i = in.ConsumeIntegral<int32_t>();
  const std::string digits = runtime::FormatGeneral(double(i), 10);
  Check(runtime::ParseLeadingInteger(digits) == i);
  Check(runtime::ParseLeadingNumber(digits) == double(i));
  if (d > -2147483649.0 && d < 2147483648.0) Check(runtime::TruncateToInt32(d) == int32_t(std::trunc(d)));

  // atof of any text: what strtod gives for the longest prefix that can be a decimal
  // number (strtod alone would also read hexadecimal, "inf" and "nan").
  std::string text = in.ConsumeRandomLengthString(40);
  text.resize(std::strlen(text.c_str()));
  const std::string normal = runtime::NormaliseFullWidth(text);
  Check(normal.size() <= text.size());
  const std::string decimal = normal.substr(0, normal.find_first_not_of(" \t\n\v\f\r+-.0123456789eE"));
  const double ours = runtime::ParseLeadingNumber(decimal);
  const double theirs = std::strtod(decimal.c_str(), nullptr);
  Check(ours == runtime::ParseLeadingNumber(normal));
  Check((ours == theirs || (std::isnan(ours) && std::isnan(theirs))) &&
        std::signbit(ours) == std::signbit(theirs));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FuzzNumberText(in);
  for (int calls = 0; calls < 8 && in.remaining_bytes() > 0; ++calls) FuzzCommand(in);
  return 0;
}
