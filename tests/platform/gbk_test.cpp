#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <string>

namespace barvell::platform {
namespace {

// "条码生成" in GBK and in UTF-8 (this file is compiled as UTF-8).
const std::string kGbk = "\xCC\xF5\xC2\xEB\xC9\xFA\xB3\xC9";
const std::string kUtf8 = "条码生成";

TEST(Gbk, ConvertsBothWaysAndRoundTripsByteExactly) {
  EXPECT_EQ(GbkToUtf8(kGbk), kUtf8);
  EXPECT_EQ(Utf8ToGbk(kUtf8), kGbk);
  EXPECT_EQ(GbkToUtf16(kGbk), u"条码生成");
  EXPECT_EQ(Utf16ToGbk(u"条码生成"), kGbk);

  // Mixed ASCII and the full-width forms the number parser relies on.
  const std::string mixed = "EN13tem.bmp \xA3\xB1\xA3\xB2\xA3\xAE\xA1\xA1\xA1\xEF";
  EXPECT_EQ(GbkToUtf8(mixed), "EN13tem.bmp １２．　★");
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(mixed)), mixed);
  EXPECT_EQ(Utf16ToGbk(GbkToUtf16(mixed)), mixed);
}

TEST(Gbk, EmptyAndEmbeddedZero) {
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(GbkToUtf16(""), u"");
  EXPECT_EQ(Utf16ToGbk(u""), "");
  EXPECT_EQ(GbkToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Gbk, UndecodableGbkBecomesQuestionMarks) {
  // A lead byte at the end, a lead byte before an invalid trail byte, and the byte 0xFF:
  // each is one '?', and the text around them survives.
  EXPECT_EQ(GbkToUtf8("ab\xCC"), "ab?");
  EXPECT_EQ(GbkToUtf8("\x81 x"), "? x");
  EXPECT_EQ(GbkToUtf8("\xFF\xCC\xF5"), "?条");
  EXPECT_EQ(GbkToUtf16("\xCC"), u"?");
}

TEST(Gbk, CharactersOutsideGbkBecomeOneQuestionMarkEach) {
  // A four-byte UTF-8 character and a UTF-16 surrogate pair are one '?' each.
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600b"), "a?b");
  // Malformed UTF-8: a stray continuation byte and a truncated sequence.
  EXPECT_EQ(Utf8ToGbk("\x80x\xE6\x9D"), "?x??");
  // A lone surrogate.
  std::u16string lone = u"x";
  lone += char16_t(0xD800);
  lone += u"y";
  EXPECT_EQ(Utf16ToGbk(lone), "x?y");
}

TEST(Gbk, SevenBitTextPassesAsItIsAndOneHigherByteGoesThroughTheConverter) {
  std::string ascii;
  std::u16string wide;
  for (int c = 0; c < 0x80; ++c) {
    ascii += char(c);
    wide += char16_t(c);
  }
  EXPECT_EQ(GbkToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToGbk(ascii), ascii);
  EXPECT_EQ(GbkToUtf16(ascii), wide);
  EXPECT_EQ(Utf16ToGbk(wide), ascii);
  // A single byte or unit above 0x7F at the very end, where a shortcut would miss it.
  EXPECT_EQ(GbkToUtf8(ascii + "\xFF"), ascii + "?");
  EXPECT_EQ(Utf8ToGbk(ascii + "\xC3\xA9"), ascii + "\xA8\xA6");
  EXPECT_EQ(GbkToUtf16(ascii + "\xA8\xA6"), wide + u"\u00E9");
  EXPECT_EQ(Utf16ToGbk(wide + u"\u00E9"), ascii + "\xA8\xA6");
}

TEST(Gbk, LongTextGrowsTheOutput) {
  std::string gbk;
  std::u16string utf16;
  for (int i = 0; i < 5000; ++i) {
    gbk += kGbk;
    utf16 += u"条码生成";
  }
  EXPECT_EQ(GbkToUtf16(gbk), utf16);
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
}

}  // namespace
}  // namespace barvell::platform
