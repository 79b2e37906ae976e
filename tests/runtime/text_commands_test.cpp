// Compiled with the GBK execution character set: "条码" here is the four GBK bytes.
#include "runtime/commands/text_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/commands/date_time_text.h"

// The error report reaches stderr in UTF-8, whatever the compile charset.
#define Utf8(text) reinterpret_cast<const char*>(u8##text)

namespace barvell::runtime {
namespace {

using Parts = std::vector<std::string>;

TEST(TextCommands, LengthCountsBytes) {
  EXPECT_EQ(TextLength(nullptr), 0);
  EXPECT_EQ(TextLength("6901234"), 7);
  EXPECT_EQ(TextLength("条码"), 4);
}

TEST(TextCommands, LeftRightAndMidClampTheirRanges) {
  EXPECT_EQ(LeftText("abcdefg", -1), "");
  EXPECT_EQ(LeftText("abcdefg", 0), "");
  EXPECT_EQ(LeftText("abcdefg", 3), "abc");
  EXPECT_EQ(LeftText("abcdefg", 100), "abcdefg");
  EXPECT_EQ(LeftText(nullptr, 5), "");
  EXPECT_EQ(LeftText("条码", 1), "\xCC");  // a single lead byte: byte positions, not characters

  EXPECT_EQ(RightText("abcdefg", 0), "");
  EXPECT_EQ(RightText("abcdefg", 2), "fg");
  EXPECT_EQ(RightText("abcdefg", 99), "abcdefg");
  EXPECT_EQ(RightText("条码", 1), "\xEB");

  EXPECT_EQ(MidText("abcdefg", 3, 20), "cdefg");
  EXPECT_EQ(MidText("abcdefg", 8, 1), "");
  EXPECT_EQ(MidText("abcdefg", 0, 3), "");
  EXPECT_EQ(MidText("abcdefg", 7, 1), "g");
  EXPECT_EQ(MidText("abcdefg", 2, 0), "");
  EXPECT_EQ(MidText("abcdefg", 2, -4), "");
  // Extreme arguments must not overflow the position arithmetic.
  EXPECT_EQ(MidText("abcdefg", std::numeric_limits<int32_t>::min(), 3), "");
  EXPECT_EQ(MidText("abcdefg", 2, std::numeric_limits<int32_t>::max()), "bcdefg");
}

TEST(TextCommands, FindTextPositionsAndStart) {
  EXPECT_EQ(FindText("ab^cd", "^"), 3);
  EXPECT_EQ(FindText("ab^cd", "x"), -1);
  EXPECT_EQ(FindText("ab^cd", "cde"), -1);  // would run past the end
  EXPECT_EQ(FindText("A?n-?n", "?n"), 2);
  EXPECT_EQ(FindText("A?n-?n", "?n", 3), 5);
  EXPECT_EQ(FindText("A?n-?n", "?n", -10), 2);  // a start of 1 or less is the beginning
  EXPECT_EQ(FindText("A?n-?n", "?n", 7), -1);
  EXPECT_EQ(FindText("A?n-?n", "?n", std::numeric_limits<int32_t>::min()), 2);
}

TEST(TextCommands, FindTextEmptySought) {
  EXPECT_EQ(FindText("abc", ""), 1);
  EXPECT_EQ(FindText("abc", nullptr, 3), 1);  // 1 whatever the start, while bytes remain
  EXPECT_EQ(FindText("abc", "", 4), -1);
  EXPECT_EQ(FindText("", ""), -1);
  EXPECT_EQ(FindText(nullptr, nullptr), -1);
}

TEST(TextCommands, FindTextStepsOverDoubleByteCharacters) {
  // "条码" is CC F5 C2 EB: the pair F5 C2 straddles the two characters.
  EXPECT_EQ(FindText("条码", "\xF5\xC2"), -1);
  EXPECT_EQ(FindText("条码", "码"), 3);
  // A trail byte that looks like ASCII ('@' = 0x40 after lead 0x81) is not a candidate.
  EXPECT_EQ(FindText("\x81@x@", "@"), 4);
  // A lead byte at the very end ends the search.
  EXPECT_EQ(FindText("a\xCC", "b"), -1);
}

TEST(TextCommands, FindTextIgnoringCase) {
  EXPECT_EQ(FindText("Code39", "CODE"), -1);
  EXPECT_EQ(FindText("Code39", "CODE", {}, false), -1);
  EXPECT_EQ(FindText("Code39", "CODE", {}, true), 1);
  EXPECT_EQ(FindText("xx?N", "?n", 1, true), 3);
  // Only ASCII letters fold: '[' (0x5B) and '{' (0x7B) stay different.
  EXPECT_EQ(FindText("{", "[", {}, true), -1);
}

TEST(TextCommands, ToUpperTouchesOnlyAsciiLettersOutsidePairs) {
  EXPECT_EQ(ToUpper("code39-az{}"), "CODE39-AZ{}");
  EXPECT_EQ(ToUpper(nullptr), "");
  // 0x81 0x61 is one character whose trail byte happens to be 'a': it stays.
  EXPECT_EQ(ToUpper("\x81" "ab"), "\x81" "aB");
  EXPECT_EQ(ToUpper("条码x"), "条码X");
  // A lead byte at the end stops the conversion but the byte is kept.
  EXPECT_EQ(ToUpper("ab\xCC"), "AB\xCC");
}

TEST(TextCommands, SplitTextPiecesAndLimits) {
  EXPECT_EQ(SplitText("a,b,,c,"), (Parts{"a", "b", "", "c"}));
  EXPECT_EQ(SplitText("a,b,,c,", ",", 2), (Parts{"a", "b"}));
  EXPECT_EQ(SplitText("a,b,,c,", ",", 4), (Parts{"a", "b", "", "c"}));
  EXPECT_EQ(SplitText("a,b,c", ",", 2), (Parts{"a", "b"}));  // the rest is dropped
  EXPECT_EQ(SplitText("a,b,,c,", ",", 0), Parts{});
  EXPECT_EQ(SplitText("a,b,,c,", ",", -3), Parts{});
  EXPECT_EQ(SplitText(",a"), (Parts{"", "a"}));
  EXPECT_EQ(SplitText("abc"), (Parts{"abc"}));
  EXPECT_EQ(SplitText(""), Parts{});
  EXPECT_EQ(SplitText(nullptr, ""), Parts{});
}

TEST(TextCommands, SplitTextSeparators) {
  EXPECT_EQ(SplitText("a,b", ""), (Parts{"a,b"}));
  EXPECT_EQ(SplitText("a,b", nullptr), (Parts{"a,b"}));  // given but empty
  EXPECT_EQ(SplitText("690\r\n691\r\n\r\n692\r\n", "\r\n"),
            (Parts{"690", "691", "", "692"}));
  // The separator is never matched inside a double-byte character.
  EXPECT_EQ(SplitText("\x81,a,b", ","), (Parts{"\x81,a", "b"}));
  EXPECT_EQ(SplitText("条码", "\xF5\xC2"), (Parts{"条码"}));
  // A lead byte at the end stops the scan; it stays in the last piece.
  EXPECT_EQ(SplitText("a,b\xCC"), (Parts{"a", "b\xCC"}));
}

TEST(TextCommands, BlankBytesAndByteArrayLength) {
  EXPECT_EQ(BlankBytes(16), std::vector<uint8_t>(16, 0));
  EXPECT_TRUE(BlankBytes(0).empty());
  EXPECT_TRUE(BlankBytes(-5).empty());
  EXPECT_EQ(ByteArrayLength(nullptr), 0);
  const uint32_t block[] = {1, 5, 0, 0};
  EXPECT_EQ(ByteArrayLength(block), 5);
}

// --- numbers ------------------------------------------------------------------------

ArgRecord T(const char* s) { return ArgRecord::Text(s); }

TEST(NumberCommands, ToNumberOfTexts) {
  EXPECT_DOUBLE_EQ(ToNumber(T("１２．５")), 12.5);  // full-width digits and full stop
  EXPECT_DOUBLE_EQ(ToNumber(T(" 7a")), 7.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("abc")), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber(T(nullptr)), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("\t-2.83")), -2.83);
  EXPECT_DOUBLE_EQ(ToNumber(T("+.5")), 0.5);
  EXPECT_DOUBLE_EQ(ToNumber(T("5.")), 5.0);
  EXPECT_DOUBLE_EQ(ToNumber(T(".")), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("1e3x")), 1000.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("2.5E-1")), 0.25);
  EXPECT_DOUBLE_EQ(ToNumber(T("3e")), 3.0);  // an exponent without digits does not count
  EXPECT_DOUBLE_EQ(ToNumber(T("3e+")), 3.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("　３")), 3.0);  // ideographic space
  EXPECT_DOUBLE_EQ(ToNumber(T("－４")), -4.0);  // full-width minus (A3 AD)
  // atof reads neither hexadecimal nor words for infinity.
  EXPECT_DOUBLE_EQ(ToNumber(T("0x10")), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("inf")), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber(T("nan")), 0.0);
}

