// The argument and result records as the program and the commands exchange them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "barvell/call_interface.h"

namespace barvell {
namespace {

static_assert(offsetof(ArgRecord, low) == 0);
static_assert(offsetof(ArgRecord, high) == 4);
static_assert(offsetof(ArgRecord, tag) == 8);
static_assert(sizeof(ArgRecord) == 12);
static_assert(offsetof(ResultRecord, low) == 0);
static_assert(offsetof(ResultRecord, high) == 4);
static_assert(offsetof(ResultRecord, extra) == 8);
static_assert(sizeof(ResultRecord) == 12);

// Consecutive records in call order: the n-th record starts 12 × n bytes in.
TEST(CallRecords, ArgumentsAreConsecutiveTwelveByteWords) {
  ArgRecord args[2] = {ArgRecord::Int(-2), ArgRecord::Long(0x0102030405060708LL)};
  uint32_t words[6];
  std::memcpy(words, args, sizeof words);
  EXPECT_EQ(words[0], 0xFFFFFFFEu);
  EXPECT_EQ(words[1], 0u);
  EXPECT_EQ(words[2], tag::kInt);
  EXPECT_EQ(words[3], 0x05060708u);  // low word first
  EXPECT_EQ(words[4], 0x01020304u);
  EXPECT_EQ(words[5], tag::kLong);
}

TEST(CallRecords, PointersTravelInBothValueWords) {
  static const char text[] = "abc";
  ArgRecord arg = ArgRecord::Text(text);
  EXPECT_EQ(arg.Text(), text);
  EXPECT_EQ(arg.tag, tag::kText);
  EXPECT_EQ(arg.Bits(), uint64_t(reinterpret_cast<uintptr_t>(text)));

  ResultRecord result;
  result.SetPointer(text);
  EXPECT_EQ(result.Pointer<const char>(), text);
  EXPECT_EQ(result.extra, 0u);
}

TEST(CallRecords, OmittedArgumentIsThreeZeroWords) {
  ArgRecord omitted{};
  EXPECT_TRUE(omitted.IsOmitted());
  EXPECT_FALSE(ArgRecord::Int(0).IsOmitted());  // a zero integer still carries its tag
}

TEST(CallRecords, DoubleBitsRoundTrip) {
  ArgRecord arg = ArgRecord::Double(-1.5);
  ResultRecord result;
  result.SetBits(arg.Bits());
  EXPECT_EQ(result.Double(), -1.5);
}

}  // namespace
}  // namespace barvell
