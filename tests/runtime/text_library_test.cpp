// The text commands through the record interface: argument records in, result records out.
#include "runtime/commands/text_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/call/heap.h"

// The error report reaches stderr in UTF-8, whatever the compile charset.
#define Utf8(text) reinterpret_cast<const char*>(u8##text)

namespace barvell::runtime {
namespace {

ResultRecord Call(LibraryCommand command, std::vector<ArgRecord> args) {
  ResultRecord result;
  command(&result, int32_t(args.size()), args.data());
  return result;
}

// Takes a text result: its contents, and frees the block.
std::string TakeText(const ResultRecord& r) {
  char* p = r.Pointer<char>();
  std::string s = p ? p : "";
  FreeBlock(p);
  return s;
}

// Takes a text-array result: its elements ("<null>" for no text), freeing each element and
// then the block, as the owner of an array of texts does.
std::vector<std::string> TakeTextArray(const ResultRecord& r) {
  auto* words = r.Pointer<uint32_t>();
  EXPECT_NE(words, nullptr);
  if (words == nullptr) return {};
  EXPECT_EQ(words[0], 1u);
  std::vector<std::string> out;
  char** elements = reinterpret_cast<char**>(ArrayElements(words));
  for (uint32_t i = 0; i < ArrayElementCount(words); ++i) {
    out.push_back(elements[i] ? elements[i] : "<null>");
    FreeBlock(elements[i]);
  }
  FreeBlock(words);
  return out;
}

const ArgRecord kOmitted{};
ArgRecord T(const char* s) { return ArgRecord::Text(s); }
ArgRecord I(int32_t v) { return ArgRecord::Int(v); }

TEST(TextLibrary, IntAndTextResults) {
  EXPECT_EQ(Call(TextLengthCommand, {T("条码")}).Int(), 4);
  EXPECT_EQ(TakeText(Call(LeftTextCommand, {T("6901234"), I(3)})), "690");
  EXPECT_EQ(TakeText(Call(RightTextCommand, {T("6901234"), I(2)})), "34");
  EXPECT_EQ(TakeText(Call(MidTextCommand, {T("6901234"), I(3), I(20)})), "01234");
  EXPECT_EQ(TakeText(Call(ToUpperCommand, {T("code39")})), "CODE39");
  const ResultRecord minus = Call(FindTextCommand, {T("abc"), T("x")});
  EXPECT_EQ(minus.Int(), -1);
  EXPECT_EQ(minus.high, 0u);
  EXPECT_EQ(minus.extra, 0u);
}

TEST(TextLibrary, EmptyResultsAreZeroRecords) {
  for (const ResultRecord& r : {Call(LeftTextCommand, {T("abc"), I(0)}),
                                Call(MidTextCommand, {T("abc"), I(9), I(1)}),
                                Call(ToUpperCommand, {T(nullptr)}),
                                Call(ToTextCommand, {kOmitted}),
                                Call(BlankBytesCommand, {I(0)}),
                                Call(BlankBytesCommand, {I(-3)})}) {
    EXPECT_EQ(r.low, 0u);
    EXPECT_EQ(r.high, 0u);
    EXPECT_EQ(r.extra, 0u);
  }
}

TEST(TextLibrary, OmittedOptionalArguments) {
  // FindText without start and case, with an omitted start and a given case flag.
  EXPECT_EQ(Call(FindTextCommand, {T("aXbx"), T("x")}).Int(), 4);
  EXPECT_EQ(Call(FindTextCommand, {T("aXbx"), T("x"), kOmitted, ArgRecord::Bool(true)}).Int(), 2);
  EXPECT_EQ(Call(FindTextCommand, {T("aXbx"), T("x"), I(3), kOmitted}).Int(), 4);
  // SplitText: omitted separator is ",", omitted count unlimited; a given empty separator
  // (null text) is not an omitted one.
  EXPECT_EQ(TakeTextArray(Call(SplitTextCommand, {T("a,b"), kOmitted, kOmitted})),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(TakeTextArray(Call(SplitTextCommand, {T("a,b"), T(nullptr)})),
            (std::vector<std::string>{"a,b"}));
  // Fewer records than parameters count as omitted.
  EXPECT_EQ(TakeTextArray(Call(SplitTextCommand, {T("a;b")})),
            (std::vector<std::string>{"a;b"}));
}

TEST(TextLibrary, ArgumentsOfAnotherKindAreConverted) {
  // An int parameter given a double or a text, a text parameter given a number: converted,
  // never a number's bits read as a pointer.
  EXPECT_EQ(TakeText(Call(LeftTextCommand, {T("abcdef"), ArgRecord::Double(2.9)})), "ab");
  EXPECT_EQ(TakeText(Call(LeftTextCommand, {T("abcdef"), T("３")})), "abc");
  EXPECT_EQ(Call(TextLengthCommand, {I(12345)}).Int(), 5);
  EXPECT_EQ(Call(TextLengthCommand, {ArgRecord::Double(0.5)}).Int(), 3);
  EXPECT_EQ(Call(ByteArrayLengthCommand, {I(99)}).Int(), 0);
}

TEST(TextLibrary, SplitTextArrayLayout) {
  const ResultRecord r = Call(SplitTextCommand, {T("a,b,,c,"), T(",")});
  auto* words = r.Pointer<uint32_t>();
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(words[0], 1u);
  EXPECT_EQ(words[1], 4u);
  char** elements = reinterpret_cast<char**>(words + 2);
  EXPECT_STREQ(elements[0], "a");
  EXPECT_STREQ(elements[1], "b");
  EXPECT_EQ(elements[2], nullptr);  // the empty element is no text
  EXPECT_STREQ(elements[3], "c");
  EXPECT_EQ(TakeTextArray(r), (std::vector<std::string>{"a", "b", "<null>", "c"}));

  // An empty result is still a block, of count 0.
  const ResultRecord empty = Call(SplitTextCommand, {T(""), T(",")});
  ASSERT_NE(empty.Pointer<uint32_t>(), nullptr);
  EXPECT_EQ(empty.Pointer<uint32_t>()[1], 0u);
  EXPECT_TRUE(TakeTextArray(empty).empty());
  EXPECT_TRUE(TakeTextArray(Call(SplitTextCommand, {T("a,b"), T(","), I(0)})).empty());
}

TEST(TextLibrary, NumbersThroughRecords) {
  EXPECT_EQ(Call(ToNumberCommand, {T("１２．５")}).Double(), 12.5);
  EXPECT_EQ(Call(ToIntegerCommand, {ArgRecord::Double(-7.9)}).Int(), -7);
  EXPECT_EQ(TakeText(Call(ToTextCommand, {ArgRecord::Double(10)})), "10");
  EXPECT_EQ(TakeText(Call(ToTextCommand, {ArgRecord::Bool(false)})), "假");
  EXPECT_EQ(Call(RemainderCommand, {ArgRecord::Double(23), ArgRecord::Double(10)}).Double(), 3);
  EXPECT_EQ(Call(RemainderCommand, {I(-7), I(3)}).Double(), -1);
  // A further divisor that is omitted is skipped, not taken for zero.
  EXPECT_EQ(Call(RemainderCommand, {I(27), I(10), kOmitted, I(4)}).Double(), 3);
}

TEST(TextLibraryDeathTest, RemainderByZeroThroughRecords) {
  EXPECT_EXIT(Call(RemainderCommand, {ArgRecord::Double(23), ArgRecord::Double(0)}),
              ::testing::ExitedWithCode(255), Utf8("不能求余数于零"));
}

TEST(TextLibrary, BlankBytesAndTheirLength) {
  const ResultRecord r = Call(BlankBytesCommand, {I(16)});
  auto* words = r.Pointer<uint32_t>();
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(words[0], 1u);
  EXPECT_EQ(words[1], 16u);
  const std::vector<uint8_t> zeros(16, 0);
  EXPECT_EQ(std::memcmp(ArrayElements(words), zeros.data(), 16), 0);
  ArgRecord array = ArgRecord::OfPointer(words, tag::kByteArray);
  EXPECT_EQ(Call(ByteArrayLengthCommand, {array}).Int(), 16);
  EXPECT_EQ(Call(ByteArrayLengthCommand, {ArgRecord::OfPointer(nullptr, tag::kByteArray)}).Int(), 0);
  FreeBlock(words);
}

}  // namespace
}  // namespace barvell::runtime