TEST(NumberCommands, ToNumberOutOfRange) {
  EXPECT_EQ(ToNumber(T("1e999")), HUGE_VAL);
  EXPECT_EQ(ToNumber(T("-1e999")), -HUGE_VAL);
  EXPECT_EQ(ToNumber(T("1e-999")), 0.0);
  EXPECT_EQ(ToNumber(T("0.000e999")), 0.0);
  EXPECT_EQ(ToNumber(T("1e99999999999999999999")), HUGE_VAL);
  EXPECT_DOUBLE_EQ(ToNumber(T("0.0001e4")), 1.0);
}

TEST(NumberCommands, ToNumberOfOtherKinds) {
  EXPECT_EQ(ToNumber({0xFF, 0, tag::kByte}), 255.0);
  EXPECT_EQ(ToNumber({0xFFFF, 0, tag::kShort}), -1.0);
  EXPECT_EQ(ToNumber(ArgRecord::Int(-12)), -12.0);
  EXPECT_EQ(ToNumber(ArgRecord::Bool(true)), 1.0);
  EXPECT_EQ(ToNumber(ArgRecord::Long(-(int64_t(1) << 40))), -1099511627776.0);
  EXPECT_EQ(ToNumber(ArgRecord::Float(2.5f)), 2.5);
  EXPECT_EQ(ToNumber(ArgRecord::Double(0.1)), 0.1);
  EXPECT_EQ(ToNumber(ArgRecord{}), 0.0);
  EXPECT_EQ(ToNumber({5, 0, tag::kSubroutine}), 0.0);
}

TEST(NumberCommands, ToIntegerOfTexts) {
  EXPECT_EQ(ToInteger(T("-42abc")), -42);
  EXPECT_EQ(ToInteger(T("12.9")), 12);
  EXPECT_EQ(ToInteger(T("  +7")), 7);
  EXPECT_EQ(ToInteger(T("+-7")), 0);
  EXPECT_EQ(ToInteger(T("abc")), 0);
  EXPECT_EQ(ToInteger(T("")), 0);
  EXPECT_EQ(ToInteger(T("０１２３")), 123);
  EXPECT_EQ(ToInteger(T("00042")), 42);
  // 32-bit wrap-around instead of saturation.
  EXPECT_EQ(ToInteger(T("2147483647")), 2147483647);
  EXPECT_EQ(ToInteger(T("2147483648")), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInteger(T("-2147483648")), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInteger(T("4294967297")), 1);
  EXPECT_EQ(ToInteger(T("99999999999999999999")), int32_t(uint32_t(1661992959)));
}

TEST(NumberCommands, ToIntegerOfOtherKinds) {
  EXPECT_EQ(ToInteger(ArgRecord::Double(7.9)), 7);
  EXPECT_EQ(ToInteger(ArgRecord::Double(-7.9)), -7);
  EXPECT_EQ(ToInteger(ArgRecord::Float(-0.5f)), 0);
  EXPECT_EQ(ToInteger(ArgRecord::Double(2147483647.9)), 2147483647);
  EXPECT_EQ(ToInteger(ArgRecord::Double(-2147483648.9)), std::numeric_limits<int32_t>::min());
  // Out of range and NaN: the integer-indefinite value, never undefined behaviour.
  EXPECT_EQ(ToInteger(ArgRecord::Double(3e9)), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInteger(ArgRecord::Double(-3e9)), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInteger(ArgRecord::Double(std::nan(""))), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInteger(ArgRecord::Long(0x1'0000'0005)), 5);
  EXPECT_EQ(ToInteger({0x80, 0, tag::kByte}), 128);
  EXPECT_EQ(ToInteger({0x8000, 0, tag::kShort}), -32768);
  EXPECT_EQ(ToInteger(ArgRecord::Bool(true)), 1);
  EXPECT_EQ(ToInteger({0, 0, tag::kDateTime}), 0);
}

TEST(NumberCommands, ToTextOfNumbers) {
  EXPECT_EQ(ToText(ArgRecord::Double(10)), "10");
  EXPECT_EQ(ToText(ArgRecord::Double(0.1)), "0.1");
  EXPECT_EQ(ToText(ArgRecord::Double(2.83)), "2.83");
  EXPECT_EQ(ToText(ArgRecord::Double(0.00001)), "1e-05");
  EXPECT_EQ(ToText(ArgRecord::Double(1.0 / 3)), "0.3333333333333");
  EXPECT_EQ(ToText(ArgRecord::Double(1e15)), "1e+15");
  EXPECT_EQ(ToText(ArgRecord::Float(0.1f)), "0.1");
  EXPECT_EQ(ToText(ArgRecord::Float(1234567.0f)), "1.23457e+06");
  EXPECT_EQ(ToText(ArgRecord::Int(-5)), "-5");
  EXPECT_EQ(ToText({0xFFFFFFFF, 0, tag::kByte}), "255");
  EXPECT_EQ(ToText({0xFFFF, 0, tag::kShort}), "-1");
  EXPECT_EQ(ToText(ArgRecord::Long(-9000000000)), "-9000000000");
  EXPECT_EQ(ToText(ArgRecord::Bool(true)), "真");
  EXPECT_EQ(ToText(ArgRecord::Bool(false)), "假");
  EXPECT_EQ(ToText({2, 0, tag::kBool}), "真");
}

TEST(NumberCommands, ToTextOfTextsArraysAndOthers) {
  EXPECT_EQ(ToText(T("条码")), "条码");
  EXPECT_EQ(ToText(T(nullptr)), "");
  const uint32_t block[] = {1, 6, 0x00636261, 0x6665};  // "abc\0ef"
  EXPECT_EQ(ToText(ArgRecord::OfPointer(block, tag::kByteArray)), "abc");
  const uint32_t full[] = {1, 3, 0x00636261};  // no zero among its three bytes
  EXPECT_EQ(ToText(ArgRecord::OfPointer(full, tag::kByteArray)), "abc");
  EXPECT_EQ(ToText(ArgRecord::OfPointer(nullptr, tag::kByteArray)), "");
  EXPECT_EQ(ToText(ArgRecord::Component(type_id::kEditBox, 0x52010001, 0x12010002)), "");
  EXPECT_EQ(ToText(ArgRecord{}), "");
}

// Days since 1899-12-30.
constexpr double kLeapDay2024 = 45351;
constexpr double kNewYear1900 = 2;

TEST(NumberCommands, DateTimeTexts) {
  EXPECT_EQ(DateTimeText(0), "1899年12月30日");
  EXPECT_EQ(DateTimeText(kNewYear1900), "1900年1月1日");
  EXPECT_EQ(DateTimeText(kLeapDay2024), "2024年2月29日");
  EXPECT_EQ(DateTimeText(kLeapDay2024 + 0.5), "2024年2月29日12时");
  EXPECT_EQ(DateTimeText(kLeapDay2024 + 0.5 + 1.0 / 48), "2024年2月29日12时30分");
  EXPECT_EQ(DateTimeText(kLeapDay2024 + (3600.0 + 61) / 86400), "2024年2月29日1时1分1秒");
  EXPECT_EQ(DateTimeText(kLeapDay2024 + 0.999999999), "2024年3月1日");
  EXPECT_EQ(DateTimeText(-1.25), "1899年12月29日6时");  // negative: the fraction's size
  EXPECT_EQ(ToText({0, 0, tag::kDateTime}), "1899年12月30日");
}

TEST(NumberCommands, DateTimeTextClampsToItsYears) {
  EXPECT_EQ(DateTimeText(-657434), "100年1月1日");
  EXPECT_EQ(DateTimeText(-657434.5), "100年1月1日12时");
  EXPECT_EQ(DateTimeText(-1e9), "100年1月1日");
  EXPECT_EQ(DateTimeText(2958465), "9999年12月31日");
  EXPECT_EQ(DateTimeText(2958465.99999), "9999年12月31日23时59分59秒");
  EXPECT_EQ(DateTimeText(2958465.999999999), "9999年12月31日23时59分59秒");  // no roll-over
  EXPECT_EQ(DateTimeText(1e300), "9999年12月31日23时59分59秒");
  EXPECT_EQ(DateTimeText(HUGE_VAL), "9999年12月31日23时59分59秒");
  EXPECT_EQ(DateTimeText(std::nan("")), "1899年12月30日");
}

TEST(NumberCommands, RemainderFollowsTheDividendSign) {
  const double by10[] = {10};
  const double by3[] = {3};
  const double chain[] = {10, 4};
  EXPECT_EQ(Remainder(23, by10), 3);
  EXPECT_EQ(Remainder(-7, by3), -1);
  EXPECT_EQ(Remainder(7, std::span<const double>({-3.0})), 1);
  EXPECT_EQ(Remainder(27, chain), 3);  // 27 mod 10 = 7, then 7 mod 4 = 3
  EXPECT_NEAR(Remainder(2.5, std::span<const double>({1.0})), 0.5, 1e-12);
  EXPECT_EQ(Remainder(5, {}), 5);
}

TEST(NumberCommandsDeathTest, RemainderByZeroIsARuntimeError) {
  const double zero[] = {0};
  EXPECT_EXIT(Remainder(23, zero), ::testing::ExitedWithCode(255), Utf8("不能求余数于零"));
  const double later_zero[] = {10, -0.0};
  EXPECT_EXIT(Remainder(23, later_zero), ::testing::ExitedWithCode(255), Utf8("不能求余数于零"));
}

}  // namespace
}  // namespace barvell::runtime
